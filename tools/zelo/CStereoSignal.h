// A stretch of stereo audio at one sample rate, in the planar layout the plug-in
// processes. Plain data, owned by whoever reads, synthesises or renders it.
#pragma once

#include <cstddef>
#include <vector>

namespace Zelo::Tools
{
struct CStereoSignal
{
    // Hertz.
    int sampleRate = 44100;
    // Equal lengths; full scale is ±1.
    std::vector<float> left;
    std::vector<float> right;

    size_t frames() const { return left.size(); }
};
} // namespace Zelo::Tools
