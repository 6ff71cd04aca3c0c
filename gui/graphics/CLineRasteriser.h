// Lines in a device context's pen, as GDI draws them: from the start pixel up
// to but not including the end pixel. One-pixel pens step with exact integer
// arithmetic (each pixel of the major axis, the minor coordinate rounded);
// wider pens fill the band of the pen's width around the line, with flat ends.
#pragma once

#include "gui/graphics/CDeviceContext.h"

namespace Orvalite::GUI::Graphics
{
class CLineRasteriser
{
public:
    explicit CLineRasteriser(CDeviceContext &context) : m_context(context) {}

    void drawLine(SPixelPoint from, SPixelPoint to);

private:
    void drawThinLine(SPixelPoint from, SPixelPoint to, uint32_t argb);
    void drawWideLine(SPixelPoint from, SPixelPoint to, int32_t width, uint32_t argb);

    CDeviceContext &m_context;
};
} // namespace Orvalite::GUI::Graphics
