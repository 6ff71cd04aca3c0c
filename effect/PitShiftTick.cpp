// Audio thread: the block tick runs once per slice of a block (the effect hands it
// at most 256 frames at a time); no allocation, locks, I/O or exceptions.
// STK's DelayL::setDelay formats a message and calls its error handler for a delay
// outside 0 … its maximum, so every delay handed to it is kept inside.
#include "effect/PitShift.h"

#include <emmintrin.h>

#include <cmath>
#include <cstdint>

namespace Orvalite::Veltrix
{
namespace
{
// Beyond this many windows outside the sweep range, a delay is wrapped by division
// instead of step by step: a huge rate would otherwise loop for ever (1e30 − L is
// 1e30 again). Within it, the steps run as they always have, bit for bit.
constexpr double FAR_WINDOWS = 4.0;

// The steps left after the first: far out, fmod does them all at once (exactly,
// on the rounded distance) and lands on the same side of a boundary as the
// steps would: stepping down stops in (TAP_MARGIN, upper], stepping up in
// [TAP_MARGIN, upper). Within a few windows the steps run one by one, bit for bit.
double wrapRemainingSteps(double delay, double window)
{
    const double upper = window + PitShift::TAP_MARGIN;
    if (delay > upper + FAR_WINDOWS * window || delay < PitShift::TAP_MARGIN - FAR_WINDOWS * window)
    {
        const double offset = std::fmod(delay - PitShift::TAP_MARGIN, window);
        delay = delay > PitShift::TAP_MARGIN ? PitShift::TAP_MARGIN + (offset > 0.0 ? offset : window)
                                             : PitShift::TAP_MARGIN + (offset < 0.0 ? offset + window : 0.0);
    }
    while (delay > upper)
    {
        delay -= window;
    }
    while (delay < PitShift::TAP_MARGIN)
    {
        delay += window;
    }
    return delay;
}

// wrapIntoWindow on both lanes. The first step is branch-free: taking away or
// adding +0 leaves a delay inside the window (at least TAP_MARGIN, so never −0)
// as it is. Delays still outside after it (huge rates) take the remaining steps
// lane by lane.
inline __m128d wrapPairIntoWindow(__m128d delay, __m128d window, __m128d upper)
{
    const __m128d margin = _mm_set1_pd(PitShift::TAP_MARGIN);
    const __m128d stepped = _mm_add_pd(_mm_sub_pd(delay, _mm_and_pd(_mm_cmpgt_pd(delay, upper), window)),
                                       _mm_and_pd(_mm_cmplt_pd(delay, margin), window));
    const __m128d outside = _mm_or_pd(_mm_cmpgt_pd(stepped, upper), _mm_cmplt_pd(stepped, margin));
    const int outsideLanes = _mm_movemask_pd(outside);
    if (outsideLanes == 0)
    {
        return stepped;
    }
    double lanes[2];
    double windows[2];
    _mm_storeu_pd(lanes, stepped);
    _mm_storeu_pd(windows, window);
    for (int lane = 0; lane < 2; ++lane)
    {
        if ((outsideLanes >> lane) & 1)
        {
            lanes[lane] = wrapRemainingSteps(lanes[lane], windows[lane]);
        }
    }
    return _mm_loadu_pd(lanes);
}

inline void storeLanes(__m128d lanes, double &first, double &second)
{
    first = _mm_cvtsd_f64(lanes);
    second = _mm_cvtsd_f64(_mm_unpackhi_pd(lanes, lanes));
}

} // namespace

// Called twice per sample: kept in this file and inline. Normal rates move a
// delay out of the window by at most one step; anything more goes out of line.
inline double PitShift::wrapIntoWindow(double delay, double window)
{
    const double upper = window + TAP_MARGIN;
    if (delay > upper)
    {
        delay -= window;
    }
    else if (delay < TAP_MARGIN)
    {
        delay += window;
    }
    else
    {
        return delay;
    }
    return delay > upper || delay < TAP_MARGIN ? wrapRemainingSteps(delay, window) : delay;
}

// The taps move in whole samples; the delays are positive, where the conversion
// to an integer truncates. Between moves a tap's read point advances with its
// write point, just where setting the same delay again would put it, so the
// line is only told when the whole-sample delay changes.
inline void PitShift::moveTap(stk::DelayL &line, long &position, double delay)
{
    const long whole = static_cast<long>(delay);
    if (whole != position)
    {
        line.setDelay(static_cast<double>(whole));
        position = whole;
    }
}

template <typename TSample> double PitShift::run(const TSample *input, const double *rates, TSample *output, int count)
{
    // One read of the window for all samples, so that a concurrent change cannot mix
    // two windows in one sample. The window is at most MAXIMUM_WINDOW, so both delays
    // end within TAP_MARGIN … MAXIMUM_DELAY, the range setDelay accepts.
    const double window = getWindow();
    const double halfWindow = window * 0.5;
    stk::DelayL &tapLine0 = *m_tapLines[0];
    stk::DelayL &tapLine1 = *m_tapLines[1];
    double rate = getRate();
    double delay0 = m_delay[0];
    double delay1 = m_delay[1];
    long position0 = m_tapPositions[0];
    long position1 = m_tapPositions[1];
    double envelope0 = m_envelope[0];
    double envelope1 = m_envelope[1];
    double out = m_lastOutput;
    for (int n = 0; n < count; ++n)
    {
        if (std::isfinite(rates[n]))
        {
            rate = rates[n];
        }
        delay0 = wrapIntoWindow(delay0 + rate, window);
        delay1 = wrapIntoWindow(delay0 + halfWindow, window);

        moveTap(tapLine0, position0, delay0);
        moveTap(tapLine1, position1, delay1);

        // Tap 1 is loudest where tap 0 jumps. Adding TAP_MARGIN (rather than taking it
        // away) puts tap 1's silent point 24 samples below the middle of the sweep, so at
        // the far end e1 exceeds 1 by 48/L and e0 dips below 0.
        envelope1 = std::fabs(delay0 - halfWindow + TAP_MARGIN) / halfWindow;
        envelope0 = 1.0 - envelope1;

        const double x = static_cast<double>(input[n]);
        out = envelope0 * tapLine0.tick(x) + envelope1 * tapLine1.tick(x);
        output[n] = static_cast<TSample>(out);
    }
    m_delay[0] = delay0;
    m_delay[1] = delay1;
    m_tapPositions[0] = position0;
    m_tapPositions[1] = position1;
    m_envelope[0] = envelope0;
    m_envelope[1] = envelope1;
    m_lastOutput = out;
    return rate;
}

// Lane 0 holds the first shifter's value, lane 1 the second's. The four tap
// lines and their whole-sample delays run in the order tap 0 of both, tap 1 of both.
void PitShift::tickPair(PitShift *const shifters[2], const float *const inputs[2], const double *const rates[2],
                        float *const outputs[2], int count)
{
    if (count <= 0)
    {
        return;
    }
    PitShift &one = *shifters[0];
    PitShift &two = *shifters[1];
    const __m128d window = _mm_setr_pd(one.getWindow(), two.getWindow());
    const __m128d upper = _mm_add_pd(window, _mm_set1_pd(TAP_MARGIN));
    const __m128d halfWindow = _mm_mul_pd(window, _mm_set1_pd(0.5));
    const __m128d signBit = _mm_set1_pd(-0.0);
    stk::DelayL *const lines[4] = {one.m_tapLines[0].get(), two.m_tapLines[0].get(), one.m_tapLines[1].get(),
                                   two.m_tapLines[1].get()};
    // Whole-sample delays fit 32 bits: they stay below MAXIMUM_DELAY.
    __m128i positions =
        _mm_setr_epi32(static_cast<int>(one.m_tapPositions[0]), static_cast<int>(two.m_tapPositions[0]),
                       static_cast<int>(one.m_tapPositions[1]), static_cast<int>(two.m_tapPositions[1]));
    __m128d delay0 = _mm_setr_pd(one.m_delay[0], two.m_delay[0]);
    __m128d delay1 = _mm_setr_pd(one.m_delay[1], two.m_delay[1]);
    __m128d envelope0 = _mm_setr_pd(one.m_envelope[0], two.m_envelope[0]);
    __m128d envelope1 = _mm_setr_pd(one.m_envelope[1], two.m_envelope[1]);
    __m128d out = _mm_setr_pd(one.m_lastOutput, two.m_lastOutput);
    for (int n = 0; n < count; ++n)
    {
        delay0 = wrapPairIntoWindow(_mm_add_pd(delay0, _mm_setr_pd(rates[0][n], rates[1][n])), window, upper);
        // delay0 lies in TAP_MARGIN … upper, so delay0 + L/2 lies above TAP_MARGIN and
        // at most L/2 beyond upper: one step down is all wrapIntoWindow ever takes.
        const __m128d farTap = _mm_add_pd(delay0, halfWindow);
        delay1 = _mm_sub_pd(farTap, _mm_and_pd(_mm_cmpgt_pd(farTap, upper), window));

        // Truncation, as moveTap's conversion of a positive delay.
        const __m128i wholes = _mm_unpacklo_epi64(_mm_cvttpd_epi32(delay0), _mm_cvttpd_epi32(delay1));
        const int unmoved = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(wholes, positions)));
        if (unmoved != 0xF)
        {
            alignas(16) std::int32_t whole[4];
            _mm_store_si128(reinterpret_cast<__m128i *>(whole), wholes);
            for (int tap = 0; tap < 4; ++tap)
            {
                if (((unmoved >> tap) & 1) == 0)
                {
                    lines[tap]->setDelay(static_cast<double>(whole[tap]));
                }
            }
            positions = wholes;
        }

        envelope1 = _mm_div_pd(
            _mm_andnot_pd(signBit, _mm_add_pd(_mm_sub_pd(delay0, halfWindow), _mm_set1_pd(TAP_MARGIN))), halfWindow);
        envelope0 = _mm_sub_pd(_mm_set1_pd(1.0), envelope1);

        const double x0 = static_cast<double>(inputs[0][n]);
        const double x1 = static_cast<double>(inputs[1][n]);
        const __m128d taps0 = _mm_setr_pd(lines[0]->tick(x0), lines[1]->tick(x1));
        const __m128d taps1 = _mm_setr_pd(lines[2]->tick(x0), lines[3]->tick(x1));
        out = _mm_add_pd(_mm_mul_pd(envelope0, taps0), _mm_mul_pd(envelope1, taps1));
        const __m128 rounded = _mm_cvtpd_ps(out);
        outputs[0][n] = _mm_cvtss_f32(rounded);
        outputs[1][n] = _mm_cvtss_f32(_mm_shuffle_ps(rounded, rounded, 1));
    }
    alignas(16) std::int32_t whole[4];
    _mm_store_si128(reinterpret_cast<__m128i *>(whole), positions);
    for (int shifter = 0; shifter < 2; ++shifter)
    {
        shifters[shifter]->m_tapPositions[0] = whole[shifter];
        shifters[shifter]->m_tapPositions[1] = whole[2 + shifter];
        shifters[shifter]->m_rate.store(rates[shifter][count - 1], std::memory_order_relaxed);
    }
    storeLanes(delay0, one.m_delay[0], two.m_delay[0]);
    storeLanes(delay1, one.m_delay[1], two.m_delay[1]);
    storeLanes(envelope0, one.m_envelope[0], two.m_envelope[0]);
    storeLanes(envelope1, one.m_envelope[1], two.m_envelope[1]);
    storeLanes(out, one.m_lastOutput, two.m_lastOutput);
}

double PitShift::tick(double x)
{
    const double rate = getRate();
    double out = 0.0;
    run(&x, &rate, &out, 1);
    return out;
}

void PitShift::tick(const float *input, const double *rates, float *output, int count)
{
    m_rate.store(run(input, rates, output, count), std::memory_order_relaxed);
}
} // namespace Orvalite::Veltrix
