// A font resolved through fontconfig (so "Arial" finds a metric-compatible
// face such as Liberation Sans) and drawn with cairo onto a bitmap's pixels.
#pragma once

#include "gui/fonts/IFontHandle.h"

#include <cairo.h>

namespace Orvalite::GUI::Fonts
{
class CCairoFontHandle : public IFontHandle
{
public:
    explicit CCairoFontHandle(const SLogicalFont &font);
    CCairoFontHandle(const CCairoFontHandle &) = delete;
    CCairoFontHandle &operator=(const CCairoFontHandle &) = delete;
    ~CCairoFontHandle() override;

    // False when fontconfig found no face or cairo could not use it.
    bool isValid() const;

    std::string getFamilyName() const override { return m_familyName; }
    SMetrics getMetrics() const override;
    bool measureText(const std::string &text, double &width) const override;
    void drawText(Graphics::CBitmap &surface, const Graphics::SPixelBox &clip, double x, double baseline,
                  const std::string &text, uint32_t argb, bool antiAliased) const override;

private:
    void resolveFace(const SLogicalFont &font);
    // Underline and strike-out bars of the drawn text.
    void drawDecorations(cairo_t *cairo, double x, double baseline, double width) const;

    cairo_font_face_t *m_face = nullptr;
    cairo_scaled_font_t *m_scaledFont = nullptr;
    double m_pixelSize = 0.0;
    bool m_underline = false;
    bool m_strikeOut = false;
    std::string m_familyName;
};
} // namespace Orvalite::GUI::Fonts
