// A cairo image surface over a CBitmap's pixels: both are premultiplied 32-bit
// ARGB in native words with rows of width × 4 bytes, so cairo draws in place.
#pragma once

#include "gui/graphics/CBitmap.h"

#include <cairo.h>

namespace Orvalite::GUI::Graphics
{
class CCairoSurface
{
public:
    explicit CCairoSurface(CBitmap &bitmap);
    CCairoSurface(const CCairoSurface &) = delete;
    CCairoSurface &operator=(const CCairoSurface &) = delete;
    ~CCairoSurface();

    // False when cairo refused the pixels (empty bitmap, unexpected row size, no memory).
    bool isValid() const;
    cairo_surface_t *get() const { return m_surface; }

    // Hands the pixels to cairo after our own code wrote them, and back after cairo drew.
    void beginDrawing();
    void endDrawing();

private:
    cairo_surface_t *m_surface = nullptr;
};
} // namespace Orvalite::GUI::Graphics
