#include "tools/zelo/cairo/CRenderPlot.h"

#include "tools/zelo/CReplacedFile.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace Zelo::Tools
{
namespace
{
// The picture and its areas, in pixels.
constexpr int WIDTH = 1200;
constexpr int HEIGHT = 850;
constexpr double PLOT_LEFT = 90.0;
constexpr double PLOT_RIGHT = 820.0;
constexpr double LANE_TOP = 60.0;
constexpr double LANE_HEIGHT = 135.0;
constexpr double LANE_GAP = 12.0;
constexpr double SCOPE_LEFT = 850.0;
constexpr double SCOPE_SIZE = 320.0;
constexpr double FONT_SIZE = 14.0;
// Seconds of signal behind each point of the correlation curve.
constexpr double CORRELATION_WINDOW_SECONDS = 0.05;
// Windows quieter than this (mean square, about -60 dBFS) have no meaningful correlation.
constexpr double SILENT_MEAN_SQUARE = 1e-6;

struct SColour
{
    double red, green, blue;
};
constexpr SColour INK = {0.15, 0.15, 0.18};
constexpr SColour GRID = {0.82, 0.83, 0.86};
constexpr SColour INPUT_COLOUR = {0.35, 0.45, 0.60};
constexpr SColour OUTPUT_COLOUR = {0.85, 0.40, 0.10};

struct SArea
{
    double left, top, width, height;
};

using CairoPointer = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;
using SurfacePointer = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

void setColour(cairo_t *cairo, const SColour &colour, double alpha = 1.0)
{
    cairo_set_source_rgba(cairo, colour.red, colour.green, colour.blue, alpha);
}

void text(cairo_t *cairo, double x, double y, const std::string &line, double size = FONT_SIZE, bool isBold = false)
{
    cairo_select_font_face(cairo, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           isBold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cairo, size);
    cairo_move_to(cairo, x, y);
    cairo_show_text(cairo, line.c_str());
}

void frame(cairo_t *cairo, const SArea &area)
{
    setColour(cairo, GRID);
    cairo_set_line_width(cairo, 1.0);
    cairo_rectangle(cairo, area.left + 0.5, area.top + 0.5, area.width, area.height);
    cairo_stroke(cairo);
}

void horizontalLine(cairo_t *cairo, const SArea &area, double y)
{
    setColour(cairo, GRID);
    cairo_move_to(cairo, area.left, std::round(y) + 0.5);
    cairo_line_to(cairo, area.left + area.width, std::round(y) + 0.5);
    cairo_stroke(cairo);
}

// One channel as a filled band between its bins' extremes, on a time axis of `frames`.
void drawWaveform(cairo_t *cairo, const CSignalTrace &trace, bool isLeft, const SArea &area, size_t frames,
                  const SColour &colour)
{
    const double middle = area.top + area.height / 2.0;
    const double scale = area.height / 2.0 * 0.95;
    const double pixelsPerFrame = area.width / static_cast<double>(std::max<size_t>(frames, 1));
    const std::vector<CSignalTrace::Bin> &bins = trace.bins();
    for (int pass = 0; pass < 2; ++pass)
    {
        for (size_t i = 0; i < bins.size(); ++i)
        {
            const size_t index = pass == 0 ? i : bins.size() - 1 - i;
            const CSignalTrace::Bin &bin = bins[index];
            const double value =
                pass == 0 ? (isLeft ? bin.maxLeft : bin.maxRight) : (isLeft ? bin.minLeft : bin.minRight);
            const double x = area.left + (static_cast<double>(index) + 0.5) * trace.framesPerBin() * pixelsPerFrame;
            cairo_line_to(cairo, x, middle - std::clamp(value, -1.0, 1.0) * scale);
        }
    }
    cairo_close_path(cairo);
    setColour(cairo, colour);
    cairo_fill_preserve(cairo);
    cairo_set_line_width(cairo, 0.8);
    cairo_stroke(cairo);
}

void drawLane(cairo_t *cairo, const CSignalTrace &trace, bool isLeft, const SArea &area, size_t frames,
              const SColour &colour, const std::string &label)
{
    frame(cairo, area);
    horizontalLine(cairo, area, area.top + area.height / 2.0);
    drawWaveform(cairo, trace, isLeft, area, frames, colour);
    setColour(cairo, INK);
    text(cairo, 12.0, area.top + area.height / 2.0 + 5.0, label, FONT_SIZE, true);
    text(cairo, area.left - 22.0, area.top + 12.0, "+1", 11.0);
    text(cairo, area.left - 20.0, area.top + area.height - 2.0, "-1", 11.0);
}

// Correlation of each window of bins, or NaN where the window is silent.
std::vector<double> correlationOverTime(const CSignalTrace &trace, size_t binsPerWindow)
{
    std::vector<double> values;
    const std::vector<CSignalTrace::Bin> &bins = trace.bins();
    for (size_t start = 0; start < bins.size(); start += binsPerWindow)
    {
        double left = 0.0, right = 0.0, product = 0.0;
        const size_t end = std::min(bins.size(), start + binsPerWindow);
        for (size_t index = start; index < end; ++index)
        {
            left += bins[index].sumLeftSquared;
            right += bins[index].sumRightSquared;
            product += bins[index].sumProduct;
        }
        const double frames = static_cast<double>((end - start) * trace.framesPerBin());
        const bool isSilent = (left + right) / (2.0 * frames) < SILENT_MEAN_SQUARE || left * right <= 0.0;
        values.push_back(isSilent ? NAN : product / std::sqrt(left * right));
    }
    return values;
}

void drawCorrelationCurve(cairo_t *cairo, const CSignalTrace &trace, const SArea &area, size_t frames,
                          const SColour &colour, double lineWidth)
{
    const size_t binsPerWindow = std::max<size_t>(
        1, static_cast<size_t>(CORRELATION_WINDOW_SECONDS * trace.sampleRate() / trace.framesPerBin()));
    const std::vector<double> values = correlationOverTime(trace, binsPerWindow);
    const double pixelsPerWindow =
        area.width * static_cast<double>(binsPerWindow * trace.framesPerBin()) / static_cast<double>(frames);
    bool isDrawing = false;
    for (size_t index = 0; index < values.size(); ++index)
    {
        if (std::isnan(values[index]))
        {
            isDrawing = false;
            continue;
        }
        const double x = area.left + (static_cast<double>(index) + 0.5) * pixelsPerWindow;
        const double y = area.top + (1.0 - values[index]) / 2.0 * area.height;
        isDrawing ? cairo_line_to(cairo, x, y) : cairo_move_to(cairo, x, y);
        isDrawing = true;
    }
    setColour(cairo, colour);
    cairo_set_line_width(cairo, lineWidth);
    cairo_stroke(cairo);
}

void drawCorrelationLane(cairo_t *cairo, const CSignalTrace &input, const CSignalTrace &output, const SArea &area,
                         size_t frames)
{
    frame(cairo, area);
    horizontalLine(cairo, area, area.top + area.height / 2.0);
    drawCorrelationCurve(cairo, input, area, frames, INPUT_COLOUR, 1.2);
    drawCorrelationCurve(cairo, output, area, frames, OUTPUT_COLOUR, 2.0);
    setColour(cairo, INK);
    text(cairo, 12.0, area.top + 30.0, "Correlation", FONT_SIZE, true);
    text(cairo, 12.0, area.top + 48.0, "L/R", FONT_SIZE, true);
    text(cairo, area.left - 22.0, area.top + 12.0, "+1", 11.0);
    text(cairo, area.left - 14.0, area.top + area.height / 2.0 + 4.0, "0", 11.0);
    text(cairo, area.left - 20.0, area.top + area.height - 2.0, "-1", 11.0);
}

// Seconds marked under the plots, at a step that gives five to ten marks.
void drawTimeAxis(cairo_t *cairo, double top, size_t frames, int sampleRate)
{
    const double seconds = static_cast<double>(frames) / sampleRate;
    double step = 0.001;
    for (const double candidate : {0.001, 0.002, 0.005, 0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1.0, 2.0, 5.0, 10.0, 20.0,
                                   30.0, 60.0, 120.0, 300.0, 600.0})
    {
        step = candidate;
        if (seconds / candidate <= 10.0)
        {
            break;
        }
    }
    setColour(cairo, INK);
    for (double mark = 0.0; mark <= seconds + 1e-9; mark += step)
    {
        const double x = PLOT_LEFT + mark / seconds * (PLOT_RIGHT - PLOT_LEFT);
        char label[32];
        std::snprintf(label, sizeof(label), step < 1.0 ? "%.2f" : "%.0f", mark);
        text(cairo, x - 10.0, top + 16.0, label, 12.0);
    }
    text(cairo, PLOT_RIGHT - 60.0, top + 34.0, "time (s)", 12.0);
}

void drawGoniometer(cairo_t *cairo, const CSignalTrace &output, const SArea &area)
{
    frame(cairo, area);
    const double centreX = area.left + area.width / 2.0;
    const double centreY = area.top + area.height / 2.0;
    const double radius = area.width / 2.0 * 0.9;
    setColour(cairo, GRID);
    cairo_move_to(cairo, centreX, area.top);
    cairo_line_to(cairo, centreX, area.top + area.height);
    cairo_move_to(cairo, area.left, centreY);
    cairo_line_to(cairo, area.left + area.width, centreY);
    cairo_move_to(cairo, centreX - radius * M_SQRT1_2, centreY - radius * M_SQRT1_2);
    cairo_line_to(cairo, centreX + radius * M_SQRT1_2, centreY + radius * M_SQRT1_2);
    cairo_move_to(cairo, centreX + radius * M_SQRT1_2, centreY - radius * M_SQRT1_2);
    cairo_line_to(cairo, centreX - radius * M_SQRT1_2, centreY + radius * M_SQRT1_2);
    cairo_stroke(cairo);

    // Scaled to the loudest point, so quiet material still fills the scope.
    double peak = 1e-9;
    for (const auto &[left, right] : output.points())
    {
        peak = std::max({peak, std::fabs(left + right) * M_SQRT1_2, std::fabs(left - right) * M_SQRT1_2});
    }
    setColour(cairo, OUTPUT_COLOUR, 0.25);
    for (const auto &[left, right] : output.points())
    {
        const double side = (right - left) * M_SQRT1_2 / peak;
        const double mid = (left + right) * M_SQRT1_2 / peak;
        cairo_rectangle(cairo, centreX + side * radius - 0.75, centreY - mid * radius - 0.75, 1.5, 1.5);
    }
    cairo_fill(cairo);

    setColour(cairo, INK);
    text(cairo, area.left, area.top - 10.0, "Goniometer (output)", FONT_SIZE, true);
    text(cairo, centreX + 4.0, area.top + 16.0, "M (mono)", 12.0);
    text(cairo, area.left + 6.0, centreY - 6.0, "S", 12.0);
    text(cairo, centreX - radius * M_SQRT1_2 - 4.0, centreY - radius * M_SQRT1_2 - 4.0, "L", 14.0, true);
    text(cairo, centreX + radius * M_SQRT1_2 - 4.0, centreY - radius * M_SQRT1_2 - 4.0, "R", 14.0, true);
}

void drawKey(cairo_t *cairo, double x, double y)
{
    setColour(cairo, INPUT_COLOUR);
    cairo_rectangle(cairo, x, y - 10.0, 22.0, 10.0);
    cairo_fill(cairo);
    setColour(cairo, OUTPUT_COLOUR);
    cairo_rectangle(cairo, x + 90.0, y - 10.0, 22.0, 10.0);
    cairo_fill(cairo);
    setColour(cairo, INK);
    text(cairo, x + 28.0, y, "input");
    text(cairo, x + 118.0, y, "output");
}

cairo_status_t writeToFile(void *closure, const unsigned char *data, unsigned int length)
{
    try
    {
        static_cast<CReplacedFile *>(closure)->write(data, length);
        return CAIRO_STATUS_SUCCESS;
    }
    catch (const std::exception &)
    {
        return CAIRO_STATUS_WRITE_ERROR;
    }
}
} // namespace

void CRenderPlot::write(const CSignalTrace &input, const CSignalTrace &output, const std::string &path) const
{
    const SurfacePointer surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, WIDTH, HEIGHT), cairo_surface_destroy);
    const CairoPointer context(cairo_create(surface.get()), cairo_destroy);
    cairo_t *cairo = context.get();
    cairo_set_source_rgb(cairo, 1.0, 1.0, 1.0);
    cairo_paint(cairo);
    setColour(cairo, INK);
    text(cairo, 12.0, 32.0, m_title, 18.0, true);
    drawKey(cairo, PLOT_RIGHT - 200.0, 32.0);

    // One frame at least, so an empty rendering still gets its axes.
    const size_t frames = std::max<size_t>({input.frames(), output.frames(), 1});
    const double laneWidth = PLOT_RIGHT - PLOT_LEFT;
    const struct
    {
        const CSignalTrace &trace;
        bool isLeft;
        const char *label;
    } lanes[] = {
        {input, true, "Input L"}, {input, false, "Input R"}, {output, true, "Output L"}, {output, false, "Output R"}};
    double top = LANE_TOP;
    for (const auto &lane : lanes)
    {
        drawLane(cairo, lane.trace, lane.isLeft, {PLOT_LEFT, top, laneWidth, LANE_HEIGHT}, frames,
                 &lane.trace == &input ? INPUT_COLOUR : OUTPUT_COLOUR, lane.label);
        top += LANE_HEIGHT + LANE_GAP;
    }
    drawCorrelationLane(cairo, input, output, {PLOT_LEFT, top, laneWidth, LANE_HEIGHT}, frames);
    drawTimeAxis(cairo, top + LANE_HEIGHT, frames, output.sampleRate());

    drawGoniometer(cairo, output, {SCOPE_LEFT, LANE_TOP + 20.0, SCOPE_SIZE, SCOPE_SIZE});
    setColour(cairo, INK);
    double noteY = LANE_TOP + SCOPE_SIZE + 70.0;
    for (const std::string &note : m_notes)
    {
        text(cairo, SCOPE_LEFT, noteY, note, 13.0);
        noteY += 20.0;
    }

    cairo_surface_flush(surface.get());
    CReplacedFile file(path);
    if (cairo_surface_write_to_png_stream(surface.get(), writeToFile, &file) != CAIRO_STATUS_SUCCESS)
    {
        throw std::runtime_error(path + ": cannot write the picture");
    }
    file.commit();
}
} // namespace Zelo::Tools
