#include "gui/fonts/cairo/CCairoFontHandle.h"

#include "gui/fonts/FontText.h"
#include "gui/graphics/cairo/CCairoSurface.h"

#include <algorithm>
#include <cairo-ft.h>
#include <cmath>
#include <cstring>
#include <fontconfig/fontconfig.h>

namespace Orvalite::GUI::Fonts
{
namespace
{
// The size GDI picks for a height of 0.
const double DEFAULT_PIXEL_SIZE = 12.0;
const int32_t BOLD_WEIGHT = 700;

void setSource(cairo_t *cairo, uint32_t argb)
{
    cairo_set_source_rgba(cairo, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0, (argb & 0xFF) / 255.0,
                          (argb >> 24) / 255.0);
}
} // namespace

std::unique_ptr<IFontHandle> IFontHandle::create(const SLogicalFont &font)
{
    auto handle = std::make_unique<CCairoFontHandle>(font);
    if (!handle->isValid())
    {
        return nullptr;
    }
    return handle;
}

CCairoFontHandle::CCairoFontHandle(const SLogicalFont &font)
    : m_pixelSize(font.height == 0 ? DEFAULT_PIXEL_SIZE : std::abs(static_cast<double>(font.height))),
      m_underline(font.underline != 0), m_strikeOut(font.strikeOut != 0)
{
    resolveFace(font);
    if (!m_face || cairo_font_face_status(m_face) != CAIRO_STATUS_SUCCESS)
    {
        return;
    }
    cairo_matrix_t fontMatrix;
    cairo_matrix_t identity;
    cairo_matrix_init_scale(&fontMatrix, m_pixelSize, m_pixelSize);
    cairo_matrix_init_identity(&identity);
    cairo_font_options_t *options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    m_scaledFont = cairo_scaled_font_create(m_face, &fontMatrix, &identity, options);
    cairo_font_options_destroy(options);
}

CCairoFontHandle::~CCairoFontHandle()
{
    if (m_scaledFont)
    {
        cairo_scaled_font_destroy(m_scaledFont);
    }
    if (m_face)
    {
        cairo_font_face_destroy(m_face);
    }
}

bool CCairoFontHandle::isValid() const
{
    return m_scaledFont && cairo_scaled_font_status(m_scaledFont) == CAIRO_STATUS_SUCCESS;
}

IFontHandle::SMetrics CCairoFontHandle::getMetrics() const
{
    cairo_font_extents_t extents;
    cairo_scaled_font_extents(m_scaledFont, &extents);
    SMetrics metrics;
    metrics.ascent = extents.ascent;
    metrics.descent = extents.descent;
    metrics.lineSpacing = extents.height;
    return metrics;
}

bool CCairoFontHandle::measureText(const std::string &text, double &width) const
{
    cairo_text_extents_t extents;
    cairo_scaled_font_text_extents(m_scaledFont, fontTextAsUtf8(text).c_str(), &extents);
    if (cairo_scaled_font_status(m_scaledFont) != CAIRO_STATUS_SUCCESS)
    {
        return false;
    }
    width = extents.x_advance;
    return true;
}

void CCairoFontHandle::drawText(Graphics::CBitmap &surface, const Graphics::SPixelBox &clip, double x, double baseline,
                                const std::string &text, uint32_t argb, bool antiAliased) const
{
    const Graphics::SPixelBox visible = clip.intersectedWith({0, 0, surface.getWidth(), surface.getHeight()});
    Graphics::CCairoSurface target(surface);
    if (visible.isEmpty() || !target.isValid())
    {
        return;
    }
    target.beginDrawing();
    cairo_t *cairo = cairo_create(target.get());
    cairo_rectangle(cairo, static_cast<double>(visible.left), static_cast<double>(visible.top),
                    static_cast<double>(visible.right - visible.left),
                    static_cast<double>(visible.bottom - visible.top));
    cairo_clip(cairo);
    cairo_set_scaled_font(cairo, m_scaledFont);
    cairo_font_options_t *options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, antiAliased ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cairo, options);
    cairo_font_options_destroy(options);
    cairo_set_antialias(cairo, antiAliased ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    setSource(cairo, argb);
    // Positions far off the surface draw nothing; cairo's fixed point could not hold them.
    const double limit = 4194304.0;
    if (std::abs(x) < limit && std::abs(baseline) < limit)
    {
        const std::string utf8 = fontTextAsUtf8(text);
        cairo_move_to(cairo, x, baseline);
        cairo_show_text(cairo, utf8.c_str());
        double width = 0.0;
        if ((m_underline || m_strikeOut) && measureText(text, width))
        {
            drawDecorations(cairo, x, baseline, width);
        }
    }
    cairo_destroy(cairo);
    target.endDrawing();
}

void CCairoFontHandle::resolveFace(const SLogicalFont &font)
{
    FcPattern *pattern = FcPatternCreate();
    if (!pattern)
    {
        return;
    }
    const std::string face(font.faceName, strnlen(font.faceName, SLogicalFont::FACE_NAME_SIZE - 1));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(face.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, font.weight >= BOLD_WEIGHT ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, m_pixelSize);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
    {
        return;
    }
    FcChar8 *family = nullptr;
    if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch && family)
    {
        m_familyName = reinterpret_cast<const char *>(family);
    }
    m_face = cairo_ft_font_face_create_for_pattern(match);
    FcPatternDestroy(match);
}

void CCairoFontHandle::drawDecorations(cairo_t *cairo, double x, double baseline, double width) const
{
    const double thickness = std::max(1.0, std::round(m_pixelSize / 14.0));
    if (m_underline)
    {
        cairo_rectangle(cairo, x, baseline + thickness, width, thickness);
    }
    if (m_strikeOut)
    {
        cairo_rectangle(cairo, x, baseline - std::round(m_pixelSize * 0.3), width, thickness);
    }
    cairo_fill(cairo);
}
} // namespace Orvalite::GUI::Fonts
