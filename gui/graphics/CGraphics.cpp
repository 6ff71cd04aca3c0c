#include "gui/graphics/CGraphics.h"

#include "gui/fonts/CFont.h"
#include "gui/graphics/CTextLayout.h"
#include "gui/graphics/CWuLineRasteriser.h"
#include "gui/graphics/IImage.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace Orvalite::GUI::Graphics
{
using MathTools::CDimension;
using MathTools::CPoint;
using MathTools::CPolygon;
using MathTools::CRect;
using Orvalite::GUI::Basics::CAlphaColour;

CGraphics::CGraphics(bool useAntiAliasing)
    : m_pen(std::make_unique<CPen>()), m_brush(std::make_unique<CBrush>()), m_antiAliasingStarted(useAntiAliasing)
{
}

CGraphics::~CGraphics()
{
    uninitialise();
}

void CGraphics::initialise(Orvalite::GUI::Basics::NativeWindowHandle windowHandle, CDeviceContext *deviceContext,
                           const CDimension &size)
{
    uninitialise();
    if (windowHandle)
    {
        m_backBuffer.initialise(windowHandle, deviceContext, size);
        m_context = m_backBuffer.getDeviceContext();
    }
    else
    {
        m_context = deviceContext;
    }
    if (!m_context)
    {
        return;
    }
    m_pen->initialise(1, m_context, CAlphaColour::BLACK);
    m_brush->initialise(m_context, CAlphaColour::WHITE);
    if (m_antiAliasingStarted && m_context->getBitmap())
    {
        m_renderer = IAntiAliasedRenderer::create(*m_context->getBitmap());
    }
    if (windowHandle)
    {
        m_clip.initialise(&m_backBuffer, CRect(0, 0, size.getWidth(), size.getHeight()), m_renderer.get());
    }
    m_size = size;
}

void CGraphics::uninitialise()
{
    endAlphaLayer();
    m_clip.uninitialise();
    m_pen->release();
    m_brush->release();
    m_renderer.reset();
    m_backBuffer.uninitialise();
    m_context = nullptr;
}

void CGraphics::setAntiAliasMode(long mode)
{
    m_antiAliasMode = mode;
    const long smoothingModes[] = {IAntiAliasedRenderer::e_smoothingHighQuality,
                                   IAntiAliasedRenderer::e_smoothingDefault,
                                   IAntiAliasedRenderer::e_smoothingAntiAlias};
    if (m_renderer && mode >= 0 && mode < 3)
    {
        m_renderer->setSmoothingMode(smoothingModes[mode]);
    }
}

void CGraphics::drawPixel(const CPoint &point)
{
    if (m_context)
    {
        const SPixelPoint at = toDevice(point);
        m_context->setPixel(at.x, at.y, m_pen->getColour().toColorRef());
    }
}

void CGraphics::drawAlphaPixel(const CPoint &point, long alpha)
{
    if (m_context)
    {
        const SPixelPoint at = toDevice(point);
        m_context->blendPixel(at.x, at.y, m_pen->getColour().toColorRef(),
                              static_cast<uint32_t>(std::clamp(alpha, 0L, 255L)));
    }
}

void CGraphics::moveTo(const CPoint &point)
{
    if (m_context)
    {
        const SPixelPoint at = toDevice(point);
        m_context->moveTo(at.x, at.y);
    }
}

void CGraphics::lineTo(const CPoint &point)
{
    if (m_context)
    {
        const SPixelPoint at = toDevice(point);
        m_context->lineTo(at.x, at.y);
    }
}

void CGraphics::drawLine(const CPoint &from, const CPoint &to)
{
    moveTo(from);
    lineTo(to);
}

void CGraphics::drawPolyLine(const CPolygon &polygon)
{
    if (polygon.getNumberOfPoints() < 1)
    {
        return;
    }
    moveTo(*polygon.getPoint(0));
    for (long index = 1; index < polygon.getNumberOfPoints(); ++index)
    {
        lineTo(*polygon.getPoint(index));
    }
}

void CGraphics::drawRectangle(const CRect &rect)
{
    if (!m_context)
    {
        return;
    }
    const SPixelBox box = toDevice(rect);
    if (m_renderer)
    {
        m_renderer->drawRectangle(box.left, box.top, int64_t{rect.getWidth()} - 1, int64_t{rect.getHeight()} - 1,
                                  currentStroke());
        return;
    }
    m_brush->selectNullBrush();
    m_context->rectangle(saturated(box.left), saturated(box.top), saturated(box.right), saturated(box.bottom));
    m_brush->rebuild();
}

void CGraphics::drawRoundedRectangle(const CRect &rect, const CDimension &roundness)
{
    if (!m_context)
    {
        return;
    }
    const SPixelBox box = toDevice(rect);
    m_brush->selectNullBrush();
    m_context->roundRect(saturated(box.left), saturated(box.top), saturated(box.right), saturated(box.bottom),
                         roundness.getWidth(), roundness.getHeight());
    m_brush->rebuild();
}

void CGraphics::drawArc(const CRect &rect, const CPoint &start, const CPoint &end, bool clockwise)
{
    if (!m_context)
    {
        return;
    }
    const SPixelBox box = toDevice(rect);
    m_context->arc(saturated(box.left), saturated(box.top), saturated(box.right), saturated(box.bottom),
                   toDevice(start), toDevice(end),
                   clockwise ? CDeviceContext::e_clockwise : CDeviceContext::e_counterClockwise);
}

void CGraphics::drawEllipse(const CRect &rect)
{
    drawArc(rect, CPoint(0, 0), CPoint(0, 0), true);
}

void CGraphics::drawAntiAliasedLine(const CPoint &from, const CPoint &to)
{
    if (!m_context)
    {
        return;
    }
    if (m_renderer)
    {
        m_renderer->drawLine(toDevice(from), toDevice(to), currentStroke());
        return;
    }
    CWuLineRasteriser(*m_context).drawLine(toDevice(from), toDevice(to), m_pen->getColour().toColorRef());
}

void CGraphics::drawAntiAliasedPolyLine(const CPolygon &polygon)
{
    if (polygon.getNumberOfPoints() < 3)
    {
        return;
    }
    for (long index = 0; index + 1 < polygon.getNumberOfPoints(); ++index)
    {
        drawAntiAliasedLine(*polygon.getPoint(index), *polygon.getPoint(index + 1));
    }
}

void CGraphics::fillRectangle(const CRect &rect)
{
    if (!m_context)
    {
        return;
    }
    const SPixelBox box = toDevice(rect);
    if (m_renderer)
    {
        m_renderer->fillRectangle(box.left, box.top, rect.getWidth(), rect.getHeight(), m_brush->getColour().toARGB());
        return;
    }
    m_pen->selectNullPen();
    m_context->fillRect(saturated(box.left), saturated(box.top), saturated(box.right), saturated(box.bottom),
                        m_context->getBrush());
    m_pen->rebuild();
}

void CGraphics::fillRoundedRectangle(const CRect &rect, const CDimension &roundness)
{
    if (!m_context)
    {
        return;
    }
    const SPixelBox box = toDevice(rect);
    if (m_renderer)
    {
        // The corner arcs have a diameter of twice the roundness width.
        m_renderer->fillRoundedRectangle(box.left, box.top, rect.getWidth(), rect.getHeight(), roundness.getWidth(),
                                         m_brush->getColour().toARGB());
        return;
    }
    m_pen->selectNullPen();
    m_context->roundRect(saturated(box.left), saturated(box.top), saturated(box.right), saturated(box.bottom),
                         roundness.getWidth(), roundness.getHeight());
    m_pen->rebuild();
}

void CGraphics::fillEllipse(const CRect &rect)
{
    if (!m_context)
    {
        return;
    }
    const SPixelBox box = toDevice(rect);
    if (m_renderer)
    {
        m_renderer->fillEllipse(box.left, box.top, rect.getWidth(), rect.getHeight(), m_brush->getColour().toARGB());
        return;
    }
    m_pen->selectNullPen();
    m_context->ellipse(saturated(box.left), saturated(box.top), saturated(box.right), saturated(box.bottom));
    m_pen->rebuild();
}

void CGraphics::fillPolygon(const CPolygon &polygon)
{
    if (!m_context)
    {
        return;
    }
    if (m_renderer)
    {
        m_renderer->fillPolygon(toDevice(polygon), m_brush->getColour().toARGB());
        return;
    }
    m_pen->selectNullPen();
    m_context->polygon(toDevice(polygon));
    m_pen->rebuild();
}

void CGraphics::drawFilledBorderedRectangle(const CRect &rect)
{
    fillRectangle(rect);
    drawRectangle(rect);
}

void CGraphics::drawRaisedRectangle(const CRect &rect)
{
    drawBevel(rect, true);
}

void CGraphics::drawSunkenRectangle(const CRect &rect)
{
    drawBevel(rect, false);
}

void CGraphics::drawGradientRectangle(const CRect &rect)
{
    const long height = rect.getHeight();
    if (!m_context || height < 2)
    {
        return;
    }
    const CAlphaColour original = m_pen->getColour();
    const long half = height / 2;
    const long stepRed = (255 - static_cast<long>(original.getRed())) / half;
    const long stepGreen = (255 - static_cast<long>(original.getGreen())) / half;
    const long stepBlue = (255 - static_cast<long>(original.getBlue())) / half;
    // Only rows that can reach the surface are drawn: the colour of a row follows from its index.
    const SPixelBox writable = m_context->getWritableBox();
    const int64_t top = int64_t{m_drawingOffset.getYPosition()} + rect.getTop();
    const int64_t firstRow = std::max<int64_t>(0, writable.top - top);
    const int64_t endRow = std::min<int64_t>(height, writable.bottom - top);
    for (int64_t row = firstRow; row < endRow; ++row)
    {
        // Up by one step per row to the middle, then down again.
        const long steps = static_cast<long>(row <= half ? row : 2 * half - row);
        m_pen->setColour(CAlphaColour(static_cast<long>(original.getRed()) + steps * stepRed,
                                      static_cast<long>(original.getGreen()) + steps * stepGreen,
                                      static_cast<long>(original.getBlue()) + steps * stepBlue, original.getAlpha()));
        const long y = saturated(int64_t{rect.getTop()} + row);
        drawLine(CPoint(rect.getLeft(), y), CPoint(saturated(int64_t{rect.getLeft()} + rect.getWidth()), y));
    }
    m_pen->setColour(original);
}

void CGraphics::drawImage(const IImage *image, const CRect &destination, const CRect &source)
{
    if (!image || !image->imageHasLoaded())
    {
        return;
    }
    if (image->hasAlpha())
    {
        drawAlphaImage(image, destination, source, 1.0);
        return;
    }
    drawOpaqueImage(*image, destination, source);
}

void CGraphics::drawAlphaImage(const IImage *image, const CRect &destination, const CRect &source, double alpha)
{
    if (!image || !image->imageHasLoaded())
    {
        return;
    }
    if (!image->hasAlpha())
    {
        drawOpaqueImage(*image, destination, source);
        return;
    }
    const CBitmap *bitmap = image->getImageHandle();
    if (!m_context || !bitmap)
    {
        return;
    }
    const SPixelBox box = toDevice(destination);
    m_context->alphaBlend(saturated(box.left), saturated(box.top), destination.getWidth(), destination.getHeight(),
                          *bitmap, source.getLeft(), source.getTop(), source.getWidth(), source.getHeight(),
                          CNativeImage::constantAlphaOf(alpha));
}

void CGraphics::drawText(const ::Orvalite::Basics::CString &text, const CRect &area, const Fonts::CFont *font,
                         long alignment)
{
    const Fonts::CFont *chosen = font ? font : Fonts::CFont::getDefaultFont();
    if (!m_context || !m_context->getBitmap() || !chosen || !chosen->getFontHandle())
    {
        return;
    }
    const Fonts::IFontHandle &handle = *chosen->getFontHandle();
    const SPixelBox box = toDevice(area);
    const SPixelBox clip = box.intersectedWith(m_context->getWritableBox());
    const bool antiAliased = m_renderer != nullptr;
    const CTextLayout layout = antiAliased ? CTextLayout::forAlignment(alignment)
                                           : CTextLayout::forDrawTextFormat(CTextLayout::drawTextFormatFor(alignment));
    // The plain path draws text as GDI does, opaque in the text colour.
    const uint32_t colour = antiAliased ? m_textColour.toARGB() : m_textColour.toARGB() | 0xFF000000;
    for (const CTextLayout::SLine &line : layout.layOut(text.getString(), box, handle))
    {
        handle.drawText(*m_context->getBitmap(), clip, line.x, line.baseline, line.text, colour, antiAliased);
    }
}

void CGraphics::beginAlphaLayer(double alpha)
{
    if (m_alphaLayerActive || !m_context || !m_context->getBitmap())
    {
        return;
    }
    const CBitmap &surface = *m_context->getBitmap();
    m_layerImage.initialise(m_backBuffer.getWindowHandle(), m_context,
                            CDimension(surface.getWidth(), surface.getHeight()));
    if (!m_layerImage.isCreated())
    {
        return;
    }
    m_layerAlpha = alpha;
    CDeviceContext *layerContext = m_layerImage.getDeviceContext();
    layerContext->bitBlt(0, 0, static_cast<int32_t>(surface.getWidth()), static_cast<int32_t>(surface.getHeight()),
                         surface, 0, 0);
    m_savedContext = m_context;
    m_context = layerContext;
    m_savedPen = std::move(m_pen);
    m_pen = std::make_unique<CPen>();
    m_pen->initialise(m_savedPen->getWidth(), m_context, m_savedPen->getColour());
    m_pen->setLineCap(m_savedPen->getLineCap());
    m_savedBrush = std::move(m_brush);
    m_brush = std::make_unique<CBrush>();
    m_brush->initialise(m_context, m_savedBrush->getColour());
    m_savedRenderer = std::move(m_renderer);
    if (m_antiAliasingStarted)
    {
        m_renderer = IAntiAliasedRenderer::create(*m_layerImage.getDeviceContext()->getBitmap());
    }
    m_layerClip.initialise(&m_layerImage, CRect(0, 0, surface.getWidth(), surface.getHeight()), m_renderer.get());
    if (m_currentClip->isClipActive())
    {
        CRect clipRect;
        m_currentClip->getClipRect(clipRect);
        m_layerClip.setClip(clipRect);
    }
    m_currentClip = &m_layerClip;
    m_alphaLayerActive = true;
}

void CGraphics::endAlphaLayer()
{
    if (!m_alphaLayerActive)
    {
        return;
    }
    m_layerClip.uninitialise();
    m_currentClip = &m_clip;
    m_renderer = std::move(m_savedRenderer);
    m_pen = std::move(m_savedPen);
    m_brush = std::move(m_savedBrush);
    m_context = m_savedContext;
    m_savedContext = nullptr;
    const CDimension &size = m_layerImage.getSize();
    m_context->alphaBlend(0, 0, size.getWidth(), size.getHeight(), m_layerImage.getBitmap(), 0, 0, size.getWidth(),
                          size.getHeight(), CNativeImage::constantAlphaOf(m_layerAlpha));
    m_layerImage.uninitialise();
    m_alphaLayerActive = false;
}

bool CGraphics::getTextExtent(const ::Orvalite::Basics::CString &text, CDimension &sizeOut, const Fonts::CFont *font)
{
    if (!font)
    {
        return false;
    }
    double width = 0.0;
    const Fonts::IFontHandle *handle = font->getFontHandle();
    if (!handle || !handle->measureText(text.getString(), width))
    {
        sizeOut.setDimension(0, 0);
        return false;
    }
    sizeOut.setDimension(static_cast<long>(width), static_cast<long>(handle->getMetrics().lineSpacing));
    return true;
}

SPixelPoint CGraphics::toDevice(const CPoint &point) const
{
    return {saturated(int64_t{point.getXPosition()} + m_drawingOffset.getXPosition()),
            saturated(int64_t{point.getYPosition()} + m_drawingOffset.getYPosition())};
}

SPixelBox CGraphics::toDevice(const CRect &rect) const
{
    const int64_t left = int64_t{rect.getLeft()} + m_drawingOffset.getXPosition();
    const int64_t top = int64_t{rect.getTop()} + m_drawingOffset.getYPosition();
    return {left, top, left + rect.getWidth(), top + rect.getHeight()};
}

int32_t CGraphics::saturated(int64_t value)
{
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

std::vector<SPixelPoint> CGraphics::toDevice(const CPolygon &polygon) const
{
    std::vector<SPixelPoint> points;
    for (long index = 0; index < polygon.getNumberOfPoints(); ++index)
    {
        points.push_back(toDevice(*polygon.getPoint(index)));
    }
    return points;
}

IAntiAliasedRenderer::SStroke CGraphics::currentStroke() const
{
    IAntiAliasedRenderer::SStroke stroke;
    stroke.argb = m_pen->getColour().toARGB();
    stroke.width = static_cast<double>(m_pen->getWidth());
    stroke.lineCap = m_pen->getLineCap();
    return stroke;
}

void CGraphics::drawOpaqueImage(const IImage &image, const CRect &destination, const CRect &source)
{
    const CBitmap *bitmap = image.getImageHandle();
    if (!m_context || !bitmap)
    {
        return;
    }
    const SPixelBox box = toDevice(destination);
    const CDimension &size = image.getImageSize();
    if (size.getWidth() == destination.getWidth() && size.getHeight() == destination.getHeight())
    {
        m_context->bitBlt(saturated(box.left), saturated(box.top), destination.getWidth(), destination.getHeight(),
                          *bitmap, source.getLeft(), source.getTop());
        return;
    }
    m_context->stretchBlt(saturated(box.left), saturated(box.top), destination.getWidth(), destination.getHeight(),
                          *bitmap, source.getLeft(), source.getTop(), source.getWidth(), source.getHeight());
}

void CGraphics::drawBevel(const CRect &rect, bool raised)
{
    drawFilledBorderedRectangle(rect);
    const CAlphaColour penColour = m_pen->getColour();
    const long penWidth = m_pen->getWidth();
    CAlphaColour light = m_brush->getColour();
    CAlphaColour dark = m_brush->getColour();
    light.lighten();
    dark.darken();
    const long left = rect.getLeft() + 1;
    const long top = rect.getTop() + 1;
    const long right = int64_t{rect.getLeft()} + rect.getWidth() - 1;
    const long bottom = int64_t{rect.getTop()} + rect.getHeight() - 1;
    // Bottom and right inside the border first, then top and left.
    drawBevelLine(left, bottom - 1, right, bottom - 1, raised ? dark : light);
    drawBevelLine(right - 1, top, right - 1, bottom, raised ? dark : light);
    drawBevelLine(left, top, right, top, raised ? light : dark);
    drawBevelLine(left, top, left, bottom, raised ? light : dark);
    m_pen->setWidthAndColour(penWidth, penColour);
}

void CGraphics::drawBevelLine(long fromX, long fromY, long toX, long toY, const CAlphaColour &colour)
{
    m_pen->setWidthAndColour(1, colour);
    drawLine(CPoint(fromX, fromY), CPoint(toX, toY));
}
} // namespace Orvalite::GUI::Graphics
