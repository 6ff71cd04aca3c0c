// What a picture of a stereo signal needs, gathered as it streams past: the
// extremes and energies of each channel in bins of equal length, and every n-th
// frame for a goniometer. Owned by the one thread that feeds it.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace Zelo::Tools
{
class CSignalTrace
{
public:
    struct Bin
    {
        float minLeft = 0.0f, maxLeft = 0.0f, minRight = 0.0f, maxRight = 0.0f;
        // Sums of L², R² and L·R over the bin, for the correlation over time.
        double sumLeftSquared = 0.0, sumRightSquared = 0.0, sumProduct = 0.0;
    };

    // Bins and goniometer points spread over about `expectedFrames`; a longer
    // signal just gets more of them.
    CSignalTrace(int sampleRate, size_t expectedFrames, size_t binCount, size_t pointCount);

    void add(const float *left, const float *right, size_t frames);

    int sampleRate() const { return m_sampleRate; }
    size_t framesPerBin() const { return m_framesPerBin; }
    size_t frames() const { return m_frames; }
    const std::vector<Bin> &bins() const { return m_bins; }
    // (left, right) sample pairs.
    const std::vector<std::pair<float, float>> &points() const { return m_points; }

private:
    int m_sampleRate;
    size_t m_framesPerBin;
    size_t m_pointStride;
    size_t m_frames = 0;
    std::vector<Bin> m_bins;
    std::vector<std::pair<float, float>> m_points;
};
} // namespace Zelo::Tools
