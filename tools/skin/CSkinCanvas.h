// One skin image being drawn: a cairo image surface and its context, with the few
// shapes, fills and texts the skin is made of. Owned by whoever paints the image.
#pragma once

#include <cairo.h>

#include <string>

namespace Zelo::Tools
{
class CSkinCanvas
{
public:
    struct Colour
    {
        double red;
        double green;
        double blue;
        double alpha = 1.0;
    };

    enum class Alignment
    {
        left,
        centre,
        right
    };

    struct Font
    {
        double size;
        bool bold = false;
        // Extra space after every character, in pixels.
        double tracking = 0.0;
    };

    // An opaque canvas has no alpha channel; a transparent one starts fully transparent.
    // Everything is drawn in design units, `scale` pixels each: the image is
    // width × height units, rounded to whole pixels.
    CSkinCanvas(int width, int height, bool opaque, double scale);
    ~CSkinCanvas();
    CSkinCanvas(const CSkinCanvas &) = delete;
    CSkinCanvas &operator=(const CSkinCanvas &) = delete;

    cairo_t *context() const { return m_context; }
    // In design units.
    int width() const { return m_width; }
    int height() const { return m_height; }
    // Design units to whole pixels, halves away from zero (as the editor places its controls).
    static int toPixels(int designUnits, double scale);

    void setColour(const Colour &colour);
    void roundedRectangle(double left, double top, double width, double height, double radius);
    // Fills the current path with a gradient from `from` at (x0, y0) to `to` at (x1, y1).
    void fillLinear(double x0, double y0, const Colour &from, double x1, double y1, const Colour &to);
    // Fills the current path with a radial fade from `inner` at the centre to `outer` at `radius`.
    void fillRadial(double x, double y, double radius, const Colour &inner, const Colour &outer);
    // A soft glow or shadow round (x, y): `colour` at the centre, fading out by `radius`.
    void glow(double x, double y, double radius, const Colour &colour);
    // Draws `text` with its baseline at y, `x` being its left end, centre or right end.
    void text(const std::string &text, double x, double y, const Font &font, const Colour &colour,
              Alignment alignment = Alignment::left);
    double textWidth(const std::string &text, const Font &font);

    // Write the image as PNG, or as an uncompressed 32-bit Targa file; false
    // with the reason in `error` when that fails.
    bool writePng(const std::string &path, std::string &error) const;
    bool writeTarga(const std::string &path, std::string &error) const;

private:
    void selectFont(const Font &font);

    int m_width;
    int m_height;
    cairo_surface_t *m_surface;
    cairo_t *m_context;
};
} // namespace Zelo::Tools
