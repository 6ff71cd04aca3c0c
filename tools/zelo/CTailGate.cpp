#include "tools/zelo/CTailGate.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace Zelo::Tools
{
namespace
{
// -96 dBFS, 10^(-96/20): a frame is quiet when both its samples stay below it.
constexpr float QUIET_LEVEL = 1.5848932e-5f;

bool isLoud(float left, float right)
{
    return std::fabs(left) >= QUIET_LEVEL || std::fabs(right) >= QUIET_LEVEL;
}
} // namespace

CTailGate::CTailGate(Sink sink, size_t quietWindow, size_t maxTail)
    : m_sink(std::move(sink)), m_quietWindow(quietWindow), m_maxTail(maxTail)
{
}

void CTailGate::endInput(size_t inputFrames)
{
    m_inputEnd = inputFrames;
}

bool CTailGate::isDone() const
{
    return m_position >= m_inputEnd && (m_position - m_inputEnd >= m_maxTail || m_quietRun >= m_quietWindow);
}

void CTailGate::write(const float *left, const float *right, size_t frames)
{
    const size_t passed = passInput(left, right, frames);
    takeTail(left, right, passed, frames);
}

size_t CTailGate::passInput(const float *left, const float *right, size_t frames)
{
    const size_t passed = m_position < m_inputEnd ? std::min(frames, m_inputEnd - m_position) : 0;
    if (passed == 0)
    {
        return 0;
    }
    m_sink(left, right, passed);
    m_position += passed;
    // Only the quiet frames at the end count, so the search runs backwards.
    size_t loudEnd = passed;
    while (loudEnd > 0 && !isLoud(left[loudEnd - 1], right[loudEnd - 1]))
    {
        --loudEnd;
    }
    m_quietRun = loudEnd > 0 ? passed - loudEnd : m_quietRun + passed;
    return passed;
}

void CTailGate::takeTail(const float *left, const float *right, size_t start, size_t frames)
{
    size_t end = start;
    size_t loudEnd = start;
    for (; end < frames && !isDone(); ++end, ++m_position)
    {
        if (isLoud(left[end], right[end]))
        {
            loudEnd = end + 1;
            m_quietRun = 0;
        }
        else
        {
            ++m_quietRun;
        }
    }
    // Cut at the cap while the tail still sounds: its quiet frames stay.
    if (isDone() && m_quietRun < m_quietWindow)
    {
        loudEnd = end;
    }
    if (loudEnd > start)
    {
        flushHeld();
        m_sink(left + start, right + start, loudEnd - start);
    }
    m_heldLeft.insert(m_heldLeft.end(), left + loudEnd, left + end);
    m_heldRight.insert(m_heldRight.end(), right + loudEnd, right + end);
}

void CTailGate::flushHeld()
{
    if (!m_heldLeft.empty())
    {
        m_sink(m_heldLeft.data(), m_heldRight.data(), m_heldLeft.size());
        m_heldLeft.clear();
        m_heldRight.clear();
    }
}
} // namespace Zelo::Tools
