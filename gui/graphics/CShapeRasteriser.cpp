#include "gui/graphics/CShapeRasteriser.h"

#include "gui/graphics/CLineRasteriser.h"
#include "gui/graphics/CPolygonFiller.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::GUI::Graphics
{
namespace
{
const double TWO_PI = 6.283185307179586;

// The angle of (x, y) seen from the centre, counter-clockwise on screen (y grows downwards).
double angleOf(double x, double y, double centreX, double centreY)
{
    return std::atan2(centreY - y, x - centreX);
}

double turn(double from, double to)
{
    const double difference = std::fmod(to - from, TWO_PI);
    return difference < 0.0 ? difference + TWO_PI : difference;
}
} // namespace

void CShapeRasteriser::roundedBox(const SPixelBox &box, int64_t cornerWidth, int64_t cornerHeight)
{
    if (box.isEmpty())
    {
        return;
    }
    const CDeviceContext::SPen &pen = m_context.getPen();
    const CDeviceContext::SBrush &brush = m_context.getBrush();
    const uint32_t brushPixel = CDeviceContext::opaquePixel(brush.colorRef);
    if (pen.isNull)
    {
        if (!brush.isNull)
        {
            fillShape(makeShape({box.left, box.top, box.right - 1, box.bottom - 1}, cornerWidth, cornerHeight),
                      brushPixel);
        }
        return;
    }
    const uint32_t penPixel = CDeviceContext::opaquePixel(pen.colorRef);
    forEachBand(
        makeShape(box, cornerWidth, cornerHeight),
        [&](int64_t y, int64_t left, int64_t right) { m_context.writeSpan(y, left, right, penPixel); },
        [&](int64_t y, int64_t left, int64_t right) {
            if (!brush.isNull)
            {
                m_context.writeSpan(y, left, right, brushPixel);
            }
        });
}

void CShapeRasteriser::arc(const SPixelBox &box, SPixelPoint start, SPixelPoint end, bool clockwise)
{
    const CDeviceContext::SPen &pen = m_context.getPen();
    if (box.isEmpty() || pen.isNull)
    {
        return;
    }
    const double centreX = (static_cast<double>(box.left) + static_cast<double>(box.right)) / 2.0;
    const double centreY = (static_cast<double>(box.top) + static_cast<double>(box.bottom)) / 2.0;
    const double startAngle = angleOf(start.x, start.y, centreX, centreY);
    const double endAngle = angleOf(end.x, end.y, centreX, centreY);
    const double sweep = clockwise ? turn(endAngle, startAngle) : turn(startAngle, endAngle);
    const bool whole = sweep == 0.0;
    const uint32_t penPixel = CDeviceContext::opaquePixel(pen.colorRef);
    const SPixelBox visible = m_context.getWritableBox();
    forEachBand(
        makeShape(box, box.right - box.left, box.bottom - box.top),
        [&](int64_t y, int64_t left, int64_t right) {
            for (int64_t x = std::max(left, visible.left); x < std::min(right, visible.right); ++x)
            {
                const double angle = angleOf(x + 0.5, y + 0.5, centreX, centreY);
                const double along = clockwise ? turn(angle, startAngle) : turn(startAngle, angle);
                if (whole || along <= sweep)
                {
                    m_context.writePixel(x, y, penPixel);
                }
            }
        },
        [](int64_t, int64_t, int64_t) {});
}

void CShapeRasteriser::polygon(const std::vector<SPixelPoint> &points)
{
    if (points.size() < 2)
    {
        return;
    }
    const CDeviceContext::SBrush &brush = m_context.getBrush();
    if (!brush.isNull)
    {
        std::vector<CPolygonFiller::SPoint> corners;
        for (const SPixelPoint &point : points)
        {
            corners.push_back({static_cast<double>(point.x), static_cast<double>(point.y)});
        }
        CPolygonFiller(m_context).fill(corners, CDeviceContext::opaquePixel(brush.colorRef));
    }
    CLineRasteriser lines(m_context);
    for (size_t index = 0; index < points.size(); ++index)
    {
        lines.drawLine(points[index], points[(index + 1) % points.size()]);
    }
}

bool CShapeRasteriser::spanOf(const SShape &shape, int64_t y, int64_t &first, int64_t &last)
{
    const SPixelBox &box = shape.box;
    if (box.isEmpty() || y < box.top || y >= box.bottom)
    {
        return false;
    }
    double indent = 0.0;
    if (shape.cornerWidth > 0.0 && shape.cornerHeight > 0.0)
    {
        // Rows within a corner's height of the top or bottom are indented along the corner ellipse.
        const double radiusX = shape.cornerWidth / 2.0;
        const double radiusY = shape.cornerHeight / 2.0;
        const double centre = static_cast<double>(y) + 0.5;
        const double fromTop = static_cast<double>(box.top) + radiusY - centre;
        const double fromBottom = centre - (static_cast<double>(box.bottom) - radiusY);
        const double distance = std::max({fromTop, fromBottom, 0.0}) / radiusY;
        indent = radiusX - radiusX * std::sqrt(std::max(0.0, 1.0 - distance * distance));
    }
    first = static_cast<int64_t>(std::ceil(static_cast<double>(box.left) + indent - 0.5));
    last = static_cast<int64_t>(std::floor(static_cast<double>(box.right) - indent - 0.5));
    return first <= last;
}

CShapeRasteriser::SShape CShapeRasteriser::makeShape(const SPixelBox &box, int64_t cornerWidth, int64_t cornerHeight)
{
    SShape shape;
    shape.box = box;
    shape.cornerWidth =
        static_cast<double>(std::clamp<int64_t>(cornerWidth, 0, std::max<int64_t>(0, box.right - box.left)));
    shape.cornerHeight =
        static_cast<double>(std::clamp<int64_t>(cornerHeight, 0, std::max<int64_t>(0, box.bottom - box.top)));
    return shape;
}

CShapeRasteriser::SShape CShapeRasteriser::inset(const SShape &shape, int64_t amount)
{
    SShape inner;
    inner.box = {shape.box.left + amount, shape.box.top + amount, shape.box.right - amount, shape.box.bottom - amount};
    const double shrink = 2.0 * static_cast<double>(amount);
    inner.cornerWidth = shape.cornerWidth > 0.0 ? std::max(0.0, shape.cornerWidth - shrink) : 0.0;
    inner.cornerHeight = shape.cornerHeight > 0.0 ? std::max(0.0, shape.cornerHeight - shrink) : 0.0;
    // A corner that shrank to nothing on one axis leaves a square inner corner.
    if (inner.cornerWidth == 0.0 || inner.cornerHeight == 0.0)
    {
        inner.cornerWidth = 0.0;
        inner.cornerHeight = 0.0;
    }
    return inner;
}

void CShapeRasteriser::fillShape(const SShape &shape, uint32_t argb)
{
    const SPixelBox rows = shape.box.intersectedWith(m_context.getWritableBox());
    for (int64_t y = rows.top; y < rows.bottom; ++y)
    {
        int64_t first = 0;
        int64_t last = 0;
        if (spanOf(shape, y, first, last))
        {
            m_context.writeSpan(y, first, last + 1, argb);
        }
    }
}

template <class TWrite, class TFill> void CShapeRasteriser::forEachBand(const SShape &shape, TWrite write, TFill fill)
{
    const SShape inner = inset(shape, std::max<int32_t>(1, m_context.getPen().width));
    const SPixelBox rows = shape.box.intersectedWith(m_context.getWritableBox());
    for (int64_t y = rows.top; y < rows.bottom; ++y)
    {
        int64_t first = 0;
        int64_t last = 0;
        int64_t innerFirst = 0;
        int64_t innerLast = 0;
        if (!spanOf(shape, y, first, last))
        {
            continue;
        }
        if (spanOf(inner, y, innerFirst, innerLast))
        {
            write(y, first, innerFirst);
            fill(y, innerFirst, innerLast + 1);
            write(y, innerLast + 1, last + 1);
        }
        else
        {
            write(y, first, last + 1);
        }
    }
}
} // namespace Orvalite::GUI::Graphics
