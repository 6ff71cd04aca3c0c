// Audio thread: the block tick runs once per slice of a block (the effect hands it
// at most 256 frames at a time); no allocation, locks, I/O or exceptions.
// Every delay handed to the tap line is kept inside 0 … its maximum, where it moves the tap.
#include "effect/PitShift.h"

#include <emmintrin.h>

#include <algorithm>
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
    _mm_storel_pd(&first, lanes);
    _mm_storeh_pd(&second, lanes);
}

} // namespace

// Each sample's envelopes and the taps' moves in frame order.
struct PitShift::SShifterPlan
{
    // A tap set to a new whole-sample delay before the tick of `frame`.
    struct STapMove
    {
        int frame;
        int tap;
        int whole;
    };

    double envelope0[PAIR_FRAMES];
    double envelope1[PAIR_FRAMES];
    STapMove moves[CTapDelayLine::TAPS * PAIR_FRAMES];
    int moveCount = 0;
};

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
inline void PitShift::moveTap(int tap, long &position, double delay)
{
    const long whole = static_cast<long>(delay);
    if (whole != position)
    {
        m_tapLine.setDelay(tap, static_cast<double>(whole));
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

        moveTap(0, position0, delay0);
        moveTap(1, position1, delay1);

        // Tap 1 is loudest where tap 0 jumps. Adding TAP_MARGIN (rather than taking it
        // away) puts tap 1's silent point 24 samples below the middle of the sweep, so at
        // the far end e1 exceeds 1 by 48/L and e0 dips below 0.
        envelope1 = std::fabs(delay0 - halfWindow + TAP_MARGIN) / halfWindow;
        envelope0 = 1.0 - envelope1;

        double taps[CTapDelayLine::TAPS];
        m_tapLine.tick(static_cast<double>(input[n]), taps);
        out = envelope0 * taps[0] + envelope1 * taps[1];
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

void PitShift::tickPair(PitShift *const shifters[2], const float *const inputs[2], const double *const rates[2],
                        float *const outputs[2], int count)
{
    for (int start = 0; start < count; start += PAIR_FRAMES)
    {
        const float *const frameInputs[2] = {inputs[0] + start, inputs[1] + start};
        const double *const frameRates[2] = {rates[0] + start, rates[1] + start};
        float *const frameOutputs[2] = {outputs[0] + start, outputs[1] + start};
        tickPairFrames(shifters, frameInputs, frameRates, frameOutputs, std::min(PAIR_FRAMES, count - start));
    }
}

// First the plan, in two lanes: lane 0 holds the first shifter's value, lane 1
// the second's, and the four taps' whole-sample delays run in the order tap 0 of
// both, tap 1 of both. Then each shifter's line plays its plan.
void PitShift::tickPairFrames(PitShift *const shifters[2], const float *const inputs[2], const double *const rates[2],
                              float *const outputs[2], int count)
{
    PitShift &one = *shifters[0];
    PitShift &two = *shifters[1];
    const __m128d window = _mm_setr_pd(one.getWindow(), two.getWindow());
    const __m128d upper = _mm_add_pd(window, _mm_set1_pd(TAP_MARGIN));
    const __m128d halfWindow = _mm_mul_pd(window, _mm_set1_pd(0.5));
    const __m128d signBit = _mm_set1_pd(-0.0);
    // Whole-sample delays fit 32 bits: they stay below MAXIMUM_DELAY.
    __m128i positions =
        _mm_setr_epi32(static_cast<int>(one.m_tapPositions[0]), static_cast<int>(two.m_tapPositions[0]),
                       static_cast<int>(one.m_tapPositions[1]), static_cast<int>(two.m_tapPositions[1]));
    __m128d delay0 = _mm_setr_pd(one.m_delay[0], two.m_delay[0]);
    __m128d delay1 = _mm_setr_pd(one.m_delay[1], two.m_delay[1]);
    __m128d envelope0 = _mm_setr_pd(one.m_envelope[0], two.m_envelope[0]);
    __m128d envelope1 = _mm_setr_pd(one.m_envelope[1], two.m_envelope[1]);
    SShifterPlan plans[2];
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
            for (int lane = 0; lane < 4; ++lane)
            {
                if (((unmoved >> lane) & 1) == 0)
                {
                    SShifterPlan &plan = plans[lane & 1];
                    plan.moves[plan.moveCount++] = {n, lane >> 1, whole[lane]};
                }
            }
            positions = wholes;
        }

        envelope1 = _mm_div_pd(
            _mm_andnot_pd(signBit, _mm_add_pd(_mm_sub_pd(delay0, halfWindow), _mm_set1_pd(TAP_MARGIN))), halfWindow);
        envelope0 = _mm_sub_pd(_mm_set1_pd(1.0), envelope1);
        storeLanes(envelope0, plans[0].envelope0[n], plans[1].envelope0[n]);
        storeLanes(envelope1, plans[0].envelope1[n], plans[1].envelope1[n]);
    }
    alignas(16) std::int32_t whole[4];
    _mm_store_si128(reinterpret_cast<__m128i *>(whole), positions);
    for (int shifter = 0; shifter < 2; ++shifter)
    {
        shifters[shifter]->m_tapPositions[0] = whole[shifter];
        shifters[shifter]->m_tapPositions[1] = whole[2 + shifter];
        shifters[shifter]->m_rate.store(rates[shifter][count - 1], std::memory_order_relaxed);
        shifters[shifter]->playPlan(plans[shifter], inputs[shifter], outputs[shifter], count);
    }
    storeLanes(delay0, one.m_delay[0], two.m_delay[0]);
    storeLanes(delay1, one.m_delay[1], two.m_delay[1]);
    storeLanes(envelope0, one.m_envelope[0], two.m_envelope[0]);
    storeLanes(envelope1, one.m_envelope[1], two.m_envelope[1]);
}

// The line takes each stretch between two moves of the taps whole.
void PitShift::playPlan(const SShifterPlan &plan, const float *input, float *output, int count)
{
    int next = 0;
    for (int frame = 0; frame < count;)
    {
        for (; next < plan.moveCount && plan.moves[next].frame == frame; ++next)
        {
            m_tapLine.setDelay(plan.moves[next].tap, static_cast<double>(plan.moves[next].whole));
        }
        const int end = next < plan.moveCount ? plan.moves[next].frame : count;
        m_lastOutput = m_tapLine.tickWeighted(input + frame, plan.envelope0 + frame, plan.envelope1 + frame,
                                              output + frame, end - frame);
        frame = end;
    }
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
