// The Zelo effect as the plug-in fuzz targets drive it: created as the module's
// entry creates it (linked in, not loaded, since the entry file also defines
// the "main" libFuzzer provides), opened and resumed at 44.1 kHz
// as a host does, and closed again. One per input, so that every crash
// reproduces from its input alone. Also a reader over the fuzzer's bytes.
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
    CFuzzedPlugin() : m_in(2, std::vector<float>(MAX_BLOCK)), m_out(2, std::vector<float>(MAX_BLOCK))
    {
        // What the module does when it loads: the effect reads its identity from here.
        static const bool identified = [] {
            Orvalite::Basics::CApplicationInformation::setApplicationInformation(
                "Orlen Vantrell Audio", "Zelo", "Doubler", "1.0.0", "Software\\OVA\\Zelo", "Zelo fuzz target",
                reinterpret_cast<void *>(&hostCallback));
            return true;
        }();
        static_cast<void>(identified);
        m_effect = (new Orvalite::Veltrix::CVeltrix(&hostCallback))->getAeffect();
        if (!m_effect || m_effect->magic != kEffectMagic)
        {
            fail("the entry point did not hand out an effect");
        }
        // Program material in both channels, so that every stage has signal to work on.
        for (VstInt32 n = 0; n < MAX_BLOCK; ++n)
        {
            m_in[0][n] = 0.5f * std::sin(0.0627f * static_cast<float>(n));
            m_in[1][n] = 0.5f * std::sin(0.0471f * static_cast<float>(n));
        }
        dispatch(effOpen);
        dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
        dispatch(effSetBlockSize, 0, 512);
        resume(true);
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

    // One block through processReplacing (or the accumulating or double-precision
    // path); aborts unless every output sample is finite.
    void processAndCheck(VstInt32 frames, uint8_t path = 0)
    {
        if (!m_isResumed)
        {
            return;
        }
        frames = frames < 0 ? 0 : (frames > m_blockSize ? m_blockSize : frames);
        float *inputs[2] = {m_in[0].data(), m_in[1].data()};
        float *outputs[2] = {m_out[0].data(), m_out[1].data()};
        for (auto &channel : m_out)
        {
            std::fill(channel.begin(), channel.end(), 0.0f);
        }
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
                out[c].assign(static_cast<size_t>(frames), 0.0);
            }
            double *dInputs[2] = {in[0].data(), in[1].data()};
            double *dOutputs[2] = {out[0].data(), out[1].data()};
            m_effect->processDoubleReplacing(m_effect, dInputs, dOutputs, frames);
            for (int c = 0; c < 2; ++c)
            {
                for (VstInt32 n = 0; n < frames; ++n)
                {
                    m_out[c][n] = static_cast<float>(out[c][n]);
                }
            }
        }
        else
        {
            m_effect->processReplacing(m_effect, inputs, outputs, frames);
        }
        for (int c = 0; c < 2; ++c)
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
    // A plain host: VST 2.4, 44.1 kHz, and no to everything else.
    static VstIntPtr hostCallback(AEffect *, VstInt32 opcode, VstInt32, VstIntPtr, void *, float)
    {
        switch (opcode)
        {
        case audioMasterVersion:
            return kVstVersion;
        case audioMasterGetSampleRate:
            return 44100;
        case audioMasterGetBlockSize:
            return 512;
        default:
            return 0;
        }
    }

    AEffect *m_effect = nullptr;
    bool m_isResumed = false;
    VstInt32 m_blockSize = 512;
    std::vector<std::vector<float>> m_in, m_out;
};
} // namespace Zelo::Fuzz
