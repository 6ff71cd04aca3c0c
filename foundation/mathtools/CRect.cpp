#include "foundation/mathtools/CRect.h"

#include "foundation/basics/CStringTokeniser.h"

#include <algorithm>

namespace Orvalite::MathTools
{
using Basics::CString;

ORVALITE_DEFINE_CLASS_RECORD(CRect, "CRect", "CCountedObject")

namespace
{
const long NUMBER_OF_FIELDS = 4;

// Coordinates are 32-bit and wrap round: sums are taken wider, so they never
// overflow, and cut back to 32 bits (a long argument counts modulo 2^32 too).
int32_t wrapped(int64_t value)
{
    return static_cast<int32_t>(value);
}

int32_t coordinate(long value)
{
    return static_cast<int32_t>(value);
}
} // namespace

CRect::CRect(long left, long top, long width, long height)
{
    setRect(left, top, width, height);
}

CRect::CRect(const CRect &other) : CCountedObject(other)
{
    *this = other;
}

CRect::CRect(const CPoint &origin, const CDimension &size)
{
    setRect(origin, size);
}

void CRect::getObjectDescription(char *buffer, long size) const
{
    CString text;
    text.setStringWithFormat("[%li,%li,%li,%li]", getLeft(), getTop(), getWidth(), getHeight());
    text.getString(buffer, size);
}

CRect &CRect::operator=(const CRect &other)
{
    m_width = other.m_width;
    m_height = other.m_height;
    m_left = other.m_left;
    m_right = other.m_right;
    m_top = other.m_top;
    m_bottom = other.m_bottom;
    return *this;
}

bool CRect::operator==(const CRect &other) const
{
    return m_left == other.m_left && m_top == other.m_top && m_width == other.m_width && m_height == other.m_height;
}

void CRect::setRect(long left, long top, long width, long height)
{
    m_left = coordinate(left);
    m_top = coordinate(top);
    m_width = coordinate(width);
    m_height = coordinate(height);
    updateEdges();
}

void CRect::setRect(const CPoint &origin, const CDimension &size)
{
    setRect(origin.getXPosition(), origin.getYPosition(), size.getWidth(), size.getHeight());
}

void CRect::setLeft(long left)
{
    m_left = coordinate(left);
    updateEdges();
}

void CRect::setTop(long top)
{
    m_top = coordinate(top);
    updateEdges();
}

void CRect::setWidth(long width)
{
    m_width = coordinate(width);
    updateEdges();
}

void CRect::setHeight(long height)
{
    m_height = coordinate(height);
    updateEdges();
}

void CRect::setOrigin(const CPoint &origin)
{
    setRect(origin.getXPosition(), origin.getYPosition(), m_width, m_height);
}

void CRect::setDimension(const CDimension &size)
{
    setRect(m_left, m_top, size.getWidth(), size.getHeight());
}

void CRect::offset(const CPoint &delta)
{
    m_left = wrapped(static_cast<int64_t>(m_left) + delta.getXPosition());
    m_top = wrapped(static_cast<int64_t>(m_top) + delta.getYPosition());
    updateEdges();
}

void CRect::inset(long amount)
{
    const int64_t edge = coordinate(amount);
    m_left = wrapped(m_left + edge);
    m_top = wrapped(m_top + edge);
    m_width = wrapped(m_width - 2 * edge);
    m_height = wrapped(m_height - 2 * edge);
    updateEdges();
}

long CRect::getCentralXPosition() const
{
    return wrapped(static_cast<int64_t>(m_width / 2) + m_left);
}

long CRect::getCentralYPosition() const
{
    return wrapped(static_cast<int64_t>(m_height / 2) + m_top);
}

void CRect::getIntersection(const CRect &first, const CRect &second, CRect &intersection)
{
    // Everything is read before anything is written, as the result may alias an input.
    const int32_t left = std::max(first.m_left, second.m_left);
    const int32_t top = std::max(first.m_top, second.m_top);
    const int32_t right = std::min(first.m_right, second.m_right);
    const int32_t bottom = std::min(first.m_bottom, second.m_bottom);
    intersection.m_left = left;
    intersection.m_top = top;
    intersection.m_right = right;
    intersection.m_bottom = bottom;
    intersection.m_width = wrapped(static_cast<int64_t>(right) - left);
    intersection.m_height = wrapped(static_cast<int64_t>(bottom) - top);
}

SPlatformRect CRect::toRECT() const
{
    SPlatformRect rect;
    rect.left = m_left;
    rect.top = m_top;
    rect.right = m_right;
    rect.bottom = m_bottom;
    return rect;
}

void CRect::fromRECT(const SPlatformRect &rect)
{
    setRect(rect.left, rect.top, static_cast<int64_t>(rect.right) - rect.left,
            static_cast<int64_t>(rect.bottom) - rect.top);
}

CString CRect::toString(const CRect &rect)
{
    CString text;
    text.setStringWithFormat("%li,%li,%li,%li", rect.getLeft(), rect.getTop(), rect.getWidth(), rect.getHeight());
    return text;
}

CRect CRect::fromString(const CString &text)
{
    Basics::CStringTokeniser tokeniser(text, ',');
    if (tokeniser.countTokens() != NUMBER_OF_FIELDS)
    {
        return CRect();
    }
    long fields[NUMBER_OF_FIELDS] = {};
    CString token;
    for (long &field : fields)
    {
        if (!tokeniser.nextToken(token))
        {
            return CRect();
        }
        field = CString::toInt(token);
    }
    return CRect(fields[0], fields[1], fields[2], fields[3]);
}

void CRect::updateEdges()
{
    m_right = wrapped(static_cast<int64_t>(m_left) + m_width);
    m_bottom = wrapped(static_cast<int64_t>(m_top) + m_height);
}
} // namespace Orvalite::MathTools
