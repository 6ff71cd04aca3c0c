// The anti-aliased renderer on GDI+: one GDI+ graphics on the bitmap's own
// pixels. GDI+ centres pixels on whole coordinates; a half-pixel translation
// centres them between, as cairo does, so strokes are moved by half a pixel to
// cover exactly the row or column they name, and fills are not.
#pragma once

#include "gui/graphics/IAntiAliasedRenderer.h"
#include "gui/graphics/gdiplus/CGdiPlusSurface.h"

namespace Orvalite::GUI::Graphics
{
class CGdiPlusRenderer : public IAntiAliasedRenderer
{
public:
    explicit CGdiPlusRenderer(CBitmap &surface);

    // False when GDI+ could not make a graphics on the surface.
    bool isValid() const { return m_surface.isValid(); }

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
    TGdiPlusObject<Gdiplus::GpPen> makePen(const SStroke &stroke) const;
    void fillPath(Gdiplus::GpPath *path, uint32_t argb);

    CGdiPlusSurface m_surface;
    long m_smoothingMode = e_smoothingDefault;
};
} // namespace Orvalite::GUI::Graphics
