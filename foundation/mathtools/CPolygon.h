// An ordered list of points, owned by the polygon: the points are shared by
// reference count with the polygon's collection and die with it.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "foundation/collections/TCountedPointerArray.h"
#include "foundation/mathtools/CPoint.h"

namespace Orvalite::MathTools
{
class CPolygon : public Basics::CCountedObject
{
public:
    CPolygon() = default;
    // `numberOfPoints` points at (0, 0).
    explicit CPolygon(long numberOfPoints);
    CPolygon(const CPolygon &other);

    // Copies the other polygon's points into points of this one's own.
    virtual CPolygon &operator=(const CPolygon &other);
    // The same points in the same order.
    virtual bool operator==(const CPolygon &other) const;

    // Replaces every point by `numberOfPoints` points at (0, 0).
    void setNumberOfPoints(long numberOfPoints);
    long getNumberOfPoints() const;
    // Null when `index` is not that of a point.
    CPoint *getPoint(long index);
    const CPoint *getPoint(long index) const;
    // Ignored when `index` is not that of a point.
    void setPoint(long index, const CPoint &point);
    void setPoint(long index, long xPosition, long yPosition);
    void offset(const CPoint &delta);

    ORVALITE_CLASS_RECORD(CPolygon)

private:
    Collections::TCountedPointerArray<CPoint> m_points;
};
} // namespace Orvalite::MathTools
