// Audio thread: the tap line's stretches. No allocation, locks, I/O or exceptions.
// Inside a stretch no pointer wraps and no read meets a slot written later in it,
// so all its input is written first and both taps then read two samples at a
// time, with the scalar tick's products and sums in the same order.
#include "effect/CTapDelayLine.h"

#include <emmintrin.h>

#include <algorithm>

namespace Orvalite::Veltrix
{
namespace
{
inline void storePair(float *output, __m128d pair)
{
    _mm_storel_pi(reinterpret_cast<__m64 *>(output), _mm_cvtpd_ps(pair));
}

inline void storePair(double *output, __m128d pair)
{
    _mm_storeu_pd(output, pair);
}

struct SStretchReader
{
    const double *tap0;
    const double *tap1;
    double alpha[CTapDelayLine::TAPS];
    double oneMinusAlpha[CTapDelayLine::TAPS];

    double mixOne(const double *weights0, const double *weights1, int n) const
    {
        const double read0 = tap0[n] * oneMinusAlpha[0] + tap0[n + 1] * alpha[0];
        const double read1 = tap1[n] * oneMinusAlpha[1] + tap1[n + 1] * alpha[1];
        return weights0[n] * read0 + weights1[n] * read1;
    }
};
} // namespace

int CTapDelayLine::stretchLength(int count) const
{
    long length = std::min(static_cast<long>(count), m_size - m_writePoint);
    for (const STap &tap : m_taps)
    {
        // Reading the slot just written, its neighbour is the next one written: one sample at a time.
        length = tap.behind == 0 ? 1 : std::min(length, std::min(m_size - tap.readPoint, m_size - tap.behind));
    }
    return static_cast<int>(length);
}

template <typename TSample>
double CTapDelayLine::tickWeighted(const float *input, const double *weights0, const double *weights1, TSample *output,
                                   int count)
{
    double last = 0.0;
    while (count > 0)
    {
        const int length = stretchLength(count);
        double *const written = m_samples.get() + m_writePoint;
        for (int n = 0; n < length; ++n)
        {
            written[n] = static_cast<double>(input[n]);
        }
        m_samples[m_size] = m_samples[0];

        const SStretchReader reader{m_samples.get() + m_taps[0].readPoint,
                                    m_samples.get() + m_taps[1].readPoint,
                                    {m_taps[0].alpha, m_taps[1].alpha},
                                    {m_taps[0].oneMinusAlpha, m_taps[1].oneMinusAlpha}};
        const __m128d alpha0 = _mm_set1_pd(reader.alpha[0]);
        const __m128d alpha1 = _mm_set1_pd(reader.alpha[1]);
        const __m128d oneMinusAlpha0 = _mm_set1_pd(reader.oneMinusAlpha[0]);
        const __m128d oneMinusAlpha1 = _mm_set1_pd(reader.oneMinusAlpha[1]);
        __m128d sum = _mm_setzero_pd();
        int n = 0;
        for (; n + 2 <= length; n += 2)
        {
            const __m128d read0 = _mm_add_pd(_mm_mul_pd(_mm_loadu_pd(reader.tap0 + n), oneMinusAlpha0),
                                             _mm_mul_pd(_mm_loadu_pd(reader.tap0 + n + 1), alpha0));
            const __m128d read1 = _mm_add_pd(_mm_mul_pd(_mm_loadu_pd(reader.tap1 + n), oneMinusAlpha1),
                                             _mm_mul_pd(_mm_loadu_pd(reader.tap1 + n + 1), alpha1));
            sum = _mm_add_pd(_mm_mul_pd(_mm_loadu_pd(weights0 + n), read0),
                             _mm_mul_pd(_mm_loadu_pd(weights1 + n), read1));
            storePair(output + n, sum);
        }
        // An odd stretch ends with one sample alone; an even one with the pair's second.
        if (n < length)
        {
            last = reader.mixOne(weights0, weights1, n);
            output[n] = static_cast<TSample>(last);
        }
        else
        {
            last = _mm_cvtsd_f64(_mm_unpackhi_pd(sum, sum));
        }

        advance(length);
        input += length;
        weights0 += length;
        weights1 += length;
        output += length;
        count -= length;
    }
    return last;
}

template double CTapDelayLine::tickWeighted(const float *, const double *, const double *, float *, int);
template double CTapDelayLine::tickWeighted(const float *, const double *, const double *, double *, int);
} // namespace Orvalite::Veltrix
