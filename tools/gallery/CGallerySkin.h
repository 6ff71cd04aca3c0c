// The editor's skin images the gallery's controls wear, and the pieces cut
// from them: single knob frames, a two-frame button strip and parts of the
// panel. Every image is null when the skin folder lacks it. Holds one
// counted reference to each image it loads or makes.
#pragma once

#include "foundation/collections/TCountedPointerArray.h"
#include "foundation/mathtools/CRect.h"
#include "gui/controls/buttons/CButton.h"
#include "gui/controls/displays/CAnimation.h"
#include "gui/graphics/IImage.h"

namespace Zelo::Tools
{
class CGallerySkin
{
public:
    // Without a folder, no images.
    explicit CGallerySkin(const char *folder);
    CGallerySkin(const CGallerySkin &) = delete;
    CGallerySkin &operator=(const CGallerySkin &) = delete;

    // The knob's film strip: square frames stacked downwards, value 0 at the top.
    Orvalite::GUI::Graphics::IImage *knob() const { return m_knob; }
    long knobFrames() const;
    // The frame that shows `value` (0 to 1).
    Orvalite::GUI::Graphics::IImage *knobAt(double value);
    // Lit (on) and unlit (off).
    Orvalite::GUI::Graphics::IImage *buttonUp() const { return m_buttonUp; }
    Orvalite::GUI::Graphics::IImage *buttonDown() const { return m_buttonDown; }
    // Unlit above lit, one button high each.
    Orvalite::GUI::Graphics::IImage *buttonStrip() const { return m_buttonStrip; }
    Orvalite::GUI::Graphics::IImage *aboutButton() const { return m_aboutButton; }
    // The panel's header with the product's name, and its wave display.
    Orvalite::GUI::Graphics::IImage *header() const { return m_header; }
    Orvalite::GUI::Graphics::IImage *waveDisplay() const { return m_waveDisplay; }

    // The knob's strip at its own size, showing `value`; only the value without a skin.
    void wearKnob(Orvalite::GUI::Controls::CAnimation &control, double value) const;
    // The button images at their own size, unlit when off and lit when on.
    void wearButton(Orvalite::GUI::Controls::CButton &button) const;

private:
    Orvalite::GUI::Graphics::IImage *load(const char *folder, const char *fileName);
    // A new image of `area` of `source`; null without a source.
    Orvalite::GUI::Graphics::IImage *cut(const Orvalite::GUI::Graphics::IImage *source,
                                         const Orvalite::MathTools::CRect &area);
    Orvalite::GUI::Graphics::IImage *stackButtons();
    Orvalite::GUI::Graphics::IImage *hold(Orvalite::GUI::Graphics::IImage *image);

    Orvalite::Collections::TCountedPointerArray<Orvalite::GUI::Graphics::IImage> m_held;
    Orvalite::GUI::Graphics::IImage *m_knob;
    Orvalite::GUI::Graphics::IImage *m_buttonUp;
    Orvalite::GUI::Graphics::IImage *m_buttonDown;
    Orvalite::GUI::Graphics::IImage *m_aboutButton;
    Orvalite::GUI::Graphics::IImage *m_background;
    Orvalite::GUI::Graphics::IImage *m_buttonStrip;
    Orvalite::GUI::Graphics::IImage *m_header;
    Orvalite::GUI::Graphics::IImage *m_waveDisplay;
};
} // namespace Zelo::Tools
