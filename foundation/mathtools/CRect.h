// An axis-aligned rectangle in window pixels: left, top, width and height, with
// right and bottom kept one past the last pixel by every setter.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "foundation/basics/CString.h"
#include "foundation/mathtools/CDimension.h"
#include "foundation/mathtools/CPoint.h"
#include "foundation/mathtools/SPlatformRect.h"

#include <cstdint>

namespace Orvalite::MathTools
{
class CRect : public Basics::CCountedObject
{
public:
    CRect(long left = 0, long top = 0, long width = 0, long height = 0);
    CRect(const CRect &other);
    CRect(const CPoint &origin, const CDimension &size);

    // "[left,top,width,height]"
    void getObjectDescription(char *buffer, long size) const override;
    virtual CRect &operator=(const CRect &other);
    // Compares left, top, width and height.
    virtual bool operator==(const CRect &other) const;

    void setRect(long left, long top, long width, long height);
    void setRect(const CPoint &origin, const CDimension &size);
    // setLeft and setTop move the rectangle and keep its size; setWidth and
    // setHeight keep its origin.
    void setLeft(long left);
    void setTop(long top);
    void setWidth(long width);
    void setHeight(long height);
    void setOrigin(const CPoint &origin);
    void setDimension(const CDimension &size);
    void offset(const CPoint &delta);
    // Shrinks the rectangle by `amount` on every side, so its centre stays put;
    // a negative amount grows it.
    void inset(long amount);

    long getLeft() const { return m_left; }
    long getTop() const { return m_top; }
    long getRight() const { return m_right; }
    long getBottom() const { return m_bottom; }
    long getWidth() const { return m_width; }
    long getHeight() const { return m_height; }
    // Half the size (truncated towards zero) past the origin.
    long getCentralXPosition() const;
    long getCentralYPosition() const;

    // The overlap of two rectangles, not clamped: for disjoint rectangles the
    // width or height comes out negative, which callers test. `intersection`
    // may be one of the inputs.
    static void getIntersection(const CRect &first, const CRect &second, CRect &intersection);

    SPlatformRect toRECT() const;
    void fromRECT(const SPlatformRect &rect);

    // "left,top,width,height", the form control positions take in XML.
    static Basics::CString toString(const CRect &rect);
    // The inverse of toString. Anything but exactly four comma-separated fields
    // gives the empty rectangle; fields that are not numbers read as 0.
    static CRect fromString(const Basics::CString &text);

    ORVALITE_CLASS_RECORD(CRect)

private:
    // Derives right and bottom from the origin and size.
    void updateEdges();

    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_left = 0;
    int32_t m_right = 0;
    int32_t m_top = 0;
    int32_t m_bottom = 0;
};
} // namespace Orvalite::MathTools
