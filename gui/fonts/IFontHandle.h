// A font made ready for drawing from a logical font description: the role of
// a GDI font handle. It measures and draws single lines of 8-bit text onto a
// bitmap; one implementation per platform, made by create().
#pragma once

#include "gui/fonts/SLogicalFont.h"
#include "gui/graphics/SPixelBox.h"

#include <memory>
#include <string>

namespace Orvalite::GUI::Graphics
{
class CBitmap;
}

namespace Orvalite::GUI::Fonts
{
class IFontHandle
{
public:
    // Vertical metrics in pixels.
    struct SMetrics
    {
        double ascent = 0.0;
        double descent = 0.0;
        // Baseline to baseline.
        double lineSpacing = 0.0;
    };

    // Null when no face could be found for the description.
    static std::unique_ptr<IFontHandle> create(const SLogicalFont &font);

    virtual ~IFontHandle() = default;

    // The family the description resolved to (for "Arial", a metric-compatible face).
    virtual std::string getFamilyName() const = 0;
    virtual SMetrics getMetrics() const = 0;
    // The advance width of the text in pixels; false when it cannot be measured.
    virtual bool measureText(const std::string &text, double &width) const = 0;
    // Draws one line with its baseline starting at (x, baseline), in a straight
    // 0xAARRGGBB colour, only inside the clip box.
    virtual void drawText(Graphics::CBitmap &surface, const Graphics::SPixelBox &clip, double x, double baseline,
                          const std::string &text, uint32_t argb, bool antiAliased) const = 0;
};
} // namespace Orvalite::GUI::Fonts
