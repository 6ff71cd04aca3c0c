#include "foundation/mathtools/CPolygon.h"

namespace Orvalite::MathTools
{
ORVALITE_DEFINE_CLASS_RECORD(CPolygon, "CPolygon", "CCountedObject")

CPolygon::CPolygon(long numberOfPoints)
{
    setNumberOfPoints(numberOfPoints);
}

CPolygon::CPolygon(const CPolygon &other) : CCountedObject(other)
{
    *this = other;
}

CPolygon &CPolygon::operator=(const CPolygon &other)
{
    // Resizing replaces every point, so it is kept to a change of count; that
    // also leaves a self-assignment intact.
    if (getNumberOfPoints() != other.getNumberOfPoints())
    {
        setNumberOfPoints(other.getNumberOfPoints());
    }
    for (long index = 0; index < getNumberOfPoints(); ++index)
    {
        setPoint(index, *other.getPoint(index));
    }
    return *this;
}

bool CPolygon::operator==(const CPolygon &other) const
{
    if (getNumberOfPoints() != other.getNumberOfPoints())
    {
        return false;
    }
    for (long index = 0; index < getNumberOfPoints(); ++index)
    {
        if (!(*getPoint(index) == *other.getPoint(index)))
        {
            return false;
        }
    }
    return true;
}

void CPolygon::setNumberOfPoints(long numberOfPoints)
{
    m_points.clearArray();
    for (long index = 0; index < numberOfPoints; ++index)
    {
        m_points.addElement(new CPoint(0, 0));
    }
}

long CPolygon::getNumberOfPoints() const
{
    return m_points.getInsertIndex();
}

CPoint *CPolygon::getPoint(long index)
{
    return index >= 0 && index < getNumberOfPoints() ? m_points.getElementAtIndex(index) : nullptr;
}

const CPoint *CPolygon::getPoint(long index) const
{
    return index >= 0 && index < getNumberOfPoints() ? m_points.getElementAtIndex(index) : nullptr;
}

void CPolygon::setPoint(long index, const CPoint &point)
{
    if (CPoint *target = getPoint(index))
    {
        *target = point;
    }
}

void CPolygon::setPoint(long index, long xPosition, long yPosition)
{
    if (CPoint *target = getPoint(index))
    {
        target->setPoint(xPosition, yPosition);
    }
}

void CPolygon::offset(const CPoint &delta)
{
    for (long index = 0; index < getNumberOfPoints(); ++index)
    {
        getPoint(index)->offset(delta);
    }
}
} // namespace Orvalite::MathTools
