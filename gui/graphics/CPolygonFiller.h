// Scan-line filling of a polygon with real-valued corners: a pixel is filled
// when its centre lies inside by the alternate (even-odd) rule. Used for
// polygons and for the bodies of wide lines.
#pragma once

#include "gui/graphics/CDeviceContext.h"

#include <vector>

namespace Orvalite::GUI::Graphics
{
class CPolygonFiller
{
public:
    struct SPoint
    {
        double x = 0.0;
        double y = 0.0;
    };

    explicit CPolygonFiller(CDeviceContext &context) : m_context(context) {}

    // The polygon is closed implicitly; fewer than three points fill nothing.
    void fill(const std::vector<SPoint> &points, uint32_t argb);

private:
    // Where the edges cross the horizontal line at height `y`, sorted.
    static std::vector<double> crossings(const std::vector<SPoint> &points, double y);
    // The first pixel whose centre is at or right of x, limited to the box.
    static int64_t firstPixelFrom(double x, const SPixelBox &box);

    CDeviceContext &m_context;
};
} // namespace Orvalite::GUI::Graphics
