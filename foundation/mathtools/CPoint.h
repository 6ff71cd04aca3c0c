// A position in window pixels (y grows downwards). Used by value, or shared by
// pointer through its reference count, as in a polygon's point list.
#pragma once

#include "foundation/basics/CCountedObject.h"

#include <cstdint>

namespace Orvalite::MathTools
{
class CPoint : public Basics::CCountedObject
{
public:
    CPoint(long xPosition = 0, long yPosition = 0);
    CPoint(const CPoint &other);

    // "[x,y]"
    void getObjectDescription(char *buffer, long size) const override;

    void setPoint(long xPosition, long yPosition);
    long getXPosition() const { return m_xPosition; }
    long getYPosition() const { return m_yPosition; }

    CPoint &operator=(const CPoint &other);
    bool operator==(const CPoint &other) const;
    CPoint &operator+=(const CPoint &delta);
    CPoint &operator-=(const CPoint &delta);
    void offset(const CPoint &delta);
    void offset(long deltaX, long deltaY);

    ORVALITE_CLASS_RECORD(CPoint)

private:
    int32_t m_xPosition = 0;
    int32_t m_yPosition = 0;
};
} // namespace Orvalite::MathTools
