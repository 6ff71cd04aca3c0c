#include "tests/effect/VeltrixTestSupport.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::Testing
{
CVeltrixFixture::CVeltrixFixture(Veltrix::CVeltrix::EditorFactory createEditor)
{
    m_host.answers[audioMasterVersion] = 2400;
    m_effect = new Veltrix::CVeltrix(CRecordingHost::callback(), createEditor);
}

CVeltrixFixture::~CVeltrixFixture()
{
    AEffect *record = m_effect->getAeffect();
    record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
}

SStereo CVeltrixFixture::render(const SStereo &input, int blockSize)
{
    SStereo output{std::vector<float>(input.left.size()), std::vector<float>(input.right.size())};
    SStereo scratch = input;
    for (size_t start = 0; start < input.left.size(); start += static_cast<size_t>(blockSize))
    {
        const auto frames = static_cast<VstInt32>(std::min(static_cast<size_t>(blockSize), input.left.size() - start));
        float *inputs[2] = {scratch.left.data() + start, scratch.right.data() + start};
        float *outputs[2] = {output.left.data() + start, output.right.data() + start};
        m_effect->processReplacing(inputs, outputs, frames);
    }
    return output;
}

SStereo CVeltrixFixture::impulse(size_t frames, bool left, bool right)
{
    SStereo input{std::vector<float>(frames), std::vector<float>(frames)};
    input.left[0] = left ? 1.0f : 0.0f;
    input.right[0] = right ? 1.0f : 0.0f;
    return input;
}

SStereo CVeltrixFixture::signal(size_t frames, float sampleRate)
{
    SStereo input{std::vector<float>(frames), std::vector<float>(frames)};
    uint32_t noise = 12345;
    for (size_t n = 0; n < frames; ++n)
    {
        noise = noise * 1664525u + 1013904223u;
        const double time = static_cast<double>(n) / sampleRate;
        const double hiss = (static_cast<double>(noise >> 8) / 16777216.0 - 0.5) * 0.1;
        input.left[n] = static_cast<float>(0.5 * std::sin(2.0 * M_PI * 220.0 * time) + hiss);
        input.right[n] = static_cast<float>(0.4 * std::sin(2.0 * M_PI * 331.0 * time) - hiss);
    }
    return input;
}

void CVeltrixFixture::setSampleRateAndResume(float sampleRate)
{
    AEffect *record = m_effect->getAeffect();
    record->dispatcher(record, effMainsChanged, 0, 0, nullptr, 0.0f);
    record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, sampleRate);
    record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0.0f);
}
} // namespace Orvalite::Testing
