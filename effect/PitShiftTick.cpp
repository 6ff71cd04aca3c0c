// Audio thread: the block tick runs once per slice of a block (the effect hands it
// at most 256 frames at a time); no allocation, locks, I/O or exceptions.
// STK's DelayL::setDelay formats a message and calls its error handler for a delay
// outside 0 … its maximum, so every delay handed to it is kept inside.
#include "effect/PitShift.h"

#include <cmath>

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
