#include "gui/graphics/CWuLineRasteriser.h"

#include "gui/graphics/CRasterMath.h"

#include <algorithm>
#include <cstdlib>

namespace Orvalite::GUI::Graphics
{
namespace
{
const unsigned FRACTION_BITS = 16;
const uint64_t FRACTION_MASK = 0xFFFF;
} // namespace

void CWuLineRasteriser::drawLine(SPixelPoint from, SPixelPoint to, uint32_t colorRef)
{
    m_context.setPixel(from.x, from.y, colorRef);
    m_context.setPixel(to.x, to.y, colorRef);
    const int64_t deltaX = int64_t{to.x} - from.x;
    const int64_t deltaY = int64_t{to.y} - from.y;
    const int64_t stepX = deltaX < 0 ? -1 : 1;
    const int64_t stepY = deltaY < 0 ? -1 : 1;
    const int64_t lengthX = std::llabs(deltaX);
    const int64_t lengthY = std::llabs(deltaY);
    if (lengthX == 0 || lengthY == 0 || lengthX == lengthY)
    {
        drawStraight(from, lengthX == 0 ? 0 : stepX, lengthY == 0 ? 0 : stepY, std::max(lengthX, lengthY), colorRef);
        return;
    }
    const bool xMajor = lengthX > lengthY;
    const int64_t major = xMajor ? lengthX : lengthY;
    const int64_t minor = xMajor ? lengthY : lengthX;
    const int64_t majorStep = xMajor ? stepX : stepY;
    const int64_t minorStep = xMajor ? stepY : stepX;
    const int64_t majorStart = xMajor ? from.x : from.y;
    const int64_t minorStart = xMajor ? from.y : from.x;
    // The accumulator's advance per step: the slope in 16-bit fraction.
    const uint64_t adjust = (static_cast<uint64_t>(minor) << FRACTION_BITS) / static_cast<uint64_t>(major);
    const SPixelBox box = m_context.getWritableBox();
    int64_t lowest = 0;
    int64_t highest = 0;
    // Steps 1 … major − 1 lie between the end points; only those on the writable box are visited.
    if (box.isEmpty() || !CRasterMath::stepsInside(majorStart, majorStep, major, xMajor ? box.left : box.top,
                                                   xMajor ? box.right : box.bottom, lowest, highest))
    {
        return;
    }
    for (int64_t step = std::max<int64_t>(lowest, 1); step <= highest; ++step)
    {
        const uint64_t accumulator = static_cast<uint64_t>(step) * adjust;
        const int64_t along = majorStart + majorStep * step;
        const int64_t across = minorStart + minorStep * static_cast<int64_t>(accumulator >> FRACTION_BITS);
        const uint32_t weight = static_cast<uint32_t>((accumulator & FRACTION_MASK) >> 8);
        const int64_t next = across + minorStep;
        m_context.blendPixel(xMajor ? along : across, xMajor ? across : along, colorRef, weight ^ 0xFF);
        m_context.blendPixel(xMajor ? along : next, xMajor ? next : along, colorRef, weight);
    }
}

void CWuLineRasteriser::drawStraight(SPixelPoint from, int64_t stepX, int64_t stepY, int64_t length, uint32_t colorRef)
{
    const SPixelBox box = m_context.getWritableBox();
    if (length == 0)
    {
        return;
    }
    const bool useX = stepX != 0;
    int64_t lowest = 0;
    int64_t highest = 0;
    if (box.isEmpty() ||
        !CRasterMath::stepsInside(useX ? from.x : from.y, useX ? stepX : stepY, length + 1, useX ? box.left : box.top,
                                  useX ? box.right : box.bottom, lowest, highest))
    {
        return;
    }
    const uint32_t pixel = CDeviceContext::opaquePixel(colorRef);
    for (int64_t step = lowest; step <= highest; ++step)
    {
        m_context.writePixel(from.x + stepX * step, from.y + stepY * step, pixel);
    }
}
} // namespace Orvalite::GUI::Graphics
