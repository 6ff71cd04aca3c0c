#include "tools/skin/CScrollBarPainter.h"

#include <utility>

namespace Zelo::Tools
{
namespace
{
using Colour = CSkinCanvas::Colour;

constexpr Colour rgb(int red, int green, int blue, double alpha = 1.0)
{
    return {red / 255.0, green / 255.0, blue / 255.0, alpha};
}

// The body sits two pixels inside the bar on either side, as the buttons sit in their seats.
constexpr double BODY_INSET = 2.0;
constexpr double RADIUS = 4.0;
// Lit from the left, as the buttons are lit from the top.
constexpr Colour BODY_LIT = rgb(96, 101, 111);
constexpr Colour BODY_SHADED = rgb(40, 43, 48);
constexpr Colour OUTLINE = rgb(8, 9, 11, 0.9);
constexpr Colour HIGHLIGHT = rgb(255, 255, 255, 0.22);
constexpr Colour RIDGE = rgb(0, 0, 0, 0.6);
constexpr Colour RIDGE_LIGHT = rgb(255, 255, 255, 0.25);
constexpr int GRIP_WIDTH = 8;
constexpr int GRIP_HEIGHT = 8;
} // namespace

std::unique_ptr<CSkinCanvas> CScrollBarPainter::cap(bool top) const
{
    auto canvas = std::make_unique<CSkinCanvas>(WIDTH, CAP_LENGTH, false, 1.0);
    const double rounding = 2 * RADIUS;
    paintBody(*canvas, top ? 0.0 : -rounding, top ? -rounding : 0.0);
    return canvas;
}

std::unique_ptr<CSkinCanvas> CScrollBarPainter::repeat() const
{
    auto canvas = std::make_unique<CSkinCanvas>(WIDTH, REPEAT_LENGTH, false, 1.0);
    paintBody(*canvas, -2 * RADIUS, -2 * RADIUS);
    return canvas;
}

std::unique_ptr<CSkinCanvas> CScrollBarPainter::grip() const
{
    auto canvas = std::make_unique<CSkinCanvas>(GRIP_WIDTH, GRIP_HEIGHT, false, 1.0);
    cairo_t *context = canvas->context();
    cairo_set_line_width(context, 1.0);
    for (int y = 0; y + 1 < GRIP_HEIGHT; y += 3)
    {
        for (const auto &[offset, colour] : {std::pair{0.5, RIDGE}, std::pair{1.5, RIDGE_LIGHT}})
        {
            cairo_move_to(context, 0.5, y + offset);
            cairo_line_to(context, GRIP_WIDTH - 0.5, y + offset);
            canvas->setColour(colour);
            cairo_stroke(context);
        }
    }
    return canvas;
}

void CScrollBarPainter::paintBody(CSkinCanvas &canvas, double startRounding, double endRounding) const
{
    cairo_t *context = canvas.context();
    const double left = BODY_INSET + 0.5;
    const double width = WIDTH - 2 * BODY_INSET - 1.0;
    const double top = 0.5 + startRounding;
    const double height = canvas.height() - 1.0 - startRounding - endRounding;
    canvas.roundedRectangle(left, top, width, height, RADIUS);
    canvas.fillLinear(left, 0, BODY_LIT, left + width, 0, BODY_SHADED);
    cairo_set_line_width(context, 1.0);
    cairo_move_to(context, left + 1.0, top + RADIUS);
    cairo_line_to(context, left + 1.0, top + height - RADIUS);
    canvas.setColour(HIGHLIGHT);
    cairo_stroke(context);
    canvas.roundedRectangle(left, top, width, height, RADIUS);
    canvas.setColour(OUTLINE);
    cairo_stroke(context);
}
} // namespace Zelo::Tools
