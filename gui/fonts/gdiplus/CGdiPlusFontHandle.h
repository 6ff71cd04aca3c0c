// A font made by GDI+ from a logical font description (family by name, em
// size in pixels, style) that measures and draws onto a bitmap's pixels.
// Under Wine, "Arial" may resolve to a substitute such as Liberation Sans.
#pragma once

#include "gui/fonts/IFontHandle.h"
#include "gui/graphics/CBitmap.h"
#include "gui/graphics/gdiplus/CGdiPlusSurface.h"

#include <string>

namespace Orvalite::GUI::Fonts
{
class CGdiPlusFontHandle : public IFontHandle
{
public:
    explicit CGdiPlusFontHandle(const SLogicalFont &font);

    // False when GDI+ found no family or could not make the font.
    bool isValid() const;

    std::string getFamilyName() const override;
    SMetrics getMetrics() const override;
    bool measureText(const std::string &text, double &width) const override;
    void drawText(Graphics::CBitmap &surface, const Graphics::SPixelBox &clip, double x, double baseline,
                  const std::string &text, uint32_t argb, bool antiAliased) const override;

private:
    // A family design unit (of ascent, descent or spacing) in pixels.
    double pixelsOf(UINT16 designUnits) const;

    Graphics::CGdiPlusSession m_session;
    Graphics::TGdiPlusObject<Gdiplus::GpFontFamily> m_family;
    Graphics::TGdiPlusObject<Gdiplus::GpFont> m_font;
    Graphics::TGdiPlusObject<Gdiplus::GpStringFormat> m_format;
    // GDI+ measures text only on a graphics: a one-pixel one of our own.
    Graphics::CBitmap m_measuringPixels;
    Graphics::CGdiPlusSurface m_measuringSurface;
    double m_pixelSize = 0.0;
    INT m_style = 0;
};
} // namespace Orvalite::GUI::Fonts
