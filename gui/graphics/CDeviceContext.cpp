#include "gui/graphics/CDeviceContext.h"

#include "gui/basics/CAlphaColour.h"
#include "gui/graphics/CBlitter.h"
#include "gui/graphics/CLineRasteriser.h"
#include "gui/graphics/CShapeRasteriser.h"

namespace Orvalite::GUI::Graphics
{
namespace
{
const uint32_t INVALID_COLOUR = 0xFFFFFFFF;

uint32_t colorRefOf(uint32_t argb)
{
    return CBitmap::redOf(argb) | (CBitmap::greenOf(argb) << 8) | (CBitmap::blueOf(argb) << 16);
}
} // namespace

CBitmap *CDeviceContext::selectBitmap(CBitmap *bitmap)
{
    CBitmap *previous = m_bitmap;
    m_bitmap = bitmap;
    return previous;
}

CDeviceContext::SPen CDeviceContext::selectPen(const SPen &pen)
{
    const SPen previous = m_pen;
    m_pen = pen;
    return previous;
}

CDeviceContext::SBrush CDeviceContext::selectBrush(const SBrush &brush)
{
    const SBrush previous = m_brush;
    m_brush = brush;
    return previous;
}

void CDeviceContext::setClipBox(const SPixelBox &box)
{
    m_clipBox = box;
    m_hasClip = true;
}

SPixelBox CDeviceContext::getWritableBox() const
{
    if (!m_bitmap || m_bitmap->isEmpty())
    {
        return SPixelBox();
    }
    const SPixelBox surface{0, 0, m_bitmap->getWidth(), m_bitmap->getHeight()};
    return m_hasClip ? surface.intersectedWith(m_clipBox) : surface;
}

uint32_t CDeviceContext::readPixel(int64_t x, int64_t y) const
{
    return m_bitmap && m_bitmap->contains(x, y) ? m_bitmap->getPixel(x, y) : 0;
}

void CDeviceContext::writePixel(int64_t x, int64_t y, uint32_t argb)
{
    const SPixelBox box = getWritableBox();
    if (x >= box.left && x < box.right && y >= box.top && y < box.bottom)
    {
        m_bitmap->getRow(y)[x] = argb;
    }
}

void CDeviceContext::writeSpan(int64_t y, int64_t left, int64_t right, uint32_t argb)
{
    const SPixelBox box = getWritableBox();
    if (y < box.top || y >= box.bottom)
    {
        return;
    }
    uint32_t *row = m_bitmap->getRow(y);
    for (int64_t x = std::max(left, box.left); x < std::min(right, box.right); ++x)
    {
        row[x] = argb;
    }
}

void CDeviceContext::blendPixel(int64_t x, int64_t y, uint32_t colorRef, uint32_t alpha)
{
    using Orvalite::GUI::Basics::CAlphaColour;
    const uint32_t old = readPixel(x, y);
    const uint32_t red = CAlphaColour::blend(CBitmap::redOf(old), colorRef & 0xFF, alpha);
    const uint32_t green = CAlphaColour::blend(CBitmap::greenOf(old), (colorRef >> 8) & 0xFF, alpha);
    const uint32_t blue = CAlphaColour::blend(CBitmap::blueOf(old), (colorRef >> 16) & 0xFF, alpha);
    const uint32_t coverage = CAlphaColour::blend(CBitmap::alphaOf(old), 255, alpha);
    writePixel(x, y, CBitmap::pack(red, green, blue, coverage));
}

void CDeviceContext::setPixel(int32_t x, int32_t y, uint32_t colorRef)
{
    writePixel(x, y, opaquePixel(colorRef));
}

uint32_t CDeviceContext::getPixel(int32_t x, int32_t y) const
{
    const SPixelBox box = getWritableBox();
    if (x < box.left || x >= box.right || y < box.top || y >= box.bottom)
    {
        return INVALID_COLOUR;
    }
    return colorRefOf(readPixel(x, y));
}

void CDeviceContext::moveTo(int32_t x, int32_t y)
{
    m_position = {x, y};
}

void CDeviceContext::lineTo(int32_t x, int32_t y)
{
    CLineRasteriser(*this).drawLine(m_position, {x, y});
    m_position = {x, y};
}

void CDeviceContext::rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    CShapeRasteriser(*this).roundedBox({left, top, right, bottom}, 0, 0);
}

void CDeviceContext::roundRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t cornerWidth,
                               int32_t cornerHeight)
{
    CShapeRasteriser(*this).roundedBox({left, top, right, bottom}, cornerWidth, cornerHeight);
}

void CDeviceContext::ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    const int64_t width = int64_t{right} - left;
    const int64_t height = int64_t{bottom} - top;
    CShapeRasteriser(*this).roundedBox({left, top, right, bottom}, width, height);
}

void CDeviceContext::arc(int32_t left, int32_t top, int32_t right, int32_t bottom, SPixelPoint start, SPixelPoint end,
                         EArcDirection direction)
{
    CShapeRasteriser(*this).arc({left, top, right, bottom}, start, end, direction == e_clockwise);
}

void CDeviceContext::polygon(const std::vector<SPixelPoint> &points)
{
    CShapeRasteriser(*this).polygon(points);
}

void CDeviceContext::fillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const SBrush &brush)
{
    if (brush.isNull)
    {
        return;
    }
    const SPixelBox box = SPixelBox{left, top, right, bottom}.intersectedWith(getWritableBox());
    for (int64_t y = box.top; y < box.bottom; ++y)
    {
        writeSpan(y, box.left, box.right, opaquePixel(brush.colorRef));
    }
}

void CDeviceContext::bitBlt(int32_t x, int32_t y, int32_t width, int32_t height, const CBitmap &source, int32_t sourceX,
                            int32_t sourceY)
{
    CBlitter(*this).transfer({x, y, int64_t{x} + width, int64_t{y} + height}, source,
                             {sourceX, sourceY, int64_t{sourceX} + width, int64_t{sourceY} + height}, 255, false);
}

void CDeviceContext::stretchBlt(int32_t x, int32_t y, int32_t width, int32_t height, const CBitmap &source,
                                int32_t sourceX, int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight)
{
    CBlitter(*this).transfer({x, y, int64_t{x} + width, int64_t{y} + height}, source,
                             {sourceX, sourceY, int64_t{sourceX} + sourceWidth, int64_t{sourceY} + sourceHeight}, 255,
                             false);
}

void CDeviceContext::alphaBlend(int32_t x, int32_t y, int32_t width, int32_t height, const CBitmap &source,
                                int32_t sourceX, int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight,
                                uint32_t constantAlpha)
{
    CBlitter(*this).transfer({x, y, int64_t{x} + width, int64_t{y} + height}, source,
                             {sourceX, sourceY, int64_t{sourceX} + sourceWidth, int64_t{sourceY} + sourceHeight},
                             std::min<uint32_t>(constantAlpha, 255), true);
}

uint32_t CDeviceContext::opaquePixel(uint32_t colorRef)
{
    return CBitmap::pack(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF, 255);
}
} // namespace Orvalite::GUI::Graphics
