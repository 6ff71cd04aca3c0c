// A feedback delay line with a cubic (Catmull-Rom) read: the delay of one voice,
// and the optional half-grain delay of the dry path. The effect owns four, by value.
#pragma once

#include <array>
#include <atomic>
#include <cmath>

namespace Orvalite::Veltrix
{
class VeltrixDelayLine
{
public:
    // Samples held: 100 ms at 192 kHz, the longest delay of any voice.
    static constexpr int CAPACITY = 19200;
    // The shortest length: the read's left neighbour, trunc(length) − 1, must be a sample.
    static constexpr float MINIMUM_LENGTH = 1.0f;

    // Silent, length CAPACITY, no feedback.
    VeltrixDelayLine();

    // Samples, clamped to MINIMUM_LENGTH … CAPACITY; non-finite values are ignored.
    // The buffer wraps at the length, so a fractional length delays by its
    // ceiling once the write position has wrapped.
    void setLength(float length);
    float getLength() const { return m_length.load(std::memory_order_relaxed); }

    // Share of the output fed back into the line, clamped to 0 … 1; non-finite
    // values are ignored. At 1 the line is a lossless comb.
    void setFeedback(float feedback);
    float getFeedback() const { return m_feedback.load(std::memory_order_relaxed); }

    // Silences the line and starts writing at sample 0; length and feedback stay.
    // Not for the audio thread while it processes.
    void clear();

    // Audio thread: for each of `count` samples, in place, writes it plus the
    // fed-back output and gives back the delayed sample. Length and feedback are
    // read once for all of them, so a concurrent change never mixes two lengths.
    void process(float *samples, int count);

private:
    // The write position at which the buffer wraps: ceil(length). Whole numbers
    // below 2^24 convert to float exactly, so a position is at least the length
    // (compared as float) exactly when it is at least this.
    static int wrapPosition(float length) { return static_cast<int>(std::ceil(length)); }
    // One sample at the given settings, advancing `writePosition`.
    float processAt(float x, float length, int wrapAt, float feedback, int &writePosition);
    // `count` samples from `writePosition` on, all before the wrap point; false,
    // with nothing done, when one of them would read a negative zero.
    bool runStraight(float *samples, int writePosition, int count, float feedback);
    // The Catmull-Rom read at `t` past sample i0, its neighbours wrapped at trunc(length).
    float cubicRead(int i0, float t, float length) const;

    // Setters may run on the user-interface thread while process() runs on the audio
    // thread, so length and feedback are written and read whole.
    static_assert(std::atomic<float>::is_always_lock_free);

    std::array<float, CAPACITY> m_samples{};
    // 0 … ceil(length) − 1 after each process(); below CAPACITY always.
    int m_writePosition = 0;
    std::atomic<float> m_length{static_cast<float>(CAPACITY)};
    std::atomic<float> m_feedback{0.0f};
};
} // namespace Orvalite::Veltrix
