// Audio thread: runs once per sample; no allocation, locks, I/O or exceptions.
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
    return delay > upper || delay < TAP_MARGIN ? wrapRemainingSteps(delay, window) : delay;
}

void PitShift::setShift(double shift)
{
    setRate(shift == 1.0 ? 0.0 : 1.0 - shift);
}

// The taps move in whole samples; the delays are positive, where the conversion
// to an integer truncates. Between moves a tap's read point advances with its
// write point, just where setting the same delay again would put it, so the
// line is only told when the whole-sample delay changes.
inline void PitShift::moveTap(int tap, double delay)
{
    const long whole = static_cast<long>(delay);
    if (whole != m_tapPositions[tap])
    {
        m_tapLines[tap]->setDelay(static_cast<double>(whole));
        m_tapPositions[tap] = whole;
    }
}

double PitShift::tick(double x)
{
    // One read of each setting, so that a concurrent change cannot mix two windows in
    // one sample. The window is at most MAXIMUM_WINDOW, so both delays end within
    // TAP_MARGIN … MAXIMUM_DELAY, the range setDelay accepts.
    const double window = getWindow();
    const double halfWindow = window * 0.5;

    m_delay[0] = wrapIntoWindow(m_delay[0] + getRate(), window);
    m_delay[1] = wrapIntoWindow(m_delay[0] + halfWindow, window);

    moveTap(0, m_delay[0]);
    moveTap(1, m_delay[1]);

    // Tap 1 is loudest where tap 0 jumps. Adding TAP_MARGIN (rather than taking it
    // away) puts tap 1's silent point 24 samples below the middle of the sweep, so at
    // the far end e1 exceeds 1 by 48/L and e0 dips below 0.
    m_envelope[1] = std::fabs(m_delay[0] - halfWindow + TAP_MARGIN) / halfWindow;
    m_envelope[0] = 1.0 - m_envelope[1];

    m_lastOutput = m_envelope[0] * m_tapLines[0]->tick(x) + m_envelope[1] * m_tapLines[1]->tick(x);
    return m_lastOutput;
}
} // namespace Orvalite::Veltrix
