// Builds an effect on a recording host and runs audio through it in blocks.
#pragma once

#include "effect/CVeltrix.h"
#include "tests/support/CRecordingHost.h"

#include <vector>

namespace Orvalite::Testing
{
struct SStereo
{
    std::vector<float> left;
    std::vector<float> right;
};

class CVeltrixFixture
{
public:
    explicit CVeltrixFixture(Veltrix::CVeltrix::EditorFactory createEditor = nullptr);
    ~CVeltrixFixture();

    Veltrix::CVeltrix &effect() { return *m_effect; }

    // Processes `input` in blocks of `blockSize` frames through processReplacing.
    SStereo render(const SStereo &input, int blockSize = 512);
    // A silent input with a unit impulse at frame 0 on the chosen channels.
    static SStereo impulse(size_t frames, bool left = true, bool right = true);
    // A deterministic noisy test signal (two sines and a pseudo-random hiss).
    static SStereo signal(size_t frames, float sampleRate = 44100.0f);
    void setSampleRateAndResume(float sampleRate);

private:
    CRecordingHost m_host;
    Veltrix::CVeltrix *m_effect;
};
} // namespace Orvalite::Testing
