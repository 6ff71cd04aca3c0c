#include "gui/graphics/CLineRasteriser.h"

#include "gui/graphics/CPolygonFiller.h"
#include "gui/graphics/CRasterMath.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::GUI::Graphics
{
void CLineRasteriser::drawLine(SPixelPoint from, SPixelPoint to)
{
    const CDeviceContext::SPen &pen = m_context.getPen();
    if (pen.isNull || (from.x == to.x && from.y == to.y))
    {
        return;
    }
    const uint32_t argb = CDeviceContext::opaquePixel(pen.colorRef);
    if (pen.width > 1)
    {
        drawWideLine(from, to, pen.width, argb);
    }
    else
    {
        drawThinLine(from, to, argb);
    }
}

void CLineRasteriser::drawThinLine(SPixelPoint from, SPixelPoint to, uint32_t argb)
{
    const SPixelBox box = m_context.getWritableBox();
    const int64_t deltaX = int64_t{to.x} - from.x;
    const int64_t deltaY = int64_t{to.y} - from.y;
    const bool xMajor = std::llabs(deltaX) >= std::llabs(deltaY);
    const int64_t major = xMajor ? std::llabs(deltaX) : std::llabs(deltaY);
    const int64_t minor = xMajor ? std::llabs(deltaY) : std::llabs(deltaX);
    const int64_t majorStart = xMajor ? from.x : from.y;
    const int64_t minorStart = xMajor ? from.y : from.x;
    const int64_t majorStep = (xMajor ? deltaX : deltaY) > 0 ? 1 : -1;
    const int64_t minorStep = (xMajor ? deltaY : deltaX) > 0 ? 1 : -1;
    int64_t lowest = 0;
    int64_t highest = 0;
    // Only the steps whose major coordinate is on the writable box are visited.
    if (box.isEmpty() || !CRasterMath::stepsInside(majorStart, majorStep, major, xMajor ? box.left : box.top,
                                                   xMajor ? box.right : box.bottom, lowest, highest))
    {
        return;
    }
    for (int64_t step = lowest; step <= highest; ++step)
    {
        const int64_t along = majorStart + majorStep * step;
        const int64_t across = minorStart + minorStep * static_cast<int64_t>(CRasterMath::mulDivRound(
                                                            static_cast<uint64_t>(step), static_cast<uint64_t>(minor),
                                                            static_cast<uint64_t>(major)));
        m_context.writePixel(xMajor ? along : across, xMajor ? across : along, argb);
    }
}

void CLineRasteriser::drawWideLine(SPixelPoint from, SPixelPoint to, int32_t width, uint32_t argb)
{
    // Pixel centres are at +½; the band runs between them, half the width to either side.
    const double startX = from.x + 0.5;
    const double startY = from.y + 0.5;
    const double endX = to.x + 0.5;
    const double endY = to.y + 0.5;
    const double length = std::hypot(endX - startX, endY - startY);
    const double normalX = -(endY - startY) / length * width / 2.0;
    const double normalY = (endX - startX) / length * width / 2.0;
    CPolygonFiller(m_context).fill({{startX + normalX, startY + normalY},
                                    {endX + normalX, endY + normalY},
                                    {endX - normalX, endY - normalY},
                                    {startX - normalX, startY - normalY}},
                                   argb);
}
} // namespace Orvalite::GUI::Graphics
