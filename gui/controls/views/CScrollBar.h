// A slider that scrolls content: its thumb's length is the visible fraction of
// the content's length (at least MINIMUM_THUMB), its position is the content
// scrolled past in pixels, 0 at the top (or left) end. Each state of the
// thumb is drawn from its own image set (an empty set falls back to the
// normal one, no images at all to the slider's coloured handle); the default
// image files are used when the image manager finds them. A drag, a press on
// the track or the wheel that moves it tells the scroll listeners, which are
// not owned, and the action listener, as a slider does.
#pragma once

#include "gui/controls/sliders/CSlider.h"
#include "gui/controls/views/CScrollBarImages.h"

#include <vector>

namespace Orvalite::GUI::Controls
{
class IScrollListener;

class CScrollBar : public CSlider
{
public:
    static constexpr long MINIMUM_THUMB = 12;
    // Pixels scrolled by one wheel notch.
    static constexpr long WHEEL_STEP = 48;

    CScrollBar(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
               Listeners::IActionListener *actionListener = nullptr);

    void addScrollListener(IScrollListener *listener);
    void removeScrollListener(IScrollListener *listener);
    // Lengths along the bar's axis; negative ones count as 0. Keeps the
    // position where it still fits.
    void setScrollRange(long contentLength, long visibleLength);
    long getScrollPosition() const;
    // The content length less the visible length, or 0.
    long getMaximumPosition() const;
    // Clamped to 0 … maximum; tells no listener.
    void setScrollPosition(long position);
    // One set per handle state (CSlider::EHandleState).
    CScrollBarImages &getImages(long state) { return m_images[state]; }

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;
    void setArea(const MathTools::CRect &area) override;
    void drawControl(Graphics::CGraphics &graphics) override;
    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleMouseMovement(const Events::CMouseEvent &event) override;
    bool takesMouseWheel() const override { return true; }
    void handleMouseScroll(const Events::CMouseEvent &event) override;

    ORVALITE_CLASS_RECORD(CScrollBar)

protected:
    long defaultHandleLength() const override;

private:
    static constexpr long NUMBER_OF_STATES = 3;

    CDescriptorFields describe() const;
    // Tells the scroll listeners when the position is no longer `before`.
    void reportMove(long before);

    CScrollBarImages m_images[NUMBER_OF_STATES];
    std::vector<IScrollListener *> m_scrollListeners;
    long m_contentLength = 0;
    long m_visibleLength = 0;
};
} // namespace Orvalite::GUI::Controls
