// The anti-aliased renderer on cairo: one cairo context on the bitmap's own
// pixels. Strokes are offset by half a pixel so that a one-pixel line along
// integer coordinates covers exactly that row or column; fills are not.
#pragma once

#include "gui/graphics/IAntiAliasedRenderer.h"
#include "gui/graphics/cairo/CCairoSurface.h"

namespace Orvalite::GUI::Graphics
{
class CCairoRenderer : public IAntiAliasedRenderer
{
public:
    explicit CCairoRenderer(CBitmap &surface);
    ~CCairoRenderer() override;

    // False when cairo could not make a context on the surface.
    bool isValid() const;

    void setClip(int64_t left, int64_t top, int64_t width, int64_t height) override;
    void resetClip() override;
    void setSmoothingMode(long mode) override;
    long getSmoothingMode() const override { return m_smoothingMode; }

    void drawLine(SPixelPoint from, SPixelPoint to, const SStroke &stroke) override;
    void drawRectangle(int64_t left, int64_t top, int64_t width, int64_t height, const SStroke &stroke) override;
    void fillRectangle(int64_t left, int64_t top, int64_t width, int64_t height, uint32_t argb) override;
    void fillRoundedRectangle(int64_t left, int64_t top, int64_t width, int64_t height, double radius,
                              uint32_t argb) override;
    void fillEllipse(int64_t left, int64_t top, int64_t width, int64_t height, uint32_t argb) override;
    void fillPolygon(const std::vector<SPixelPoint> &points, uint32_t argb) override;

private:
    void setSource(uint32_t argb);
    void stroke(const SStroke &stroke);
    void fill(uint32_t argb);

    CCairoSurface m_surface;
    cairo_t *m_cairo = nullptr;
    long m_smoothingMode = e_smoothingDefault;
};
} // namespace Orvalite::GUI::Graphics
