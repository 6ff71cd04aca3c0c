// The pitch shifter's delay line: one write point and two linearly interpolating
// read taps over one buffer. Each tap computes what an STK DelayL line fed the
// same input computes, bit for bit: the same read point chasing the write point,
// the same weights (1 − α, α) in double precision, the same wraps. Owned by its
// shifter; allocates only when made.
#pragma once

#include <memory>

namespace Orvalite::Veltrix
{
class CTapDelayLine
{
public:
    static constexpr int TAPS = 2;

    // A silent line holding delays of 0 … `maximumDelay` samples (at least 1),
    // with its taps at `delay0` and `delay1`.
    CTapDelayLine(long maximumDelay, double delay0, double delay1);
    CTapDelayLine(const CTapDelayLine &) = delete;
    CTapDelayLine &operator=(const CTapDelayLine &) = delete;

    // The read point of `tap` goes `delay` samples (whole or fractional) behind the
    // write point, as DelayL::setDelay puts it; a delay outside 0 … the maximum, or
    // not a number, leaves the tap where it is.
    void setDelay(int tap, double delay);
    double getDelay(int tap) const { return m_taps[tap].delay; }
    long getMaximumDelay() const { return m_size - 1; }
    // Silences the line; the taps stay where they are.
    void clear();

    // One sample in, then each tap's output.
    void tick(double input, double (&outputs)[TAPS]);
    // Audio thread: `count` samples in, with no tap moved between them, as `count`
    // ticks; output[n] = weights0[n] × tap 0 + weights1[n] × tap 1, in double and
    // stored as TSample (float or double). Returns the last sum in double (0 for
    // no samples).
    template <typename TSample>
    double tickWeighted(const float *input, const double *weights0, const double *weights1, TSample *output, int count);

private:
    struct STap
    {
        long readPoint = 0;
        // The interpolation weights of the read point's sample and the next one.
        double alpha = 0.0;
        double oneMinusAlpha = 1.0;
        double delay = 0.0;
        // Whole slots the read point lies behind the write point; both move together.
        long behind = 0;
    };

    // Samples a stretch may run before a pointer wraps, or a read would meet a
    // sample the stretch writes later (at most `count`, at least 1).
    int stretchLength(int count) const;
    // The write and read points `frames` samples on, wrapped.
    void advance(int frames);

    // m_size slots and one more that mirrors slot 0, so that a tap reading the
    // last slot takes its neighbour without a wrap.
    std::unique_ptr<double[]> m_samples;
    long m_size;
    long m_writePoint = 0;
    STap m_taps[TAPS];
};
} // namespace Orvalite::Veltrix
