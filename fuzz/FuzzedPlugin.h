// The Zelo effect as the plug-in fuzz targets drive it: created as the module's
// entry creates it (linked in, not loaded, since the entry file also defines
// the "main" libFuzzer provides), opened and resumed at 44.1 kHz as a host
// does. Building an effect costs far more than most inputs (about a megabyte
// of delay and tap lines, on fresh pages each time), so a process builds one
// and brings it back to the state it was built in before every input: every
// crash still reproduces from its input alone. Also a reader over the
// fuzzer's bytes.
#pragma once

#include "effect/CVeltrix.h"
#include "foundation/basics/CApplicationInformation.h"
#include "vst/VstAbi.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace Zelo::Fuzz
{
// The largest block the targets announce or process, in frames.
constexpr VstInt32 MAX_BLOCK = 8192;
// What the host announces before any input.
constexpr float SAMPLE_RATE = 44100.0f;
constexpr VstInt32 BLOCK_SIZE = 512;

// Reads the fuzzer's bytes front to back; past the end every read answers 0,
// so a short input is still a complete (if dull) programme.
class CByteReader
{
public:
    CByteReader(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_position >= m_size; }
    size_t remaining() const { return empty() ? 0 : m_size - m_position; }
    uint8_t byte() { return empty() ? 0 : m_data[m_position++]; }
    template <typename T> T value()
    {
        T result{};
        const size_t count = remaining() < sizeof(T) ? remaining() : sizeof(T);
        if (count > 0)
        {
            std::memcpy(&result, m_data + m_position, count);
        }
        m_position += count;
        return result;
    }
    // Up to `count` bytes, fewer at the end of the input.
    std::vector<uint8_t> bytes(size_t count)
    {
        const size_t taken = count < remaining() ? count : remaining();
        std::vector<uint8_t> result(m_data + m_position, m_data + m_position + taken);
        m_position += taken;
        return result;
    }
    // A finite float: mostly values hosts really send, otherwise any finite bit pattern.
    float hostFloat()
    {
        static const float usual[] = {0.0f,     1.0f,     0.5f,     0.25f,    0.999f,    1e-6f,   -1.0f,
                                      22050.0f, 44100.0f, 48000.0f, 96000.0f, 192000.0f, 8000.0f, 1e6f};
        const uint8_t choice = byte();
        if (choice < 128)
        {
            return usual[choice % (sizeof(usual) / sizeof(usual[0]))];
        }
        const float raw = value<float>();
        return std::isfinite(raw) ? raw : 0.0f;
    }
    // A parameter value in the host's range [0, 1].
    float unitFloat() { return static_cast<float>(value<uint16_t>()) / 65535.0f; }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_position = 0;
};

class CFuzzedPlugin
{
public:
    // The process's one effect, in the state it was built in: each input starts here.
    // It is never destroyed at exit, where the framework's own statics may already be gone.
    static CFuzzedPlugin &forInput()
    {
        CFuzzedPlugin *&plugin = instance();
        if (plugin)
        {
            plugin->restore();
        }
        else
        {
            plugin = new CFuzzedPlugin;
        }
        return *plugin;
    }
    // Closes that effect (the next input builds another) and releases the identity
    // as the module's unload hook does, for programs that check before they end
    // that no framework object is left alive.
    static void release()
    {
        delete instance();
        instance() = nullptr;
        Orvalite::Basics::CApplicationInformation::releaseApplicationInformation();
    }

    CFuzzedPlugin() : m_in(2, std::vector<float>(MAX_BLOCK)), m_out(2, std::vector<float>(MAX_BLOCK))
    {
        // What the module does when it loads: the effect reads its identity from here.
        Orvalite::Basics::CApplicationInformation::setApplicationInformation(
            "Orlen Vantrell Audio", "Zelo", "Doubler", "1.0.0", "Software\\OVA\\Zelo", "Zelo fuzz target",
            reinterpret_cast<void *>(&hostCallback));
        m_veltrix = new Orvalite::Veltrix::CVeltrix(&hostCallback);
        m_effect = m_veltrix->getAeffect();
        if (!m_effect || m_effect->magic != kEffectMagic)
        {
            fail("the entry point did not hand out an effect");
        }
        dispatch(effOpen);
        dispatch(effSetSampleRate, 0, 0, nullptr, SAMPLE_RATE);
        dispatch(effSetBlockSize, 0, BLOCK_SIZE);
        resume(true);
        // What restore() brings back.
        m_bank = chunk(false);
        for (int voice = 0; voice < 2; ++voice)
        {
            keepImage(m_veltrix->getShifter(voice));
            keepImage(m_veltrix->getLfo(voice));
        }
        m_fingerprint = observe();
    }
    ~CFuzzedPlugin()
    {
        resume(false);
        dispatch(effClose);
    }
    CFuzzedPlugin(const CFuzzedPlugin &) = delete;
    CFuzzedPlugin &operator=(const CFuzzedPlugin &) = delete;

    AEffect *effect() const { return m_effect; }
    bool isResumed() const { return m_isResumed; }
    VstInt32 blockSize() const { return m_blockSize; }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void *ptr = nullptr, float opt = 0.0f)
    {
        // The host's own record of what it announced, so that it never processes
        // more frames than it promised or while the effect is suspended.
        if (opcode == effSetBlockSize || opcode == effSetBlockSizeAndSampleRate)
        {
            m_blockSize = static_cast<VstInt32>(value);
        }
        if (opcode == effMainsChanged)
        {
            m_isResumed = value != 0;
        }
        return m_effect->dispatcher(m_effect, opcode, index, value, ptr, opt);
    }
    void resume(bool on) { dispatch(effMainsChanged, 0, on ? 1 : 0); }
    // A copy of the bank chunk or the current program's chunk.
    std::vector<uint8_t> chunk(bool isProgram)
    {
        void *data = nullptr;
        const VstIntPtr size = dispatch(effGetChunk, isProgram ? 1 : 0, 0, &data);
        const auto *bytes = static_cast<const uint8_t *>(data);
        return size > 0 && bytes ? std::vector<uint8_t>(bytes, bytes + size) : std::vector<uint8_t>();
    }

    // One block through processReplacing (or the accumulating or double-precision
    // path) on fresh input, as the dry delay writes into the host's input buffers;
    // aborts unless every output sample is finite.
    void processAndCheck(VstInt32 frames, uint8_t path = 0)
    {
        if (!m_isResumed)
        {
            return;
        }
        frames = std::clamp(frames, 0, m_blockSize);
        const auto count = static_cast<size_t>(frames);
        for (int c = 0; c < 2; ++c)
        {
            std::copy_n(source(c), count, m_in[c].begin());
            std::fill_n(m_out[c].begin(), count, 0.0f);
        }
        float *inputs[2] = {m_in[0].data(), m_in[1].data()};
        float *outputs[2] = {m_out[0].data(), m_out[1].data()};
        if (path % 3 == 1 && m_effect->process)
        {
            m_effect->process(m_effect, inputs, outputs, frames);
        }
        else if (path % 3 == 2 && m_effect->processDoubleReplacing && (m_effect->flags & effFlagsCanDoubleReplacing))
        {
            std::vector<double> in[2], out[2];
            for (int c = 0; c < 2; ++c)
            {
                in[c].assign(m_in[c].begin(), m_in[c].begin() + frames);
                out[c].assign(count, 0.0);
            }
            double *dInputs[2] = {in[0].data(), in[1].data()};
            double *dOutputs[2] = {out[0].data(), out[1].data()};
            m_effect->processDoubleReplacing(m_effect, dInputs, dOutputs, frames);
            for (int c = 0; c < 2; ++c)
            {
                std::copy(out[c].begin(), out[c].end(), m_out[c].begin());
            }
        }
        else
        {
            m_effect->processReplacing(m_effect, inputs, outputs, frames);
        }
        // x - x is 0 for every finite x and NaN otherwise, so one sum without a
        // branch per sample tells whether a search is needed.
        float probe = 0.0f;
        for (int c = 0; c < 2; ++c)
            for (size_t n = 0; n < count; ++n)
            {
                probe += m_out[c][n] - m_out[c][n];
            }
        for (int c = 0; c < 2 && probe != 0.0f; ++c)
        {
            for (VstInt32 n = 0; n < frames; ++n)
            {
                if (!std::isfinite(m_out[c][n]))
                {
                    std::fprintf(stderr, "channel %d frame %d of %d is %g\n", c, n, frames,
                                 static_cast<double>(m_out[c][n]));
                    fail("the effect wrote a sample that is not finite");
                }
            }
        }
    }

    [[noreturn]] static void fail(const char *why)
    {
        std::fprintf(stderr, "%s\n", why);
        std::abort();
    }

private:
    // Back to the state the constructor left. The bank saved then and program 0
    // bring back every program's halves and name and the A/B selector, and set
    // every parameter and what derives from it. Suspending silences the delay and
    // tap lines. The shifters' tap sweep and the LFOs' phases run on from block to
    // block and no host call sets them back, so they are copied back from byte
    // images taken after construction (values, and the shifters' pointers to their
    // own tap lines, which stay the same for the effect's life). Then the host's
    // rate and block size and a resume derive the rate-dependent lengths again, and
    // a block of no frames empties the list of MIDI events.
    void restore()
    {
        dispatch(effSetChunk, 0, static_cast<VstIntPtr>(m_bank.size()), m_bank.data());
        if (dispatch(effGetProgram) != 0)
        {
            dispatch(effSetProgram, 0, 0);
        }
        resume(false);
        for (const SImage &image : m_images)
        {
            std::memcpy(image.stage, image.bytes.data(), image.bytes.size());
        }
        dispatch(effSetSampleRate, 0, 0, nullptr, SAMPLE_RATE);
        dispatch(effSetBlockSize, 0, BLOCK_SIZE);
        resume(true);
        processAndCheck(0);
        void *bank = nullptr;
        if (observe() != m_fingerprint || dispatch(effGetChunk, 0, 0, &bank) != static_cast<VstIntPtr>(m_bank.size()) ||
            std::memcmp(bank, m_bank.data(), m_bank.size()) != 0)
            fail("restoring the effect before this input left it unlike a new one");
    }

    // A plain host: VST 2.4, 44.1 kHz, and no to everything else.
    static VstIntPtr hostCallback(AEffect *, VstInt32 opcode, VstInt32, VstIntPtr, void *, float)
    {
        switch (opcode)
        {
        case audioMasterVersion:
            return kVstVersion;
        case audioMasterGetSampleRate:
            return static_cast<VstIntPtr>(SAMPLE_RATE);
        case audioMasterGetBlockSize:
            return BLOCK_SIZE;
        default:
            return 0;
        }
    }

    static CFuzzedPlugin *&instance()
    {
        static CFuzzedPlugin *plugin = nullptr;
        return plugin;
    }

    // Program material in both channels, so that every stage has signal to work on.
    static const float *source(int channel)
    {
        static const std::vector<std::vector<float>> sines = [] {
            std::vector<std::vector<float>> channels(2, std::vector<float>(MAX_BLOCK));
            for (VstInt32 n = 0; n < MAX_BLOCK; ++n)
            {
                channels[0][n] = 0.5f * std::sin(0.0627f * static_cast<float>(n));
                channels[1][n] = 0.5f * std::sin(0.0471f * static_cast<float>(n));
            }
            return channels;
        }();
        return sines[channel].data();
    }

    // The bytes of a stage of the signal path, to be copied back over it.
    struct SImage
    {
        void *stage;
        std::vector<unsigned char> bytes;
    };
    template <typename T> void keepImage(const T &stage)
    {
        const auto *bytes = reinterpret_cast<const unsigned char *>(&stage);
        m_images.push_back({const_cast<T *>(&stage), std::vector<unsigned char>(bytes, bytes + sizeof(T))});
    }

    // Everything about the effect a host or its inspection accessors can see, except the bank's bytes.
    std::vector<double> observe() const
    {
        const Orvalite::Veltrix::CVeltrix &veltrix = *m_veltrix;
        std::vector<double> seen = {double(m_veltrix->getProgram()),
                                    m_veltrix->getSampleRate(),
                                    double(m_veltrix->getBlockSize()),
                                    veltrix.getWorkingSampleRate(),
                                    double(veltrix.getGrainLength()),
                                    double(veltrix.getSelector()),
                                    double(m_effect->initialDelay),
                                    double(m_effect->flags),
                                    double(veltrix.getMidiEvents().getNumberOfEvents())};
        for (VstInt32 index = 0; index < m_effect->numParams; ++index)
        {
            seen.push_back(m_effect->getParameter(m_effect, index));
        }
        for (int voice = 0; voice < 2; ++voice)
        {
            const auto &shifter = veltrix.getShifter(voice);
            const auto &lfo = veltrix.getLfo(voice);
            const auto &delay = veltrix.getVoiceDelay(voice), &dry = veltrix.getDryDelay(voice);
            seen.insert(seen.end(),
                        {shifter.getWindow(), shifter.getRate(), shifter.getTapDelay(0), shifter.getTapDelay(1),
                         shifter.getEnvelope(0), shifter.getEnvelope(1), shifter.lastOut(), lfo.getSampleRate(),
                         double(lfo.getPhase()), double(lfo.getIncrement()), delay.getLength(), delay.getFeedback(),
                         dry.getLength(), dry.getFeedback()});
        }
        return seen;
    }

    Orvalite::Veltrix::CVeltrix *m_veltrix = nullptr;
    AEffect *m_effect = nullptr;
    bool m_isResumed = false;
    VstInt32 m_blockSize = BLOCK_SIZE;
    std::vector<std::vector<float>> m_in, m_out;
    std::vector<uint8_t> m_bank;
    std::vector<SImage> m_images;
    std::vector<double> m_fingerprint;
};
} // namespace Zelo::Fuzz
