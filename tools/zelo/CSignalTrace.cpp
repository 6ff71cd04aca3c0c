#include "tools/zelo/CSignalTrace.h"

#include <algorithm>

namespace Zelo::Tools
{
CSignalTrace::CSignalTrace(int sampleRate, size_t expectedFrames, size_t binCount, size_t pointCount)
    : m_sampleRate(sampleRate), m_framesPerBin(std::max<size_t>(1, (expectedFrames + binCount - 1) / binCount)),
      m_pointStride(std::max<size_t>(1, expectedFrames / std::max<size_t>(pointCount, 1)))
{
}

void CSignalTrace::add(const float *left, const float *right, size_t frames)
{
    for (size_t frame = 0; frame < frames; ++frame, ++m_frames)
    {
        const float l = left[frame];
        const float r = right[frame];
        if (m_frames % m_framesPerBin == 0)
        {
            m_bins.push_back(Bin{l, l, r, r, 0.0, 0.0, 0.0});
        }
        Bin &bin = m_bins.back();
        bin.minLeft = std::min(bin.minLeft, l);
        bin.maxLeft = std::max(bin.maxLeft, l);
        bin.minRight = std::min(bin.minRight, r);
        bin.maxRight = std::max(bin.maxRight, r);
        bin.sumLeftSquared += double{l} * l;
        bin.sumRightSquared += double{r} * r;
        bin.sumProduct += double{l} * r;
        if (m_frames % m_pointStride == 0)
        {
            m_points.emplace_back(l, r);
        }
    }
}
} // namespace Zelo::Tools
