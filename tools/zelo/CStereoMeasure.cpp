#include "tools/zelo/CStereoMeasure.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace Zelo::Tools
{
namespace
{
constexpr double NOT_DEFINED = std::numeric_limits<double>::quiet_NaN();

double decibels(double ratio)
{
    return ratio > 0.0 ? 10.0 * std::log10(ratio) : -HUGE_VAL;
}
} // namespace

CStereoMeasure::CStereoMeasure(int sampleRate)
    : m_loudness(ebur128_init(2, static_cast<unsigned long>(std::max(sampleRate, 0)), EBUR128_MODE_I))
{
    if (!m_loudness)
    {
        throw std::runtime_error("cannot measure loudness at " + std::to_string(sampleRate) + " Hz");
    }
    ebur128_set_channel(m_loudness.get(), 0, EBUR128_LEFT);
    ebur128_set_channel(m_loudness.get(), 1, EBUR128_RIGHT);
}

void CStereoMeasure::add(const float *left, const float *right, size_t frames)
{
    m_interleaved.resize(std::max(m_interleaved.size(), 2 * frames));
    for (size_t frame = 0; frame < frames; ++frame)
    {
        const double l = left[frame];
        const double r = right[frame];
        m_peak = std::max({m_peak, std::fabs(l), std::fabs(r)});
        m_sumLeftSquared += l * l;
        m_sumRightSquared += r * r;
        m_sumProduct += l * r;
        m_sumMidSquared += (l + r) * (l + r);
        m_sumSideSquared += (l - r) * (l - r);
        m_interleaved[2 * frame] = left[frame];
        m_interleaved[2 * frame + 1] = right[frame];
    }
    m_frames += frames;
    ebur128_add_frames_float(m_loudness.get(), m_interleaved.data(), frames);
}

CStereoMeasure::Figures CStereoMeasure::figures() const
{
    Figures figures;
    const double energy = m_sumLeftSquared + m_sumRightSquared;
    figures.peakDb = 2.0 * decibels(m_peak);
    figures.rmsDb = m_frames == 0 ? -HUGE_VAL : decibels(energy / (2.0 * static_cast<double>(m_frames)));
    figures.loudness = -HUGE_VAL;
    ebur128_loudness_global(m_loudness.get(), &figures.loudness);
    const double channelProduct = m_sumLeftSquared * m_sumRightSquared;
    figures.correlation = channelProduct > 0.0 ? m_sumProduct / std::sqrt(channelProduct) : NOT_DEFINED;
    // The mono sum (L + R) / 2 holds a quarter of the mid energy; the channels' mean is half of `energy`.
    figures.monoSumDb = energy > 0.0 ? decibels(m_sumMidSquared / 4.0 / (energy / 2.0)) : NOT_DEFINED;
    figures.width = m_sumMidSquared > 0.0    ? m_sumSideSquared / m_sumMidSquared
                    : m_sumSideSquared > 0.0 ? HUGE_VAL
                                             : NOT_DEFINED;
    return figures;
}
} // namespace Zelo::Tools
