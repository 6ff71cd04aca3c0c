#include "foundation/mathtools/CPoint.h"

#include "foundation/basics/CString.h"

namespace Orvalite::MathTools
{
ORVALITE_DEFINE_CLASS_RECORD(CPoint, "CPoint", "CCountedObject")

namespace
{
// Coordinates are 32-bit and wrap round: sums are taken wider, so they never
// overflow, and cut back to 32 bits (a long argument counts modulo 2^32 too).
int32_t wrapped(int64_t value)
{
    return static_cast<int32_t>(value);
}
} // namespace

CPoint::CPoint(long xPosition, long yPosition)
{
    setPoint(xPosition, yPosition);
}

CPoint::CPoint(const CPoint &other)
    : CCountedObject(other), m_xPosition(other.m_xPosition), m_yPosition(other.m_yPosition)
{
}

void CPoint::getObjectDescription(char *buffer, long size) const
{
    Basics::CString text;
    text.setStringWithFormat("[%li,%li]", getXPosition(), getYPosition());
    text.getString(buffer, size);
}

void CPoint::setPoint(long xPosition, long yPosition)
{
    m_xPosition = static_cast<int32_t>(xPosition);
    m_yPosition = static_cast<int32_t>(yPosition);
}

CPoint &CPoint::operator=(const CPoint &other)
{
    m_xPosition = other.m_xPosition;
    m_yPosition = other.m_yPosition;
    return *this;
}

bool CPoint::operator==(const CPoint &other) const
{
    return m_xPosition == other.m_xPosition && m_yPosition == other.m_yPosition;
}

CPoint &CPoint::operator+=(const CPoint &delta)
{
    offset(delta.m_xPosition, delta.m_yPosition);
    return *this;
}

CPoint &CPoint::operator-=(const CPoint &delta)
{
    m_xPosition = wrapped(static_cast<int64_t>(m_xPosition) - delta.m_xPosition);
    m_yPosition = wrapped(static_cast<int64_t>(m_yPosition) - delta.m_yPosition);
    return *this;
}

void CPoint::offset(const CPoint &delta)
{
    offset(delta.m_xPosition, delta.m_yPosition);
}

void CPoint::offset(long deltaX, long deltaY)
{
    m_xPosition = wrapped(static_cast<int64_t>(m_xPosition) + static_cast<int32_t>(deltaX));
    m_yPosition = wrapped(static_cast<int64_t>(m_yPosition) + static_cast<int32_t>(deltaY));
}
} // namespace Orvalite::MathTools
