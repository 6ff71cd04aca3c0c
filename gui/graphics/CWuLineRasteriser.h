// The software anti-aliased line (Wu's algorithm in 16.16 fixed point) for
// when no anti-aliased renderer is available: both end points in the colour,
// and along the major axis the two pixels straddling the ideal line blended
// with it by their distance to it.
#pragma once

#include "gui/graphics/CDeviceContext.h"

namespace Orvalite::GUI::Graphics
{
class CWuLineRasteriser
{
public:
    explicit CWuLineRasteriser(CDeviceContext &context) : m_context(context) {}

    void drawLine(SPixelPoint from, SPixelPoint to, uint32_t colorRef);

private:
    // Horizontal, vertical and exact diagonal lines: every pixel from end to end, unblended.
    void drawStraight(SPixelPoint from, int64_t stepX, int64_t stepY, int64_t length, uint32_t colorRef);

    CDeviceContext &m_context;
};
} // namespace Orvalite::GUI::Graphics
