#include "effect/VeltrixParameterTable.h"
#include "tests/effect/VeltrixTestSupport.h"
#include "vst/AEffEditor.h"
#include "vst/IEffectEditor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

using namespace Orvalite::Veltrix;
using Orvalite::Testing::CVeltrixFixture;

namespace
{
std::vector<uint8_t> chunkOf(CVeltrix &effect, bool isPreset)
{
    void *data = nullptr;
    const VstInt32 size = effect.getChunk(&data, isPreset);
    const auto *bytes = static_cast<const uint8_t *>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

float floatAt(const std::vector<uint8_t> &bytes, size_t offset)
{
    float value;
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

int32_t intAt(const std::vector<uint8_t> &bytes, size_t offset)
{
    int32_t value;
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

const size_t HALF_A = 56;
const size_t HALF_B = 1080;
const size_t SELECTOR = 7224;

std::string programName(CVeltrix &effect)
{
    char name[64] = {};
    effect.getProgramName(name);
    return name;
}

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
    CVeltrixFixture fixture;
    CVeltrix &effect = fixture.effect();
    effect.setParameter(AB_SELECTOR_INDEX, 1.0f);
    EXPECT_EQ(1.0f, effect.getParameter(PARAMETER_GRAIN_SIZE)) << "program 0's B half has the large grain";
    effect.setParameter(PARAMETER_DELAY_ONE, 0.75f);
    effect.setParameter(AB_SELECTOR_INDEX, 0.0f);
    EXPECT_EQ(0.0f, effect.getParameter(PARAMETER_DELAY_ONE)) << "the A value comes back";
    const auto bank = chunkOf(effect, false);
    EXPECT_EQ(0.75f, floatAt(bank, HALF_B + PARAMETER_DELAY_ONE * 4));
    EXPECT_EQ(0.0f, floatAt(bank, HALF_A + PARAMETER_DELAY_ONE * 4));
}

TEST(Programs, SwitchingKeepsEachProgramsOwnSync)
{
    CVeltrixFixture fixture;
    CVeltrix &effect = fixture.effect();
    effect.setParameter(PARAMETER_SYNC_AUDIO, 1.0f);
    effect.setProgram(1);
    EXPECT_EQ(0.0f, effect.getParameter(PARAMETER_SYNC_AUDIO));
    EXPECT_EQ(0, effect.getAeffect()->initialDelay);
    const auto bank = chunkOf(effect, false);
    EXPECT_EQ(0.0f, floatAt(bank, 7228 + HALF_A + PARAMETER_SYNC_AUDIO * 4))
        << "loading the grain size must not write the previous program's sync into this one";
    effect.setProgram(0);
    EXPECT_EQ(275, effect.getAeffect()->initialDelay);
}

TEST(Chunks, BankImageAfterConstruction)
{
    CVeltrixFixture fixture;
    const auto bank = chunkOf(fixture.effect(), false);
    ASSERT_EQ(93964u, bank.size());
    EXPECT_EQ(0, std::memcmp(bank.data(), "OVA5\x01\0\0\0", 8));
    EXPECT_STREQ("Basic Doubler", reinterpret_cast<const char *>(bank.data() + 8));
    EXPECT_EQ(0, intAt(bank, SELECTOR));
    EXPECT_EQ(0.0f, floatAt(bank, HALF_A + 18 * 4)) << "blank parameters keep the record's initial A value";
    EXPECT_EQ(1.0f, floatAt(bank, HALF_B + 22 * 4));
    EXPECT_FLOAT_EQ(0.9291339f, floatAt(bank, 9 * 7228 + HALF_B + PARAMETER_GRAIN_SIZE * 4));
    EXPECT_EQ(1.0f, floatAt(bank, 2104));
    void *data = nullptr;
    EXPECT_EQ(7228, fixture.effect().getChunk(&data, true));
    EXPECT_EQ(0, fixture.effect().getChunk(nullptr, true));
}

// Refused chunks change nothing; a host may hand back the very buffer getChunk gave it.
TEST(Chunks, TakeOnlyAWholeRecordOrBankBehindMagicAndVersionOne)
{
    CVeltrixFixture fixture;
    CVeltrix &effect = fixture.effect();
    const auto before = chunkOf(effect, false);
    std::vector<uint8_t> program(before.begin(), before.begin() + 7228);
    auto badVersion = program;
    badVersion[4] = 2;
    auto badMagic = program;
    badMagic[3] = '6';
    const std::tuple<const char *, uint8_t *, VstInt32, bool> refused[] = {
        {"version 2", badVersion.data(), 7228, true}, {"magic OVA6", badMagic.data(), 7228, true},
        {"a byte short", program.data(), 7227, true}, {"a program as a bank", program.data(), 7228, false},
        {"no data", nullptr, 93964, false},           {"a negative size", program.data(), -7228, true}};
    for (const auto &[what, bytes, size, isPreset] : refused)
    {
        EXPECT_EQ(0, effect.setChunk(bytes, size, isPreset)) << what;
        EXPECT_EQ(before, chunkOf(effect, false)) << what;
    }
    void *own = nullptr;
    const VstInt32 size = effect.getChunk(&own, false);
    EXPECT_EQ(1, effect.setChunk(own, size, false));
    EXPECT_EQ(before, chunkOf(effect, false));
}

TEST(Chunks, ProgramChunkReplacesOnlyTheCurrentRecord)
{
    CVeltrixFixture fixture;
    CVeltrix &effect = fixture.effect();
    effect.setParameter(AB_SELECTOR_INDEX, 1.0f);
    effect.setProgram(3);
    auto program = chunkOf(effect, true);
    std::memcpy(program.data() + 8, "Loaded", 7);
    const float delay = 0.5f;
    std::memcpy(program.data() + HALF_B + PARAMETER_DELAY_ONE * 4, &delay, 4);
    const int32_t selectorWord = 0;
    std::memcpy(program.data() + SELECTOR, &selectorWord, 4);
    const auto before = chunkOf(effect, false);
    EXPECT_EQ(1, effect.setChunk(program.data(), 7228, true));
    const auto after = chunkOf(effect, false);
    EXPECT_EQ(0, std::memcmp(before.data(), after.data(), 3 * 7228)) << "earlier records untouched";
    EXPECT_EQ(0, std::memcmp(before.data() + 4 * 7228, after.data() + 4 * 7228, 9 * 7228)) << "later records untouched";
    EXPECT_EQ(1, effect.getSelector()) << "the selector lives in record 0";
    EXPECT_EQ("Loaded", programName(effect));
    EXPECT_EQ(0.5f, effect.getParameter(PARAMETER_DELAY_ONE)) << "the live B half is loaded";
}

TEST(Chunks, AnyBytesBehindAValidHeaderAreSafe)
{
    CVeltrixFixture fixture;
    std::vector<uint8_t> bank(93964);
    uint32_t noise = 99;
    for (uint8_t &byte : bank)
    {
        noise = noise * 1103515245u + 12345u;
        byte = static_cast<uint8_t>(noise >> 16);
    }
    std::memcpy(bank.data(), "OVA5\x01", 5);
    ASSERT_EQ(1, fixture.effect().setChunk(bank.data(), 93964, false));
    const auto output = fixture.render(CVeltrixFixture::signal(4096));
    for (size_t n = 0; n < output.left.size(); ++n)
    {
        ASSERT_TRUE(std::isfinite(output.left[n]) && std::isfinite(output.right[n])) << n;
    }
}

TEST(Editor, ExistsOnlyWhenTheModuleSuppliesItsFactory)
{
    CVeltrixFixture without;
    EXPECT_EQ(nullptr, without.effect().getEditor());
    EXPECT_EQ(0, without.effect().getAeffect()->flags & effFlagsHasEditor);

    CVeltrixFixture with(&CEditorProbe::create);
    auto *editor = dynamic_cast<CEditorProbe *>(with.effect().getEditor());
    ASSERT_NE(nullptr, editor);
    EXPECT_NE(0, with.effect().getAeffect()->flags & effFlagsHasEditor);
    EXPECT_FALSE(editor->updates.empty()) << "the factory programs loaded at construction reach the editor";
}

TEST(Editor, FollowsChangesExceptItsOwn)
{
    CVeltrixFixture fixture(&CEditorProbe::create);
    CVeltrix &effect = fixture.effect();
    auto *editor = static_cast<CEditorProbe *>(effect.getEditor());
    editor->updates.clear();
    effect.setParameter(PARAMETER_MASTER, 0.25f);
    effect.setParameter(40, 0.5f);
    editor->isUpdating = true;
    effect.setParameter(PARAMETER_MASTER, 0.75f);
    ASSERT_EQ(2u, editor->updates.size());
    EXPECT_EQ(PARAMETER_MASTER, editor->updates[0].first);
    EXPECT_DOUBLE_EQ(0.25, editor->updates[0].second);
    EXPECT_EQ(40, editor->updates[1].first) << "indices outside the parameters are passed on too";
}
