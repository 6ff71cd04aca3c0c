#include "gui/graphics/cairo/CCairoRenderer.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::GUI::Graphics
{
namespace
{
// cairo keeps coordinates in 24.8 fixed point; ours are limited well inside
// that, still far outside any surface.
const double COORDINATE_LIMIT = 4194304.0;
const double HALF_PIXEL = 0.5;
const double PI = 3.141592653589793;

double limited(double value)
{
    return std::clamp(value, -COORDINATE_LIMIT, COORDINATE_LIMIT);
}

double channel(uint32_t argb, unsigned shift)
{
    return static_cast<double>((argb >> shift) & 0xFF) / 255.0;
}

cairo_line_cap_t capOf(long lineCap)
{
    switch (lineCap)
    {
    case 1:
        return CAIRO_LINE_CAP_SQUARE;
    case 2:
        return CAIRO_LINE_CAP_ROUND;
    default:
        return CAIRO_LINE_CAP_BUTT;
    }
}
} // namespace

std::unique_ptr<IAntiAliasedRenderer> IAntiAliasedRenderer::create(CBitmap &surface)
{
    auto renderer = std::make_unique<CCairoRenderer>(surface);
    if (!renderer->isValid())
    {
        return nullptr;
    }
    return renderer;
}

CCairoRenderer::CCairoRenderer(CBitmap &surface) : m_surface(surface)
{
    if (m_surface.isValid())
    {
        m_cairo = cairo_create(m_surface.get());
        setSmoothingMode(e_smoothingDefault);
    }
}

CCairoRenderer::~CCairoRenderer()
{
    if (m_cairo)
    {
        cairo_destroy(m_cairo);
    }
}

bool CCairoRenderer::isValid() const
{
    return m_cairo && cairo_status(m_cairo) == CAIRO_STATUS_SUCCESS;
}

void CCairoRenderer::setClip(int64_t left, int64_t top, int64_t width, int64_t height)
{
    cairo_reset_clip(m_cairo);
    cairo_rectangle(m_cairo, limited(static_cast<double>(left)), limited(static_cast<double>(top)),
                    std::max(0.0, limited(static_cast<double>(width))),
                    std::max(0.0, limited(static_cast<double>(height))));
    cairo_clip(m_cairo);
}

void CCairoRenderer::resetClip()
{
    cairo_reset_clip(m_cairo);
}

void CCairoRenderer::setSmoothingMode(long mode)
{
    m_smoothingMode = mode;
    const bool smooth = mode == e_smoothingHighQuality || mode == e_smoothingAntiAlias;
    cairo_set_antialias(m_cairo, smooth ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
}

void CCairoRenderer::drawLine(SPixelPoint from, SPixelPoint to, const SStroke &stroke)
{
    cairo_move_to(m_cairo, limited(from.x) + HALF_PIXEL, limited(from.y) + HALF_PIXEL);
    cairo_line_to(m_cairo, limited(to.x) + HALF_PIXEL, limited(to.y) + HALF_PIXEL);
    CCairoRenderer::stroke(stroke);
}

void CCairoRenderer::drawRectangle(int64_t left, int64_t top, int64_t width, int64_t height, const SStroke &stroke)
{
    if (width < 0 || height < 0)
    {
        return;
    }
    cairo_rectangle(m_cairo, limited(static_cast<double>(left)) + HALF_PIXEL,
                    limited(static_cast<double>(top)) + HALF_PIXEL, limited(static_cast<double>(width)),
                    limited(static_cast<double>(height)));
    CCairoRenderer::stroke(stroke);
}

void CCairoRenderer::fillRectangle(int64_t left, int64_t top, int64_t width, int64_t height, uint32_t argb)
{
    if (width <= 0 || height <= 0)
    {
        return;
    }
    const double x = limited(static_cast<double>(left));
    const double y = limited(static_cast<double>(top));
    cairo_rectangle(m_cairo, x, y, limited(x + static_cast<double>(width)) - x,
                    limited(y + static_cast<double>(height)) - y);
    fill(argb);
}

void CCairoRenderer::fillRoundedRectangle(int64_t left, int64_t top, int64_t width, int64_t height, double radius,
                                          uint32_t argb)
{
    if (width <= 0 || height <= 0)
    {
        return;
    }
    const double x = limited(static_cast<double>(left));
    const double y = limited(static_cast<double>(top));
    const double right = limited(x + static_cast<double>(width));
    const double bottom = limited(y + static_cast<double>(height));
    // Corners larger than half the rectangle would turn the path inside out.
    const double r = std::clamp(radius, 0.0, std::min(right - x, bottom - y) / 2.0);
    cairo_new_sub_path(m_cairo);
    cairo_arc(m_cairo, right - r, y + r, r, 1.5 * PI, 2.0 * PI);
    cairo_arc(m_cairo, right - r, bottom - r, r, 0.0, 0.5 * PI);
    cairo_arc(m_cairo, x + r, bottom - r, r, 0.5 * PI, PI);
    cairo_arc(m_cairo, x + r, y + r, r, PI, 1.5 * PI);
    cairo_close_path(m_cairo);
    fill(argb);
}

void CCairoRenderer::fillEllipse(int64_t left, int64_t top, int64_t width, int64_t height, uint32_t argb)
{
    if (width <= 0 || height <= 0)
    {
        return;
    }
    const double x = limited(static_cast<double>(left));
    const double y = limited(static_cast<double>(top));
    const double radiusX = (limited(x + static_cast<double>(width)) - x) / 2.0;
    const double radiusY = (limited(y + static_cast<double>(height)) - y) / 2.0;
    cairo_save(m_cairo);
    cairo_translate(m_cairo, x + radiusX, y + radiusY);
    cairo_scale(m_cairo, radiusX, radiusY);
    cairo_new_sub_path(m_cairo);
    cairo_arc(m_cairo, 0.0, 0.0, 1.0, 0.0, 2.0 * PI);
    cairo_restore(m_cairo);
    fill(argb);
}

void CCairoRenderer::fillPolygon(const std::vector<SPixelPoint> &points, uint32_t argb)
{
    if (points.size() < 3)
    {
        return;
    }
    cairo_move_to(m_cairo, limited(points.front().x), limited(points.front().y));
    for (size_t index = 1; index < points.size(); ++index)
    {
        cairo_line_to(m_cairo, limited(points[index].x), limited(points[index].y));
    }
    cairo_close_path(m_cairo);
    cairo_set_fill_rule(m_cairo, CAIRO_FILL_RULE_EVEN_ODD);
    fill(argb);
}

void CCairoRenderer::setSource(uint32_t argb)
{
    cairo_set_source_rgba(m_cairo, channel(argb, 16), channel(argb, 8), channel(argb, 0), channel(argb, 24));
}

void CCairoRenderer::stroke(const SStroke &stroke)
{
    m_surface.beginDrawing();
    setSource(stroke.argb);
    cairo_set_line_width(m_cairo, std::clamp(stroke.width, 0.0, COORDINATE_LIMIT));
    cairo_set_line_cap(m_cairo, capOf(stroke.lineCap));
    cairo_stroke(m_cairo);
    m_surface.endDrawing();
}

void CCairoRenderer::fill(uint32_t argb)
{
    m_surface.beginDrawing();
    setSource(argb);
    cairo_fill(m_cairo);
    m_surface.endDrawing();
}
} // namespace Orvalite::GUI::Graphics
