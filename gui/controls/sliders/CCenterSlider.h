// A bipolar slider (pan, detune): a bar grows from the centre (value 0.5)
// towards the value, left to right when the control is wider than tall,
// bottom to top otherwise. A press or drag puts the value under the pointer,
// a double click returns to the centre. The bar is drawn in the off colour,
// the over colour while hovered and the down colour while dragged; hovering
// holds the root's lock until the pointer leaves the control or the window.
#pragma once

#include "gui/controls/base/CControl.h"
#include "gui/controls/base/CDescriptorFields.h"

namespace Orvalite::GUI::Controls
{
class CCenterSlider : public CControl
{
public:
    CCenterSlider(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                  Listeners::IActionListener *actionListener = nullptr);

    // Ignored outside 0 … 1; redraws.
    void setValue(double value) override;
    bool isVertical() const { return getDimension().getWidth() <= getDimension().getHeight(); }

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;
    void drawControl(Graphics::CGraphics &graphics) override;
    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleLeftButtonUp(const Events::CMouseEvent &event) override;
    void handleMouseMovement(const Events::CMouseEvent &event) override;
    void handleMouseLeavingArea(const Events::CMouseEvent &event) override;
    void handleDoubleClick(const Events::CMouseEvent &event) override;

    ORVALITE_CLASS_RECORD(CCenterSlider)

private:
    CDescriptorFields describe() const;
    // The value under the pointer, reported; nothing on a control without length.
    void followPointer(const MathTools::CPoint &point);
    // Where a value lies along the control, in pixels from the left (or top).
    long positionOf(double value) const;

    Basics::CAlphaColour m_offColour{153, 116, 188, 255};
    Basics::CAlphaColour m_overColour{239, 149, 41, 255};
    Basics::CAlphaColour m_downColour{243, 32, 32, 255};
    bool m_isOver = false;
    bool m_isDragging = false;
};
} // namespace Orvalite::GUI::Controls
