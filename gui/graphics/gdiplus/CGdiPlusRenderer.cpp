#include "gui/graphics/gdiplus/CGdiPlusRenderer.h"

#include <algorithm>

namespace Orvalite::GUI::Graphics
{
namespace
{
// Coordinates are limited far outside any surface, where GDI+'s single
// precision still holds whole pixels.
const double COORDINATE_LIMIT = 4194304.0;
const Gdiplus::REAL HALF_PIXEL = 0.5F;

Gdiplus::REAL limited(double value)
{
    return static_cast<Gdiplus::REAL>(std::clamp(value, -COORDINATE_LIMIT, COORDINATE_LIMIT));
}

Gdiplus::REAL limited(int64_t value)
{
    return limited(static_cast<double>(value));
}

Gdiplus::REAL limited(int32_t value)
{
    return limited(static_cast<double>(value));
}

// The far edge of a box, limited like its near edge.
Gdiplus::REAL extent(int64_t start, int64_t length)
{
    return limited(static_cast<double>(start) + static_cast<double>(length)) - limited(start);
}

Gdiplus::LineCap capOf(long lineCap)
{
    switch (lineCap)
    {
    case 1:
        return Gdiplus::LineCapSquare;
    case 2:
        return Gdiplus::LineCapRound;
    default:
        return Gdiplus::LineCapFlat;
    }
}

TGdiPlusObject<Gdiplus::GpSolidFill> brushOf(uint32_t argb)
{
    Gdiplus::GpSolidFill *made = nullptr;
    const Gdiplus::GpStatus status = Gdip::GdipCreateSolidFill(argb, &made);
    return {status, made};
}

TGdiPlusObject<Gdiplus::GpPath> newPath(Gdiplus::FillMode fillMode)
{
    Gdiplus::GpPath *made = nullptr;
    const Gdiplus::GpStatus status = Gdip::GdipCreatePath(fillMode, &made);
    return {status, made};
}
} // namespace

std::unique_ptr<IAntiAliasedRenderer> IAntiAliasedRenderer::create(CBitmap &surface)
{
    auto renderer = std::make_unique<CGdiPlusRenderer>(surface);
    if (!renderer->isValid())
    {
        return nullptr;
    }
    return renderer;
}

CGdiPlusRenderer::CGdiPlusRenderer(CBitmap &surface) : m_surface(surface)
{
    if (m_surface.isValid())
    {
        Gdip::GdipTranslateWorldTransform(m_surface.get(), -HALF_PIXEL, -HALF_PIXEL, Gdiplus::MatrixOrderPrepend);
        setSmoothingMode(e_smoothingDefault);
    }
}

void CGdiPlusRenderer::setClip(int64_t left, int64_t top, int64_t width, int64_t height)
{
    Gdip::GdipSetClipRect(m_surface.get(), limited(left), limited(top), std::max(0.0F, limited(width)),
                          std::max(0.0F, limited(height)), Gdiplus::CombineModeReplace);
}

void CGdiPlusRenderer::resetClip()
{
    Gdip::GdipResetClip(m_surface.get());
}

void CGdiPlusRenderer::setSmoothingMode(long mode)
{
    m_smoothingMode = mode;
    const bool smooth = mode == e_smoothingHighQuality || mode == e_smoothingAntiAlias;
    Gdip::GdipSetSmoothingMode(m_surface.get(), smooth ? Gdiplus::SmoothingModeAntiAlias : Gdiplus::SmoothingModeNone);
}

void CGdiPlusRenderer::drawLine(SPixelPoint from, SPixelPoint to, const SStroke &stroke)
{
    const TGdiPlusObject<Gdiplus::GpPen> pen = makePen(stroke);
    if (pen)
    {
        Gdip::GdipDrawLine(m_surface.get(), pen.get(), limited(from.x) + HALF_PIXEL, limited(from.y) + HALF_PIXEL,
                           limited(to.x) + HALF_PIXEL, limited(to.y) + HALF_PIXEL);
    }
}

void CGdiPlusRenderer::drawRectangle(int64_t left, int64_t top, int64_t width, int64_t height, const SStroke &stroke)
{
    if (width < 0 || height < 0)
    {
        return;
    }
    const TGdiPlusObject<Gdiplus::GpPen> pen = makePen(stroke);
    if (!pen)
    {
        return;
    }
    Gdip::GdipDrawRectangle(m_surface.get(), pen.get(), limited(left) + HALF_PIXEL, limited(top) + HALF_PIXEL,
                            limited(width), limited(height));
}

void CGdiPlusRenderer::fillRectangle(int64_t left, int64_t top, int64_t width, int64_t height, uint32_t argb)
{
    if (width <= 0 || height <= 0)
    {
        return;
    }
    const TGdiPlusObject<Gdiplus::GpSolidFill> brush = brushOf(argb);
    if (brush)
    {
        Gdip::GdipFillRectangle(m_surface.get(), brush.get(), limited(left), limited(top), extent(left, width),
                                extent(top, height));
    }
}

void CGdiPlusRenderer::fillRoundedRectangle(int64_t left, int64_t top, int64_t width, int64_t height, double radius,
                                            uint32_t argb)
{
    if (width <= 0 || height <= 0)
    {
        return;
    }
    const Gdiplus::REAL x = limited(left);
    const Gdiplus::REAL y = limited(top);
    const Gdiplus::REAL right = x + extent(left, width);
    const Gdiplus::REAL bottom = y + extent(top, height);
    // Corners larger than half the rectangle would turn the path inside out.
    const Gdiplus::REAL r = std::clamp(static_cast<Gdiplus::REAL>(radius), 0.0F, std::min(right - x, bottom - y) / 2);
    if (r <= 0.0F)
    {
        fillRectangle(left, top, width, height, argb);
        return;
    }
    const TGdiPlusObject<Gdiplus::GpPath> path = newPath(Gdiplus::FillModeAlternate);
    if (!path)
    {
        return;
    }
    const Gdiplus::REAL d = 2 * r;
    Gdip::GdipAddPathArc(path.get(), right - d, y, d, d, 270.0F, 90.0F);
    Gdip::GdipAddPathArc(path.get(), right - d, bottom - d, d, d, 0.0F, 90.0F);
    Gdip::GdipAddPathArc(path.get(), x, bottom - d, d, d, 90.0F, 90.0F);
    Gdip::GdipAddPathArc(path.get(), x, y, d, d, 180.0F, 90.0F);
    Gdip::GdipClosePathFigure(path.get());
    fillPath(path.get(), argb);
}

void CGdiPlusRenderer::fillEllipse(int64_t left, int64_t top, int64_t width, int64_t height, uint32_t argb)
{
    if (width <= 0 || height <= 0)
    {
        return;
    }
    const TGdiPlusObject<Gdiplus::GpSolidFill> brush = brushOf(argb);
    if (brush)
    {
        Gdip::GdipFillEllipse(m_surface.get(), brush.get(), limited(left), limited(top), extent(left, width),
                              extent(top, height));
    }
}

void CGdiPlusRenderer::fillPolygon(const std::vector<SPixelPoint> &points, uint32_t argb)
{
    if (points.size() < 3)
    {
        return;
    }
    std::vector<Gdiplus::PointF> corners;
    corners.reserve(points.size());
    for (const SPixelPoint &point : points)
    {
        corners.emplace_back(limited(point.x), limited(point.y));
    }
    const TGdiPlusObject<Gdiplus::GpPath> path = newPath(Gdiplus::FillModeAlternate);
    if (path)
    {
        Gdip::GdipAddPathPolygon(path.get(), corners.data(), static_cast<INT>(corners.size()));
        fillPath(path.get(), argb);
    }
}

TGdiPlusObject<Gdiplus::GpPen> CGdiPlusRenderer::makePen(const SStroke &stroke) const
{
    Gdiplus::GpPen *made = nullptr;
    const Gdiplus::GpStatus status =
        Gdip::GdipCreatePen1(stroke.argb, static_cast<Gdiplus::REAL>(std::clamp(stroke.width, 0.0, COORDINATE_LIMIT)),
                             Gdiplus::UnitPixel, &made);
    TGdiPlusObject<Gdiplus::GpPen> pen(status, made);
    if (pen)
    {
        Gdip::GdipSetPenLineCap197819(pen.get(), capOf(stroke.lineCap), capOf(stroke.lineCap), Gdiplus::DashCapFlat);
    }
    return pen;
}

void CGdiPlusRenderer::fillPath(Gdiplus::GpPath *path, uint32_t argb)
{
    const TGdiPlusObject<Gdiplus::GpSolidFill> brush = brushOf(argb);
    if (brush)
    {
        Gdip::GdipFillPath(m_surface.get(), brush.get(), path);
    }
}
} // namespace Orvalite::GUI::Graphics
