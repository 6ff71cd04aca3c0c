#include "tools/skin/CSkinPainter.h"

#include <cmath>
#include <random>

namespace Zelo::Tools
{
namespace
{
using Colour = CSkinCanvas::Colour;
using Font = CSkinCanvas::Font;
using Alignment = CSkinCanvas::Alignment;
using Layout = CSkinLayout;

constexpr Colour rgb(int red, int green, int blue, double alpha = 1.0)
{
    return {red / 255.0, green / 255.0, blue / 255.0, alpha};
}

Colour faded(const Colour &colour, double alpha)
{
    return {colour.red, colour.green, colour.blue, alpha};
}

// The plate: anodised charcoal, lighter where the light falls (top left).
constexpr Colour PLATE_LIT = rgb(50, 54, 61);
constexpr Colour PLATE_SHADED = rgb(25, 27, 31);
constexpr Colour HEADER_TOP = rgb(58, 62, 70);
constexpr Colour HEADER_BOTTOM = rgb(36, 39, 44);
constexpr Colour HIGHLIGHT = rgb(255, 255, 255, 0.10);
constexpr Colour SHADOW = rgb(0, 0, 0, 0.55);
constexpr Colour INK = rgb(232, 235, 240);
constexpr Colour CAPTION = rgb(150, 157, 168);
constexpr Colour MUTED = rgb(118, 125, 136);
constexpr Colour WELL = rgb(10, 11, 13);
constexpr Colour TICK = rgb(112, 119, 130);
constexpr Colour POINTER = rgb(246, 244, 236);
// The lamp of a lit button, the master group's warm red.
constexpr Colour LAMP = rgb(255, 112, 100);
constexpr Colour LAMP_CORE = rgb(255, 214, 200);
constexpr Colour LAMP_OFF = rgb(62, 30, 30);

constexpr Font PRODUCT_FONT{30.0, true, 0.5};
constexpr Font BRAND_FONT{9.0, false, 1.6};
constexpr Font SUBTITLE_FONT{9.0, true, 1.6};
constexpr Font TITLE_FONT{11.0, true, 0.8};
constexpr Font CAPTION_FONT{10.0};

// The about picture.
constexpr int SPLASH_WIDTH = 320;
constexpr int SPLASH_HEIGHT = 200;
// The header band's height, above the section titles.
constexpr double HEADER_HEIGHT = 54.0;
// Baseline of the section titles and the accent line under them.
constexpr double TITLE_BASELINE = 72.0;
constexpr double TITLE_RULE = 76.5;
// A read-out well sits inside the read-out field by this much left and right.
constexpr double WELL_INSET = 3.0;
// Knob body and cap radii and the pointer's ends, in a 40 x 40 frame.
constexpr double KNOB_RADIUS = 15.5;
constexpr double CAP_RADIUS = 11.5;
constexpr double POINTER_INNER = 4.0;
constexpr double POINTER_OUTER = 14.0;
// The scale around every knob seat: ticks between these radii.
constexpr double TICK_INNER = 17.0;
constexpr double TICK_OUTER = 19.5;
constexpr int TICK_COUNT = 11;
constexpr int FLUTE_COUNT = 24;
// How much a lit lamp's glow is squeezed vertically.
constexpr double GLOW_FLATTENING = 0.45;

// Fine horizontal streaks of brushed metal, the same on every build: the generator
// is fully specified and only its raw numbers are used.
void brush(CSkinCanvas &canvas)
{
    std::minstd_rand random(20261206);
    const auto uniform = [&random] { return (random() - random.min()) / double(random.max() - random.min()); };
    for (int streak = 0; streak < 4000; ++streak)
    {
        const double y = std::floor(uniform() * canvas.height()) + 0.5;
        const double x = uniform() * canvas.width() - 20;
        const double length = 20 + uniform() * 110;
        const double alpha = 0.008 + uniform() * 0.014;
        const bool light = uniform() < 0.5;
        cairo_move_to(canvas.context(), x, y);
        cairo_line_to(canvas.context(), x + length, y);
        cairo_set_line_width(canvas.context(), 1.0);
        canvas.setColour(light ? rgb(255, 255, 255, alpha) : rgb(0, 0, 0, alpha * 1.5));
        cairo_stroke(canvas.context());
    }
}

double degrees(double angle)
{
    return angle * M_PI / 180.0;
}

struct Point
{
    double x;
    double y;
};

// The point at `radius` from `centre` in the direction `angle` (radians) clockwise from straight up.
Point pointAt(const Point &centre, double radius, double angle)
{
    return {centre.x + radius * std::sin(angle), centre.y - radius * std::cos(angle)};
}

// A knob's angle at `value` (0 to 1), in radians clockwise from straight up.
double knobAngle(double value)
{
    return degrees(-Layout::KNOB_SWEEP + 2 * Layout::KNOB_SWEEP * value);
}

void line(CSkinCanvas &canvas, const Point &from, const Point &to, double width, const Colour &colour)
{
    cairo_t *context = canvas.context();
    cairo_move_to(context, from.x, from.y);
    cairo_line_to(context, to.x, to.y);
    cairo_set_line_width(context, width);
    cairo_set_line_cap(context, CAIRO_LINE_CAP_ROUND);
    canvas.setColour(colour);
    cairo_stroke(context);
}

// A rectangle sunk into the plate: a dark fill, a shadow under its top edge and
// a thin highlight along its bottom edge where the light catches the far wall.
void sunkenBox(CSkinCanvas &canvas, double left, double top, double width, double height, double radius,
               const Colour &fill)
{
    canvas.roundedRectangle(left, top + 1.0, width, height, radius);
    canvas.setColour(faded(HIGHLIGHT, 0.07));
    cairo_fill(canvas.context());
    canvas.roundedRectangle(left, top, width, height, radius);
    canvas.setColour(fill);
    cairo_fill(canvas.context());
    canvas.roundedRectangle(left, top, width, height, radius);
    canvas.fillLinear(0, top, rgb(0, 0, 0, 0.75), 0, top + 5.0, rgb(0, 0, 0, 0.0));
}
// The knob's outer ring, lit from the top left, with grip flutes that turn with it.
void knobSkirt(CSkinCanvas &canvas, const Point &centre, double angle)
{
    cairo_t *context = canvas.context();
    cairo_arc(context, centre.x, centre.y, KNOB_RADIUS, 0, 2 * M_PI);
    canvas.fillLinear(centre.x - KNOB_RADIUS, centre.y - KNOB_RADIUS, rgb(112, 118, 129), centre.x + KNOB_RADIUS,
                      centre.y + KNOB_RADIUS, rgb(20, 22, 25));
    for (int flute = 0; flute < FLUTE_COUNT; ++flute)
    {
        const double fluteAngle = angle + flute * 2 * M_PI / FLUTE_COUNT;
        line(canvas, pointAt(centre, CAP_RADIUS + 1.2, fluteAngle), pointAt(centre, KNOB_RADIUS - 0.6, fluteAngle), 0.8,
             rgb(0, 0, 0, 0.28));
    }
    cairo_arc(context, centre.x, centre.y, KNOB_RADIUS - 0.5, 0, 2 * M_PI);
    cairo_set_line_width(context, 1.0);
    canvas.setColour(rgb(6, 7, 9, 0.85));
    cairo_stroke(context);
}

// The knob's flat top: a soft sheen towards the light and a lit rim on the top-left side.
void knobCap(CSkinCanvas &canvas, const Point &centre)
{
    cairo_t *context = canvas.context();
    cairo_arc(context, centre.x, centre.y, CAP_RADIUS + 0.8, 0, 2 * M_PI);
    canvas.setColour(rgb(0, 0, 0, 0.35));
    cairo_fill(context);
    cairo_arc(context, centre.x, centre.y, CAP_RADIUS, 0, 2 * M_PI);
    canvas.fillLinear(centre.x - CAP_RADIUS, centre.y - CAP_RADIUS, rgb(74, 78, 87), centre.x + CAP_RADIUS,
                      centre.y + CAP_RADIUS, rgb(37, 40, 45));
    const Point sheen{centre.x - 3.5, centre.y - 4.0};
    cairo_arc(context, sheen.x, sheen.y, 7.0, 0, 2 * M_PI);
    canvas.fillRadial(sheen.x, sheen.y, 7.0, rgb(255, 255, 255, 0.09), rgb(255, 255, 255, 0.0));
    cairo_arc(context, centre.x, centre.y, CAP_RADIUS - 0.5, degrees(180), degrees(300));
    cairo_set_line_width(context, 1.0);
    canvas.setColour(rgb(255, 255, 255, 0.16));
    cairo_stroke(context);
}

// The button's lamp, a bar across its middle: lit, it glows over the face.
void lamp(CSkinCanvas &canvas, bool lit)
{
    cairo_t *context = canvas.context();
    const double width = canvas.width();
    const double height = canvas.height();
    const double left = 10.0;
    const double top = 8.0;
    canvas.roundedRectangle(left - 1.0, top - 1.0, width - 2 * left + 2.0, 6.0, 3.0);
    canvas.setColour(rgb(0, 0, 0, 0.7));
    cairo_fill(context);
    canvas.roundedRectangle(left, top, width - 2 * left, 4.0, 2.0);
    if (!lit)
    {
        canvas.fillLinear(0, top, rgb(30, 14, 14), 0, top + 4.0, LAMP_OFF);
        return;
    }
    canvas.fillLinear(0, top, LAMP_CORE, 0, top + 4.0, LAMP);
    cairo_save(context);
    canvas.roundedRectangle(1.5, 1.5, width - 3.0, height - 3.0, 3.0);
    cairo_clip(context);
    // A flattened circle: the glow spreads along the bar more than across it.
    cairo_scale(context, 1.0, GLOW_FLATTENING);
    canvas.glow(width / 2, (top + 2.0) / GLOW_FLATTENING, 19.0, faded(LAMP, 0.42));
    cairo_restore(context);
}
} // namespace

std::unique_ptr<CSkinCanvas> CSkinPainter::background() const
{
    auto canvas = std::make_unique<CSkinCanvas>(Layout::PANEL_WIDTH, Layout::PANEL_HEIGHT, true, m_scale);
    paintPlate(*canvas);
    paintHeader(*canvas);
    paintTitles(*canvas);
    paintWaves(*canvas, 153, 88, 124, 44);
    // Wells first: the right column's reach under their knobs, whose seats and scales lie on top.
    for (const auto &control : Layout::controls())
    {
        paintReadoutWell(*canvas, control);
    }
    for (const auto &control : Layout::controls())
    {
        if (control.kind == Layout::Kind::knob)
        {
            paintKnobSeat(*canvas, control.left, control.top);
        }
        else
        {
            paintButtonSeat(*canvas, control.left, control.top);
        }
        paintCaption(*canvas, control);
    }
    return canvas;
}

std::unique_ptr<CSkinCanvas> CSkinPainter::knob() const
{
    const int size = Layout::KNOB_SIZE;
    auto canvas = std::make_unique<CSkinCanvas>(size, size * Layout::KNOB_FRAMES, false, m_scale);
    for (int frame = 0; frame < Layout::KNOB_FRAMES; ++frame)
    {
        paintKnobFrame(*canvas, frame * size, frame / double(Layout::KNOB_FRAMES - 1));
    }
    return canvas;
}

std::unique_ptr<CSkinCanvas> CSkinPainter::button(bool lit) const
{
    const double width = Layout::BUTTON_WIDTH;
    const double height = Layout::BUTTON_HEIGHT;
    auto canvas = std::make_unique<CSkinCanvas>(Layout::BUTTON_WIDTH, Layout::BUTTON_HEIGHT, false, m_scale);
    cairo_t *context = canvas->context();
    canvas->roundedRectangle(0.5, 0.5, width - 1.0, height - 1.0, 4.0);
    canvas->fillLinear(0, 0, rgb(84, 89, 98), 0, height, rgb(33, 35, 40));
    canvas->roundedRectangle(1.5, 1.5, width - 3.0, height - 3.0, 3.0);
    canvas->fillLinear(0, 1.5, rgb(70, 74, 82), 0, height - 1.5, rgb(40, 43, 48));
    line(*canvas, {4.0, 1.5}, {width - 4.0, 1.5}, 1.0, rgb(255, 255, 255, 0.22));

    lamp(*canvas, lit);
    canvas->roundedRectangle(0.5, 0.5, width - 1.0, height - 1.0, 4.0);
    cairo_set_line_width(context, 1.0);
    canvas->setColour(rgb(8, 9, 11, 0.9));
    cairo_stroke(context);
    return canvas;
}

std::unique_ptr<CSkinCanvas> CSkinPainter::aboutButton() const
{
    const double size = Layout::ABOUT_SIZE;
    const double centre = size / 2;
    const double radius = 10.5;
    auto canvas = std::make_unique<CSkinCanvas>(Layout::ABOUT_SIZE, Layout::ABOUT_SIZE, false, m_scale);
    cairo_t *context = canvas->context();
    canvas->glow(centre + 0.8, centre + 1.4, radius + 3.0, rgb(0, 0, 0, 0.5));
    cairo_arc(context, centre, centre, radius, 0, 2 * M_PI);
    canvas->fillLinear(centre - radius, centre - radius, rgb(88, 93, 103), centre + radius, centre + radius,
                       rgb(28, 30, 34));
    cairo_arc(context, centre, centre, radius - 1.5, 0, 2 * M_PI);
    canvas->fillLinear(0, centre - radius, rgb(62, 66, 74), 0, centre + radius, rgb(38, 41, 46));
    cairo_arc(context, centre, centre, radius, 0, 2 * M_PI);
    cairo_set_line_width(context, 1.0);
    canvas->setColour(rgb(8, 9, 11, 0.9));
    cairo_stroke(context);
    canvas->text("i", centre, centre + 5.5, {15.0, true}, INK, Alignment::centre);
    return canvas;
}

std::unique_ptr<CSkinCanvas> CSkinPainter::splash() const
{
    const double width = SPLASH_WIDTH;
    const double height = SPLASH_HEIGHT;
    auto canvas = std::make_unique<CSkinCanvas>(SPLASH_WIDTH, SPLASH_HEIGHT, true, m_scale);
    cairo_t *context = canvas->context();
    cairo_rectangle(context, 0, 0, width, height);
    canvas->fillLinear(0, 0, PLATE_LIT, width, height, PLATE_SHADED);
    brush(*canvas);
    paintWaves(*canvas, 20, 18, width - 40, 44);
    const double centre = width / 2;
    canvas->text("Zelo", centre + 1, 103, {40.0, true, 1.0}, rgb(0, 0, 0, 0.6), Alignment::centre);
    canvas->text("Zelo", centre, 102, {40.0, true, 1.0}, INK, Alignment::centre);
    canvas->text("Stereo Doubler", centre, 123, {12.0, true, 1.2}, Layout::readoutColour(Layout::Group::master),
                 Alignment::centre);
    line(*canvas, {centre - 60, 134.5}, {centre + 60, 134.5}, 1.0, rgb(0, 0, 0, 0.5));
    line(*canvas, {centre - 60, 135.5}, {centre + 60, 135.5}, 1.0, HIGHLIGHT);
    canvas->text("Version 1.0.0", centre, 153, {11.0}, CAPTION, Alignment::centre);
    canvas->text("Orlen Vantrell Audio", centre, 169, {11.0}, CAPTION, Alignment::centre);
    canvas->text("Click to close", centre, 190, {9.0, false, 0.4}, MUTED, Alignment::centre);
    cairo_rectangle(context, 0.5, 0.5, width - 1.0, height - 1.0);
    cairo_set_line_width(context, 1.0);
    canvas->setColour(rgb(90, 96, 106));
    cairo_stroke(context);
    return canvas;
}

void CSkinPainter::paintPlate(CSkinCanvas &canvas) const
{
    const double width = canvas.width();
    const double height = canvas.height();
    cairo_rectangle(canvas.context(), 0, 0, width, height);
    canvas.fillLinear(0, 0, PLATE_LIT, width * 0.6, height, PLATE_SHADED);
    brush(canvas);
    line(canvas, {0.5, 0.5}, {0.5, height - 0.5}, 1.0, HIGHLIGHT);
    line(canvas, {width - 0.5, 0.5}, {width - 0.5, height - 0.5}, 1.0, SHADOW);
    line(canvas, {0.5, height - 0.5}, {width - 0.5, height - 0.5}, 1.0, SHADOW);
}

void CSkinPainter::paintHeader(CSkinCanvas &canvas) const
{
    const double width = canvas.width();
    cairo_rectangle(canvas.context(), 0, 0, width, HEADER_HEIGHT);
    canvas.fillLinear(0, 0, HEADER_TOP, 0, HEADER_HEIGHT, HEADER_BOTTOM);
    line(canvas, {0, 0.5}, {width, 0.5}, 1.0, rgb(255, 255, 255, 0.16));
    line(canvas, {0, HEADER_HEIGHT + 0.5}, {width, HEADER_HEIGHT + 0.5}, 1.0, rgb(0, 0, 0, 0.7));
    line(canvas, {0, HEADER_HEIGHT + 1.5}, {width, HEADER_HEIGHT + 1.5}, 1.0, faded(HIGHLIGHT, 0.06));

    canvas.text("Zelo", 17, 38, PRODUCT_FONT, rgb(0, 0, 0, 0.6));
    canvas.text("Zelo", 16, 37, PRODUCT_FONT, INK);
    const double divider = 16 + canvas.textWidth("Zelo", PRODUCT_FONT) + 12;
    line(canvas, {divider + 0.5, 15}, {divider + 0.5, 40}, 1.0, rgb(0, 0, 0, 0.5));
    line(canvas, {divider + 1.5, 15}, {divider + 1.5, 40}, 1.0, HIGHLIGHT);
    canvas.text("STEREO DOUBLER", divider + 12, 25, SUBTITLE_FONT, Layout::readoutColour(Layout::Group::master));
    canvas.text("Orlen Vantrell Audio", divider + 12, 38, BRAND_FONT, CAPTION);
}

void CSkinPainter::paintTitles(CSkinCanvas &canvas) const
{
    for (auto group : {Layout::Group::voiceOne, Layout::Group::master, Layout::Group::voiceTwo})
    {
        const double centre = Layout::columnCentre(group);
        const std::string title = Layout::title(group);
        const double half = canvas.textWidth(title, TITLE_FONT) / 2 + 10;
        canvas.text(title, centre, TITLE_BASELINE, TITLE_FONT, INK, Alignment::centre);
        cairo_rectangle(canvas.context(), centre - half, TITLE_RULE - 1, half, 2);
        const Colour accent = Layout::readoutColour(group);
        canvas.fillLinear(centre - half, 0, faded(accent, 0.0), centre, 0, faded(accent, 1.0));
        cairo_rectangle(canvas.context(), centre, TITLE_RULE - 1, half, 2);
        canvas.fillLinear(centre, 0, faded(accent, 1.0), centre + half, 0, faded(accent, 0.0));
    }
}

void CSkinPainter::paintWaves(CSkinCanvas &canvas, double left, double top, double width, double height) const
{
    cairo_t *context = canvas.context();
    sunkenBox(canvas, left, top, width, height, 4.0, rgb(12, 14, 17));
    const double middle = top + height / 2;
    line(canvas, {left + 6, middle}, {left + width - 6, middle}, 1.0, rgb(255, 255, 255, 0.06));
    // The two voices: the same wave, one a little shorter and later than the other,
    // each swelling and fading like one grain of the pitch shifter.
    const struct
    {
        Layout::Group group;
        double wavelength;
        double phase;
    } voices[] = {{Layout::Group::voiceOne, 62.0, 0.0}, {Layout::Group::voiceTwo, 58.0, 0.5}};
    const double span = width - 12;
    for (const auto &voice : voices)
    {
        for (double x = 0; x <= span; x += 0.5)
        {
            const double swell = std::sin(M_PI * x / span);
            const double y = middle - height * 0.3 * swell * std::sin(2 * M_PI * x / voice.wavelength + voice.phase);
            (x == 0 ? cairo_move_to : cairo_line_to)(context, left + 6 + x, y);
        }
        const Colour colour = Layout::readoutColour(voice.group);
        cairo_set_line_width(context, 4.0);
        canvas.setColour(faded(colour, 0.15));
        cairo_stroke_preserve(context);
        cairo_set_line_width(context, 1.4);
        canvas.setColour(faded(colour, 0.9));
        cairo_stroke(context);
    }
}

void CSkinPainter::paintReadoutWell(CSkinCanvas &canvas, const CSkinLayout::Control &control) const
{
    sunkenBox(canvas, control.readoutLeft + WELL_INSET, control.readoutTop, Layout::READOUT_WIDTH - 2 * WELL_INSET,
              Layout::READOUT_HEIGHT, 3.0, WELL);
}

void CSkinPainter::paintCaption(CSkinCanvas &canvas, const CSkinLayout::Control &control) const
{
    const double baseline = control.readoutTop - 3.0;
    if (control.group == Layout::Group::voiceTwo)
    {
        canvas.text(control.caption, control.left - 8.0, baseline, CAPTION_FONT, CAPTION, Alignment::right);
    }
    else
    {
        canvas.text(control.caption, control.readoutLeft + WELL_INSET + 2.0, baseline, CAPTION_FONT, CAPTION);
    }
}

void CSkinPainter::paintKnobSeat(CSkinCanvas &canvas, double left, double top) const
{
    const Point centre{left + Layout::KNOB_SIZE / 2.0, top + Layout::KNOB_SIZE / 2.0};
    canvas.glow(centre.x, centre.y, TICK_INNER, rgb(0, 0, 0, 0.45));
    cairo_arc(canvas.context(), centre.x, centre.y, KNOB_RADIUS + 0.8, 0, 2 * M_PI);
    canvas.setColour(rgb(10, 11, 13));
    cairo_fill(canvas.context());
    for (int tick = 0; tick < TICK_COUNT; ++tick)
    {
        const double angle = knobAngle(tick / double(TICK_COUNT - 1));
        const bool end = tick == 0 || tick == TICK_COUNT - 1;
        line(canvas, pointAt(centre, TICK_INNER, angle), pointAt(centre, end ? TICK_OUTER : TICK_OUTER - 0.8, angle),
             end ? 1.4 : 1.0, end ? CAPTION : TICK);
    }
}

void CSkinPainter::paintButtonSeat(CSkinCanvas &canvas, double left, double top) const
{
    canvas.roundedRectangle(left - 1.0, top - 1.0, Layout::BUTTON_WIDTH + 2.0, Layout::BUTTON_HEIGHT + 2.0, 5.0);
    canvas.setColour(rgb(8, 9, 11));
    cairo_fill(canvas.context());
    canvas.roundedRectangle(left - 1.0, top + 0.5, Layout::BUTTON_WIDTH + 2.0, Layout::BUTTON_HEIGHT + 1.5, 5.0);
    cairo_set_line_width(canvas.context(), 1.0);
    canvas.setColour(faded(HIGHLIGHT, 0.06));
    cairo_stroke(canvas.context());
}

void CSkinPainter::paintKnobFrame(CSkinCanvas &canvas, double top, double value) const
{
    cairo_t *context = canvas.context();
    const Point centre{Layout::KNOB_SIZE / 2.0, top + Layout::KNOB_SIZE / 2.0};
    cairo_save(context);
    cairo_rectangle(context, 0, top, Layout::KNOB_SIZE, Layout::KNOB_SIZE);
    cairo_clip(context);
    canvas.glow(centre.x + 1.0, centre.y + 1.8, KNOB_RADIUS + 3.0, rgb(0, 0, 0, 0.6));
    const double angle = knobAngle(value);
    knobSkirt(canvas, centre, angle);
    knobCap(canvas, centre);
    const Point inner = pointAt(centre, POINTER_INNER, angle);
    const Point outer = pointAt(centre, POINTER_OUTER, angle);
    line(canvas, {inner.x + 0.5, inner.y + 0.8}, {outer.x + 0.5, outer.y + 0.8}, 2.6, rgb(0, 0, 0, 0.55));
    line(canvas, inner, outer, 2.2, POINTER);
    cairo_restore(context);
}
} // namespace Zelo::Tools
