// Decides how much of a rendering reaches the output: the input's length always,
// then the effect's tail while it is audible, up to a cap. Quiet frames past the
// input's end are held back until a loud frame follows them (they are written)
// or they fill the quiet window (the tail is over and they are dropped), so the
// output ends on its last frame above -96 dBFS, or exactly at the cap while the
// tail still sounds. Owned by one rendering.
#pragma once

#include <cstddef>
#include <functional>
#include <limits>
#include <vector>

namespace Zelo::Tools
{
class CTailGate
{
public:
    // Takes the frames let through.
    using Sink = std::function<void(const float *left, const float *right, size_t frames)>;

    // The tail ends after `quietWindow` quiet frames in a row, or `maxTail` frames past the input's end.
    CTailGate(Sink sink, size_t quietWindow, size_t maxTail);

    // The input's length, once known; until then every frame passes.
    void endInput(size_t inputFrames);
    // The next output frames; those past the end of the output are ignored.
    void write(const float *left, const float *right, size_t frames);
    // Whether the output is complete: no further frame will be let through.
    bool isDone() const;

private:
    // Frames inside the input's length: written at once, their quiet end counted.
    size_t passInput(const float *left, const float *right, size_t frames);
    // Frames past the input's end, from `start`.
    void takeTail(const float *left, const float *right, size_t start, size_t frames);
    void flushHeld();

    Sink m_sink;
    size_t m_quietWindow;
    size_t m_maxTail;
    size_t m_inputEnd = std::numeric_limits<size_t>::max();
    // Frames taken so far, held ones included.
    size_t m_position = 0;
    // Quiet frames in a row up to m_position.
    size_t m_quietRun = 0;
    // Quiet frames past the input's end not written yet.
    std::vector<float> m_heldLeft, m_heldRight;
};
} // namespace Zelo::Tools
