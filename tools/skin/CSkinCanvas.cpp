#include "tools/skin/CSkinCanvas.h"

#include "tools/skin/CTargaWriter.h"

#include <cmath>
#include <cstddef>
#include <vector>

namespace Zelo::Tools
{
namespace
{
// The editor's read-outs use Arial, which is Liberation Sans on Debian; the skin matches it.
constexpr const char *FONT_FAMILY = "Liberation Sans";

void addStop(cairo_pattern_t *pattern, double offset, const CSkinCanvas::Colour &colour)
{
    cairo_pattern_add_color_stop_rgba(pattern, offset, colour.red, colour.green, colour.blue, colour.alpha);
}
} // namespace

CSkinCanvas::CSkinCanvas(int width, int height, bool opaque, double scale)
    : m_width(width), m_height(height),
      m_surface(cairo_image_surface_create(opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32, toPixels(width, scale),
                                           toPixels(height, scale))),
      m_context(cairo_create(m_surface))
{
    cairo_set_antialias(m_context, CAIRO_ANTIALIAS_BEST);
    cairo_scale(m_context, scale, scale);
}

int CSkinCanvas::toPixels(int designUnits, double scale)
{
    return static_cast<int>(std::lround(designUnits * scale));
}

CSkinCanvas::~CSkinCanvas()
{
    cairo_destroy(m_context);
    cairo_surface_destroy(m_surface);
}

void CSkinCanvas::setColour(const Colour &colour)
{
    cairo_set_source_rgba(m_context, colour.red, colour.green, colour.blue, colour.alpha);
}

void CSkinCanvas::roundedRectangle(double left, double top, double width, double height, double radius)
{
    const double right = left + width;
    const double bottom = top + height;
    cairo_new_sub_path(m_context);
    cairo_arc(m_context, right - radius, top + radius, radius, -M_PI / 2, 0);
    cairo_arc(m_context, right - radius, bottom - radius, radius, 0, M_PI / 2);
    cairo_arc(m_context, left + radius, bottom - radius, radius, M_PI / 2, M_PI);
    cairo_arc(m_context, left + radius, top + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(m_context);
}

void CSkinCanvas::fillLinear(double x0, double y0, const Colour &from, double x1, double y1, const Colour &to)
{
    cairo_pattern_t *pattern = cairo_pattern_create_linear(x0, y0, x1, y1);
    addStop(pattern, 0.0, from);
    addStop(pattern, 1.0, to);
    cairo_set_source(m_context, pattern);
    cairo_fill(m_context);
    cairo_pattern_destroy(pattern);
}

void CSkinCanvas::fillRadial(double x, double y, double radius, const Colour &inner, const Colour &outer)
{
    cairo_pattern_t *pattern = cairo_pattern_create_radial(x, y, 0.0, x, y, radius);
    addStop(pattern, 0.0, inner);
    addStop(pattern, 1.0, outer);
    cairo_set_source(m_context, pattern);
    cairo_fill(m_context);
    cairo_pattern_destroy(pattern);
}

void CSkinCanvas::glow(double x, double y, double radius, const Colour &colour)
{
    cairo_arc(m_context, x, y, radius, 0, 2 * M_PI);
    fillRadial(x, y, radius, colour, {colour.red, colour.green, colour.blue, 0.0});
}

void CSkinCanvas::text(const std::string &text, double x, double y, const Font &font, const Colour &colour,
                       Alignment alignment)
{
    selectFont(font);
    const double width = textWidth(text, font);
    double left = x;
    if (alignment == Alignment::centre)
    {
        left = x - width / 2;
    }
    else if (alignment == Alignment::right)
    {
        left = x - width;
    }
    setColour(colour);
    if (font.tracking == 0.0)
    {
        cairo_move_to(m_context, left, y);
        cairo_show_text(m_context, text.c_str());
        return;
    }
    // Spaced-out text as outlines: glyphs shown one by one would each snap to a whole pixel.
    char glyph[2] = {0, 0};
    for (char character : text)
    {
        glyph[0] = character;
        cairo_move_to(m_context, left, y);
        cairo_text_path(m_context, glyph);
        cairo_text_extents_t extents;
        cairo_text_extents(m_context, glyph, &extents);
        left += extents.x_advance + font.tracking;
    }
    cairo_fill(m_context);
}

double CSkinCanvas::textWidth(const std::string &text, const Font &font)
{
    selectFont(font);
    cairo_text_extents_t extents;
    cairo_text_extents(m_context, text.c_str(), &extents);
    return extents.x_advance + font.tracking * (text.empty() ? 0 : static_cast<double>(text.size() - 1));
}

bool CSkinCanvas::writePng(const std::string &path, std::string &error) const
{
    cairo_surface_flush(m_surface);
    const cairo_status_t status = cairo_surface_write_to_png(m_surface, path.c_str());
    if (status != CAIRO_STATUS_SUCCESS)
    {
        error = cairo_status_to_string(status);
        return false;
    }
    return true;
}

bool CSkinCanvas::writeTarga(const std::string &path, std::string &error) const
{
    cairo_surface_flush(m_surface);
    const int width = cairo_image_surface_get_width(m_surface);
    const int height = cairo_image_surface_get_height(m_surface);
    const int stride = cairo_image_surface_get_stride(m_surface);
    const bool opaque = cairo_image_surface_get_format(m_surface) == CAIRO_FORMAT_RGB24;
    const unsigned char *data = cairo_image_surface_get_data(m_surface);
    std::vector<uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
    {
        const auto *row = reinterpret_cast<const uint32_t *>(data + static_cast<ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x)
        {
            // An opaque surface leaves its top byte undefined.
            pixels.push_back(opaque ? row[x] | 0xFF000000u : row[x]);
        }
    }
    return CTargaWriter::write(path, width, height, pixels, error);
}

void CSkinCanvas::selectFont(const Font &font)
{
    cairo_select_font_face(m_context, FONT_FAMILY, CAIRO_FONT_SLANT_NORMAL,
                           font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(m_context, font.size);
}
} // namespace Zelo::Tools
