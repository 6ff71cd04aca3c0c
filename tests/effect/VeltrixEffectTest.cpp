// The effect on a recording host: programs and their halves, chunks, the editor
// link, and the signal path with its golden factory-program checksums.
#include "effect/CVeltrix.h"
#include "effect/VeltrixParameterTable.h"
#include "tests/support/CRecordingHost.h"
#include "vst/AEffEditor.h"
#include "vst/IEffectEditor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <sstream>
#include <tuple>
#include <utility>
#include <vector>

using namespace Orvalite::Veltrix;
using Orvalite::Testing::CRecordingHost;

namespace
{
// Left and right.
using SStereo = std::array<std::vector<float>, 2>;

constexpr double PI = 3.14159265358979323846;

// A deterministic noisy test signal at 44.1 kHz: two sines and a pseudo-random hiss.
inline SStereo testSignal(size_t frames)
{
    SStereo input{std::vector<float>(frames), std::vector<float>(frames)};
    uint32_t noise = 12345;
    for (size_t n = 0; n < frames; ++n)
    {
        noise = noise * 1664525u + 1013904223u;
        const double time = static_cast<double>(n) / 44100.0;
        const double hiss = (static_cast<double>(noise >> 8) / 16777216.0 - 0.5) * 0.1;
        input[0][n] = static_cast<float>(0.5 * std::sin(2.0 * PI * 220.0 * time) + hiss);
        input[1][n] = static_cast<float>(0.4 * std::sin(2.0 * PI * 331.0 * time) - hiss);
    }
    return input;
}

class CVeltrixFixture
{
public:
    explicit CVeltrixFixture(CVeltrix::EditorFactory createEditor = nullptr)
    {
        m_host.answers[audioMasterVersion] = 2400;
        m_effect = new CVeltrix(CRecordingHost::callback(), createEditor);
    }
    ~CVeltrixFixture() { m_effect->getAeffect()->dispatcher(m_effect->getAeffect(), effClose, 0, 0, nullptr, 0.0f); }

    // The effect, reached as through a pointer.
    CVeltrix *operator->() { return m_effect; }
    CVeltrix &operator*() { return *m_effect; }

    // Processes `input` in blocks of `blockSize` frames through processReplacing.
    SStereo render(SStereo input, int blockSize = 512)
    {
        SStereo output{std::vector<float>(input[0].size()), std::vector<float>(input[1].size())};
        for (size_t start = 0; start < input[0].size(); start += static_cast<size_t>(blockSize))
        {
            const auto frames = std::min(static_cast<size_t>(blockSize), input[0].size() - start);
            float *inputs[2] = {input[0].data() + start, input[1].data() + start};
            float *outputs[2] = {output[0].data() + start, output[1].data() + start};
            m_effect->processReplacing(inputs, outputs, static_cast<VstInt32>(frames));
        }
        return output;
    }

private:
    CRecordingHost m_host;
    CVeltrix *m_effect;
};

std::vector<uint8_t> chunkOf(CVeltrix &effect, bool isPreset)
{
    void *data = nullptr;
    const VstInt32 size = effect.getChunk(&data, isPreset);
    const auto *bytes = static_cast<const uint8_t *>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

template <typename T = float> T valueAt(const std::vector<uint8_t> &bytes, size_t offset)
{
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

const size_t HALF_A = 56;
const size_t HALF_B = 1080;
const size_t SELECTOR = 7224;

// An editor that records what the effect tells it, registered as the effect's
// editor the way the module's editor factory does it.
class CEditorProbe : public AEffEditor, public Orvalite::Vst::IEffectEditor
{
public:
    explicit CEditorProbe(AudioEffect *effect) : AEffEditor(effect) { effect->setEditor(this); }
    static void create(CVeltrix *effect) { new CEditorProbe(effect); }
    void updateParameter(long index, double value) override { updates.push_back({index, value}); }
    bool isUpdatingEffect() const override { return isUpdating; }

    bool isUpdating = false;
    std::vector<std::pair<long, double>> updates;
};
} // namespace

TEST(Programs, HalvesKeepTheirOwnEdits)
{
    CVeltrixFixture effect;
    effect->setParameter(AB_SELECTOR_INDEX, 1.0f);
    EXPECT_EQ(1.0f, effect->getParameter(PARAMETER_GRAIN_SIZE)) << "program 0's B half has the large grain";
    effect->setParameter(PARAMETER_DELAY_ONE, 0.75f);
    effect->setParameter(AB_SELECTOR_INDEX, 0.0f);
    EXPECT_EQ(0.0f, effect->getParameter(PARAMETER_DELAY_ONE)) << "the A value comes back";
    const auto bank = chunkOf(*effect, false);
    EXPECT_EQ(0.75f, valueAt(bank, HALF_B + PARAMETER_DELAY_ONE * 4));
    EXPECT_EQ(0.0f, valueAt(bank, HALF_A + PARAMETER_DELAY_ONE * 4));
}

TEST(Programs, SwitchingKeepsEachProgramsOwnSync)
{
    CVeltrixFixture effect;
    effect->setParameter(PARAMETER_SYNC_AUDIO, 1.0f);
    effect->setProgram(1);
    EXPECT_EQ(0.0f, effect->getParameter(PARAMETER_SYNC_AUDIO));
    EXPECT_EQ(0, effect->getAeffect()->initialDelay);
    const auto bank = chunkOf(*effect, false);
    EXPECT_EQ(0.0f, valueAt(bank, 7228 + HALF_A + PARAMETER_SYNC_AUDIO * 4))
        << "loading the grain size must not write the previous program's sync into this one";
    effect->setProgram(0);
    EXPECT_EQ(275, effect->getAeffect()->initialDelay);
}

TEST(Chunks, BankImageAfterConstruction)
{
    CVeltrixFixture effect;
    const auto bank = chunkOf(*effect, false);
    ASSERT_EQ(93964u, bank.size());
    EXPECT_EQ(0, std::memcmp(bank.data(), "OVA5\x01\0\0\0", 8));
    EXPECT_STREQ("Basic Doubler", reinterpret_cast<const char *>(bank.data() + 8));
    EXPECT_EQ(0, valueAt<int32_t>(bank, SELECTOR));
    EXPECT_EQ(0.0f, valueAt(bank, HALF_A + 18 * 4)) << "blank parameters keep the record's initial A value";
    EXPECT_EQ(1.0f, valueAt(bank, HALF_B + 22 * 4));
    EXPECT_FLOAT_EQ(0.9291339f, valueAt(bank, 9 * 7228 + HALF_B + PARAMETER_GRAIN_SIZE * 4));
    EXPECT_EQ(1.0f, valueAt(bank, 2104));
    EXPECT_EQ(7228u, chunkOf(*effect, true).size());
    EXPECT_EQ(0, effect->getChunk(nullptr, true));
}

// Refused chunks change nothing; a host may hand back the very buffer getChunk gave it.
TEST(Chunks, TakeOnlyAWholeRecordOrBankBehindMagicAndVersionOne)
{
    CVeltrixFixture effect;
    const auto before = chunkOf(*effect, false);
    std::vector<uint8_t> program(before.begin(), before.begin() + 7228);
    // Damaged copies of the program: {offset, byte} written over it.
    const std::pair<size_t, char> damages[] = {{4, 2}, {4, 0}, {3, '6'}, {1, 'v'}};
    std::vector<std::vector<uint8_t>> damaged(std::size(damages), program);
    for (size_t index = 0; index < damaged.size(); ++index)
        damaged[index][damages[index].first] = static_cast<uint8_t>(damages[index].second);
    const std::tuple<const char *, uint8_t *, VstInt32, bool> refused[] = {
        {"version 2", damaged[0].data(), 7228, true},
        {"version 0", damaged[1].data(), 7228, true},
        {"magic OVA6", damaged[2].data(), 7228, true},
        {"magic OvA5", damaged[3].data(), 7228, true},
        {"a byte short", program.data(), 7227, true},
        {"a program as a bank", program.data(), 7228, false},
        {"no data", nullptr, 93964, false},
        {"a negative size", program.data(), -7228, true}};
    for (const auto &[what, bytes, size, isPreset] : refused)
    {
        EXPECT_EQ(0, effect->setChunk(bytes, size, isPreset)) << what;
        EXPECT_EQ(before, chunkOf(*effect, false)) << what;
    }
    void *own = nullptr;
    const VstInt32 size = effect->getChunk(&own, false);
    EXPECT_EQ(1, effect->setChunk(own, size, false));
    EXPECT_EQ(before, chunkOf(*effect, false));
}

TEST(Chunks, ProgramChunkReplacesOnlyTheCurrentRecord)
{
    CVeltrixFixture effect;
    effect->setParameter(AB_SELECTOR_INDEX, 1.0f);
    effect->setProgram(3);
    auto program = chunkOf(*effect, true);
    std::memcpy(program.data() + 8, "Loaded", 7);
    std::memcpy(program.data() + HALF_B + PARAMETER_DELAY_ONE * 4, "\0\0\0\x3F", 4); // 0.5f
    std::memset(program.data() + SELECTOR, 0, 4);
    const auto before = chunkOf(*effect, false);
    EXPECT_EQ(1, effect->setChunk(program.data(), 7228, true));
    const auto after = chunkOf(*effect, false);
    EXPECT_EQ(0, std::memcmp(before.data(), after.data(), 3 * 7228)) << "earlier records untouched";
    EXPECT_EQ(0, std::memcmp(before.data() + 4 * 7228, after.data() + 4 * 7228, 9 * 7228)) << "later records untouched";
    EXPECT_EQ(1, effect->getSelector()) << "the selector lives in record 0";
    char name[64] = {};
    effect->getProgramName(name);
    EXPECT_STREQ("Loaded", name);
    EXPECT_EQ(0.5f, effect->getParameter(PARAMETER_DELAY_ONE)) << "the live B half is loaded";
}

TEST(Editor, ExistsOnlyWithTheModulesFactoryAndFollowsChangesExceptItsOwn)
{
    CVeltrixFixture without;
    EXPECT_EQ(nullptr, without->getEditor());
    EXPECT_EQ(0, without->getAeffect()->flags & effFlagsHasEditor);

    CVeltrixFixture with(&CEditorProbe::create);
    auto *editor = dynamic_cast<CEditorProbe *>(with->getEditor());
    ASSERT_NE(nullptr, editor);
    EXPECT_NE(0, with->getAeffect()->flags & effFlagsHasEditor);
    EXPECT_FALSE(editor->updates.empty()) << "the factory programs loaded at construction reach the editor";
    // It follows changes except its own.
    editor->updates.clear();
    with->setParameter(PARAMETER_MASTER, 0.25f);
    with->setParameter(40, 0.5f);
    editor->isUpdating = true;
    with->setParameter(PARAMETER_MASTER, 0.75f);
    // Indices outside the parameters are passed on too.
    EXPECT_EQ((std::vector<std::pair<long, double>>{{PARAMETER_MASTER, 0.25}, {40, 0.5}}), editor->updates);
}

// An unshifted voice is the shifter's frozen two-tap echo for the 551-sample small
// grain (taps at 185 and 461, the first weighing 197.5 / 275.5) behind the 882
// samples of 20 ms, recurring every 882 samples scaled by the feedback (at 100 % a
// lossless comb) and panned with equal power. The dry path, fed the left input only,
// comes out at its gain, half a grain late in sync.
TEST(SignalPath, IsolatedVoiceIsAPannedFrozenEchoBesideTheDryPath)
{
    const int voiceDelay = 882;
    const double nearWeight = 197.5 / 275.5;
    // pan, feedback, dry gain, sync; the dry frame and level
    const std::tuple<float, float, float, float, size_t, double> cases[] = {
        {1.0f, 0.0f, 0.0f, 0.0f, 0, 0.01},  {1.0f, 1.0f, 0.0f, 0.0f, 0, 0.01}, {0.0f, 0.5f, 0.0f, 0.0f, 0, 0.01},
        {0.25f, 0.0f, 0.0f, 0.0f, 0, 0.01}, {0.8f, 0.0f, 0.0f, 0.0f, 0, 0.01}, {0.5f, 0.0f, 1.0f, 1.0f, 275, 1.0}};
    for (const auto &[pan, feedback, dryGain, sync, dryFrame, dryLevel] : cases)
    {
        // Voice one at 0 dB, unshifted and unmodulated, 20 ms of delay, panned as given;
        // voice two, fed the silent right input, on the left; the dry path at the given gain.
        const std::pair<int, float> settings[] = {
            {PARAMETER_MASTER, 0.5f},        {PARAMETER_PITCH_ONE, 0.5f}, {PARAMETER_GAIN_ONE, 1.0f},
            {PARAMETER_PAN_ONE, pan},        {PARAMETER_PAN_TWO, 0.0f},   {PARAMETER_DRY_GAIN, dryGain},
            {PARAMETER_GRAIN_SIZE, 0.0f},    {PARAMETER_DELAY_ONE, 0.0f}, {PARAMETER_FEEDBACK_ONE, feedback},
            {PARAMETER_LFO_DEPTH_ONE, 0.5f}, {PARAMETER_SYNC_AUDIO, sync}};
        CVeltrixFixture effect;
        for (const auto &[index, value] : settings)
            effect->setParameter(index, value);
        SStereo impulse{std::vector<float>(6 * voiceDelay), std::vector<float>(6 * voiceDelay)};
        impulse[0][0] = 1.0f;
        const SStereo output = effect.render(impulse);
        std::vector<double> voice(output[0].size());
        for (int echo = 1; echo < 6; ++echo)
        {
            const double level = std::pow(static_cast<double>(feedback), echo - 1.0);
            voice[static_cast<size_t>(echo * voiceDelay + 185)] = level * nearWeight;
            voice[static_cast<size_t>(echo * voiceDelay + 461)] = level * (1.0 - nearWeight);
        }
        for (size_t n = 0; n < voice.size(); ++n)
        {
            const double dry = n == dryFrame ? dryLevel : 0.0;
            ASSERT_NEAR(dry + voice[n] * std::sqrt(1.0 - pan), output[0][n], 1e-6)
                << "left frame " << n << ", pan " << pan << ", feedback " << feedback << ", sync " << sync;
            ASSERT_NEAR(voice[n] * std::sqrt(pan), output[1][n], 1e-6)
                << "right frame " << n << ", pan " << pan << ", feedback " << feedback << ", sync " << sync;
        }
    }
}

// Settings are read once per block and the stages run in slices: neither may show.
TEST(SignalPath, OutputDoesNotDependOnTheBlockSize)
{
    const SStereo input = testSignal(9000);
    std::vector<float> reference;
    for (int blockSize : {4096, 64, 1, 333})
    {
        CVeltrixFixture effect;
        effect->setProgram(6);
        effect->setParameter(PARAMETER_SYNC_AUDIO, 1.0f);
        SStereo output = effect.render(input, blockSize);
        output[0].insert(output[0].end(), output[1].begin(), output[1].end());
        if (reference.empty())
            reference = output[0];
        EXPECT_EQ(0, std::memcmp(reference.data(), output[0].data(), reference.size() * sizeof(float)))
            << "block size " << blockSize;
    }
}

// Rates below 44.1 kHz run at 44.1 kHz. Grains, the dry delay, the latency, the
// voice delays (whole milliseconds once resumed) and the LFO follow the working rate.
TEST(SignalPath, StagesFollowTheWorkingRate)
{
    // Host rate, working rate, small and large grain, delays at 0.095 and 1, LFO increment at 5 Hz.
    const std::tuple<float, float, long, long, float, float, uint32_t> cases[] = {
        {44100.0f, 44100.0f, 551, 2205, 1234.8f, 4410.0f, 486957u},
        {48000.0f, 48000.0f, 600, 2400, 1344.0f, 4800.0f, 447392u},
        {96000.0f, 96000.0f, 1200, 4800, 2688.0f, 9600.0f, 223696u},
        {192000.0f, 192000.0f, 2400, 9600, 5376.0f, 19200.0f, 111848u},
        {22050.0f, 44100.0f, 551, 2205, 1234.8f, 4410.0f, 486957u}};
    for (const auto &[hostRate, workingRate, smallGrain, largeGrain, delayAt95Thousandths, longestDelay,
                      lfoIncrementAt5Hz] : cases)
    {
        SCOPED_TRACE(testing::Message() << "host rate " << hostRate);
        CVeltrixFixture effect;
        effect->setParameter(PARAMETER_DELAY_ONE, 0.095f);
        effect->setParameter(PARAMETER_LFO_RATE_ONE, 1.0f);
        EXPECT_NEAR(1217.16, effect->getVoiceDelay(0).getLength(), 1e-3) << "27.6 ms at 44.1 kHz, unrounded";
        effect->suspend(); // as a host changes the rate
        effect->setSampleRate(hostRate);
        effect->resume();
        EXPECT_EQ(workingRate, effect->getWorkingSampleRate());
        EXPECT_EQ(smallGrain, effect->getGrainLength());
        EXPECT_EQ(smallGrain, effect->getShifter(0).getWindow());
        EXPECT_EQ(static_cast<float>(smallGrain / 2), effect->getDryDelay(1).getLength());
        EXPECT_NEAR(delayAt95Thousandths, effect->getVoiceDelay(0).getLength(), 1e-3) << "28 whole milliseconds";
        EXPECT_EQ(lfoIncrementAt5Hz, effect->getLfo(0).getIncrement());
        effect->setParameter(PARAMETER_GRAIN_SIZE, 1.0f);
        effect->setParameter(PARAMETER_SYNC_AUDIO, 1.0f);
        EXPECT_EQ(largeGrain, effect->getGrainLength());
        EXPECT_EQ(largeGrain / 2, effect->getAeffect()->initialDelay);
        effect->setParameter(PARAMETER_DELAY_ONE, 1.0f);
        EXPECT_NEAR(longestDelay, effect->getVoiceDelay(0).getLength(), 1e-2) << "100 ms";
    }
}

// Above 3.072 MHz even the small grain would outgrow the dry path; at 3.9e25 Hz
// its length no longer fits an integer.
TEST(SignalPath, WildHostRatesKeepTheGrainWithinTheDryPath)
{
    for (const float hostRate : {4.0e6f, 3.9e25f})
    {
        SCOPED_TRACE(testing::Message() << "host rate " << hostRate);
        CVeltrixFixture effect;
        effect->setSampleRate(hostRate);
        effect->resume();
        EXPECT_EQ(38400, effect->getGrainLength());
        effect->setParameter(PARAMETER_SYNC_AUDIO, 1.0f);
        EXPECT_EQ(19200, effect->getAeffect()->initialDelay);
        EXPECT_EQ(19200.0f, effect->getDryDelay(0).getLength());
    }
}

// The host's automation may carry a value that is not a number: the parameter keeps its own.
TEST(SignalPath, ANonNumberLeavesTheParameterAsItWas)
{
    CVeltrixFixture effect;
    effect->setParameter(PARAMETER_DELAY_ONE, 0.5f);
    for (const float bad : {NAN, INFINITY, -INFINITY})
        effect->setParameter(PARAMETER_DELAY_ONE, bad);
    EXPECT_EQ(0.5f, effect->getParameter(PARAMETER_DELAY_ONE));
    EXPECT_NEAR(2646.0f, effect->getVoiceDelay(0).getLength(), 1e-3) << "60 ms at 44.1 kHz";
}

TEST(SignalPath, ShortOrMissingBuffersAreHarmless)
{
    CVeltrixFixture effect;
    float samples[4] = {1, 1, 1, 1};
    float *buffers[2] = {samples, samples};
    float *missing[2] = {samples, nullptr};
    effect->processReplacing(buffers, buffers, 0);
    effect->processReplacing(buffers, buffers, -7);
    effect->processReplacing(missing, buffers, 4);
    effect->processReplacing(nullptr, nullptr, 4);
    EXPECT_EQ(1.0f, samples[0]);
}

// Any change of arithmetic shows here. Regenerate after an intended change with
// ZELO_UPDATE_GOLDEN=1 build/release/tests/effect/effect_tests --gtest_filter='SignalPath.Factory*'
TEST(SignalPath, FactoryProgramsRenderTheKeptChecksums)
{
    const std::string path = std::string(ZELO_GOLDEN_DIR) + "/factory_program_checksums.txt";
    const SStereo input = testSignal(16384);
    std::ostringstream actual;
    for (int half : {0, 1})
        for (int program = 0; program < NUMBER_OF_PROGRAMS; ++program)
        {
            CVeltrixFixture effect;
            effect->setParameter(AB_SELECTOR_INDEX, static_cast<float>(half));
            effect->setProgram(program);
            uint64_t hash = 14695981039346656037ull; // 64-bit FNV-1a over the samples' bytes, left then right
            for (const auto &channel : effect.render(input))
                for (size_t index = 0; index < channel.size() * sizeof(float); ++index)
                    hash = (hash ^ reinterpret_cast<const unsigned char *>(channel.data())[index]) * 1099511628211ull;
            actual << program << (half ? " B " : " A ") << std::hex << std::setw(16) << std::setfill('0') << hash
                   << std::dec << "\n";
        }
    if (std::getenv("ZELO_UPDATE_GOLDEN"))
        std::ofstream(path) << actual.str();
    std::ostringstream expected;
    expected << std::ifstream(path).rdbuf();
    EXPECT_EQ(expected.str(), actual.str()) << "kept in " << path;
}
