// Several vertical slider bars side by side (a step sequencer's or a graphic
// equaliser's bars), each filled from the bottom up to its value. A press sets
// the bar under the pointer to the pointer's height and a drag paints across
// bars; each change is reported with the bar's index as the event type and
// the bar's value as the control's value. The counts come from XML as well, so
// "Slider Count" must lie in 1 … 128, "Slider Width" in 1 … 4096 and "Gap
// Width" in 0 … 4096; anything else is refused.
#pragma once

#include "gui/controls/base/CControl.h"
#include "gui/controls/base/CDescriptorFields.h"

#include <vector>

namespace Orvalite::GUI::Controls
{
class CSliderArray : public CControl
{
public:
    static constexpr long MAXIMUM_SLIDERS = 128;
    static constexpr long MAXIMUM_WIDTH = 4096;

    CSliderArray(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                 Listeners::IActionListener *actionListener = nullptr);

    // False (changing nothing) outside the ranges above.
    bool setLayout(long sliderCount, long sliderWidth, long gapWidth);
    long getSliderCount() const { return m_sliderCount; }
    // 0 for an index out of range.
    double getSliderValue(long index) const;
    // Ignored for an index or value out of range; redraws.
    void setSliderValue(long index, double value);
    // The bar under x, or −1 in a gap or past the last bar.
    long sliderAt(long x) const;

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;
    void drawControl(Graphics::CGraphics &graphics) override;
    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleLeftButtonUp(const Events::CMouseEvent &event) override;
    void handleMouseMovement(const Events::CMouseEvent &event) override;

    ORVALITE_CLASS_RECORD(CSliderArray)

private:
    CDescriptorFields describe() const;
    // Sets the bar under the pointer from its height and reports it.
    void paintAt(const MathTools::CPoint &point);

    Basics::CAlphaColour m_handleColour{153, 116, 188, 255};
    Basics::CAlphaColour m_handleDownColour{243, 32, 32, 255};
    long m_sliderCount = 8;
    long m_sliderWidth = 20;
    long m_gapWidth = 5;
    std::vector<double> m_values;
    long m_activeSlider = -1;
    bool m_isDragging = false;
};
} // namespace Orvalite::GUI::Controls
