// Anti-aliased drawing onto one bitmap: the role GDI+ plays on Windows. Colours
// are straight 0xAARRGGBB; coordinates are device pixels, with one-pixel
// strokes centred on the pixels they name. One implementation per platform,
// made by create(), which answers null when the platform cannot draw there.
#pragma once

#include "gui/graphics/SPixelPoint.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Orvalite::GUI::Graphics
{
class CBitmap;

class IAntiAliasedRenderer
{
public:
    // GDI+ smoothing modes: 0 (default) and 3 draw without anti-aliasing, 2 (high quality) and 4 with it.
    enum ESmoothingMode
    {
        e_smoothingDefault = 0,
        e_smoothingHighSpeed = 1,
        e_smoothingHighQuality = 2,
        e_smoothingNone = 3,
        e_smoothingAntiAlias = 4,
    };

    struct SStroke
    {
        uint32_t argb = 0xFF000000;
        double width = 1.0;
        // GDI+ line caps: 0 flat, 1 square, 2 round; others draw flat.
        long lineCap = 0;
    };

    // The surface must outlive the renderer and keep its size.
    static std::unique_ptr<IAntiAliasedRenderer> create(CBitmap &surface);

    virtual ~IAntiAliasedRenderer() = default;

    virtual void setClip(int64_t left, int64_t top, int64_t width, int64_t height) = 0;
    virtual void resetClip() = 0;
    virtual void setSmoothingMode(long mode) = 0;
    virtual long getSmoothingMode() const = 0;

    virtual void drawLine(SPixelPoint from, SPixelPoint to, const SStroke &stroke) = 0;
    // The outline through the pixel centres of the corners (left, top) and (left + width, top + height).
    virtual void drawRectangle(int64_t left, int64_t top, int64_t width, int64_t height, const SStroke &stroke) = 0;
    // Fills cover left … left + width − 1 by top … top + height − 1.
    virtual void fillRectangle(int64_t left, int64_t top, int64_t width, int64_t height, uint32_t argb) = 0;
    // Straight sides joined by quarter circles of the given radius.
    virtual void fillRoundedRectangle(int64_t left, int64_t top, int64_t width, int64_t height, double radius,
                                      uint32_t argb) = 0;
    virtual void fillEllipse(int64_t left, int64_t top, int64_t width, int64_t height, uint32_t argb) = 0;
    // Alternate (even-odd) fill.
    virtual void fillPolygon(const std::vector<SPixelPoint> &points, uint32_t argb) = 0;
};
} // namespace Orvalite::GUI::Graphics
