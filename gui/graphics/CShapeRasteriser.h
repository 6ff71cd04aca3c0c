// Outlined and filled shapes on a device context as GDI draws them: rectangles,
// rounded rectangles and ellipses in a box (left … right − 1, top … bottom − 1),
// arcs and polygons. A pixel belongs to a shape when its centre lies inside; the
// outline is the band of the pen's width along the inside of the shape's edge.
#pragma once

#include "gui/graphics/CDeviceContext.h"

namespace Orvalite::GUI::Graphics
{
class CShapeRasteriser
{
public:
    explicit CShapeRasteriser(CDeviceContext &context) : m_context(context) {}

    // Corner ellipses of cornerWidth × cornerHeight (0 for square corners, the
    // box's size for an ellipse): pen outline, brush inside.
    void roundedBox(const SPixelBox &box, int64_t cornerWidth, int64_t cornerHeight);
    // The outline of the ellipse in the box between the rays towards start and end.
    void arc(const SPixelBox &box, SPixelPoint start, SPixelPoint end, bool clockwise);
    void polygon(const std::vector<SPixelPoint> &points);

private:
    struct SShape
    {
        SPixelBox box;
        double cornerWidth = 0.0;
        double cornerHeight = 0.0;
    };

    // Pixels first … last of row y inside the shape; false when none are.
    static bool spanOf(const SShape &shape, int64_t y, int64_t &first, int64_t &last);
    static SShape makeShape(const SPixelBox &box, int64_t cornerWidth, int64_t cornerHeight);
    // The shape moved in by `amount` on every side, with corners shrunk to match.
    static SShape inset(const SShape &shape, int64_t amount);
    void fillShape(const SShape &shape, uint32_t argb);
    // Calls write(y, left, right) for the outline spans and fill(y, left, right)
    // for the inside spans of every visible row (right exclusive).
    template <class TWrite, class TFill> void forEachBand(const SShape &shape, TWrite write, TFill fill);

    CDeviceContext &m_context;
};
} // namespace Orvalite::GUI::Graphics
