// The grain pitch shifter of one voice: two taps of a delay line sweep through a
// window at the shift rate, half a window apart, and are crossfaded so that each
// tap's jump back across the window is faded out. The effect owns one per voice.
#pragma once

#include "effect/CTapDelayLine.h"

#include <atomic>

namespace Orvalite::Veltrix
{
class PitShift
{
public:
    // Samples of delay each tap line holds.
    static constexpr double MAXIMUM_DELAY = 16384.0;
    // Samples kept clear at the near end of the window: the tap delays sweep 12 … L + 12.
    static constexpr double TAP_MARGIN = 12.0;
    // The longest window whose far end, L + TAP_MARGIN, the tap lines still hold.
    static constexpr double MAXIMUM_WINDOW = MAXIMUM_DELAY - TAP_MARGIN;
    // The shortest window: keeps the envelopes' division by L/2 finite.
    static constexpr double MINIMUM_WINDOW = 1.0;
    // Where the taps start, in samples.
    static constexpr double INITIAL_DELAY_0 = 1012.0;
    static constexpr double INITIAL_DELAY_1 = 2512.0;

    // Window MAXIMUM_WINDOW, rate 1 (a shift of 0, the taps sweeping at one sample
    // per sample), silent tap lines.
    PitShift();
    ~PitShift();
    PitShift(const PitShift &) = delete;
    PitShift &operator=(const PitShift &) = delete;

    // Window length L in samples, clamped to MINIMUM_WINDOW … MAXIMUM_WINDOW;
    // non-finite values are ignored. The tap delays follow at the next tick.
    void setWindow(double window);
    double getWindow() const { return m_window.load(std::memory_order_relaxed); }

    // Change of the tap delays per sample; 0 freezes the taps. Non-finite values
    // are ignored.
    void setRate(double rate);
    double getRate() const { return m_rate.load(std::memory_order_relaxed); }
    // 1 − shift. A shift of exactly 1 gives exactly +0 (x − x is +0 when rounding to
    // nearest), so an unshifted voice is a steady two-tap echo, with no branch.
    static double rateForShift(double shift) { return 1.0 - shift; }

    // Silences the tap lines and the last output; delays, envelopes, rate and window stay.
    // Not for the audio thread while it ticks.
    void clear();

    // One sample in, one shifted sample out (no dry share), at the rate last set.
    // The signal path calls the block tick below.
    double tick(double x);
    // Audio thread: `count` samples, the rate set to rates[n] before each as setRate
    // would (a non-finite rate keeps the one before); outputs rounded to float.
    void tick(const float *input, const double *rates, float *output, int count);
    // Audio thread: the block tick of two shifters at once. The taps' delays and
    // envelopes of both run in the lanes of one SSE2 register; then each shifter's
    // tap line takes the stretches between its taps' moves whole. The scalar tick's
    // operations stay in the same order, so every output is bit for bit the one the
    // block tick gives. Every rate must be finite; the block tick is the one that
    // skips others.
    static void tickPair(PitShift *const shifters[2], const float *const inputs[2], const double *const rates[2],
                         float *const outputs[2], int count);

    double lastOut() const { return m_lastOutput; }
    // Samples, TAP_MARGIN … L + TAP_MARGIN after a tick; tap is 0 or 1.
    double getTapDelay(int tap) const { return m_delay[tap]; }
    // Crossfade weight of a tap as of the last tick.
    double getEnvelope(int tap) const { return m_envelope[tap]; }

private:
    // A delay in samples brought into TAP_MARGIN … window + TAP_MARGIN.
    static double wrapIntoWindow(double delay, double window);

    // Sets `tap` of the line to the whole-sample part of `delay` when that has moved
    // from `position`, the whole-sample delay it was last set to.
    void moveTap(int tap, long &position, double delay);
    // Samples the pair tick plans at a time: their envelopes and tap moves live on the stack.
    static constexpr int PAIR_FRAMES = 256;
    // The pair tick over at most PAIR_FRAMES samples.
    static void tickPairFrames(PitShift *const shifters[2], const float *const inputs[2], const double *const rates[2],
                               float *const outputs[2], int count);

    // One shifter's share of the pair tick's plan: envelopes and tap moves per sample.
    struct SShifterPlan;
    // Runs the tap line through `count` samples as the pair tick planned them.
    void playPlan(const SShifterPlan &plan, const float *input, float *output, int count);

    // The loop behind both ticks, on local copies of the tap state, which it stores
    // back at the end; returns the rate in force after the last sample.
    template <typename TSample> double run(const TSample *input, const double *rates, TSample *output, int count);

    // Both taps read one line: they are written the same input.
    CTapDelayLine m_tapLine;
    // The whole-sample delay each tap was last set to; -1 before the first tick.
    long m_tapPositions[2] = {-1, -1};
    double m_lastOutput = 0.0;
    double m_delay[2] = {INITIAL_DELAY_0, INITIAL_DELAY_1};
    double m_envelope[2] = {0.0, 0.0};
    // Written by setters that may run on another thread than tick(), read whole.
    std::atomic<double> m_rate{1.0};
    std::atomic<double> m_window{MAXIMUM_WINDOW};
    static_assert(std::atomic<double>::is_always_lock_free);
};
} // namespace Orvalite::Veltrix
