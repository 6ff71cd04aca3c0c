// A rotary control drawn from a film strip: dragged up or right it rises,
// the wheel steps it, a double click restores its default. Values in [0, 1].
// A drag is one gesture from press to release; a wheel step or a reset is one too.
#pragma once

#include "foundation/mathtools/CPoint.h"
#include "gui/controls/displays/CAnimation.h"

namespace Orvalite::GUI::Controls
{
class CKnob : public CAnimation
{
public:
    // Value per pixel of drag, normally and with shift held.
    static constexpr double COARSE_STEP = 1.0 / 200.0;
    static constexpr double FINE_STEP = 1.0 / 20000.0;
    // Value per wheel event, normally and with shift held.
    static constexpr double WHEEL_STEP = 0.025;
    static constexpr double FINE_WHEEL_STEP = 0.00625;

    CKnob(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
          Listeners::IActionListener *actionListener = nullptr);

    // Clamps to [0, 1] and redraws.
    void setValue(double value) override;
    void setDefaultValue(double value) { m_defaultValue = clamp(value); }
    double getDefaultValue() const { return m_defaultValue; }
    void setCoefficient(double value) { m_coefficient = value; }
    // Screen pixels per pixel of the steps above, for a panel drawn larger than
    // its design (2 at 200 %): a drag moves the value by the same amount per design pixel.
    void setDragScale(double pixelsPerStepPixel) { m_dragScale = pixelsPerStepPixel; }
    bool isDragging() const { return m_dragging; }

    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleLeftButtonUp(const Events::CMouseEvent &event) override;
    void handleMouseMovement(const Events::CMouseEvent &event) override;
    bool takesMouseWheel() const override { return true; }
    void handleMouseScroll(const Events::CMouseEvent &event) override;
    void handleDoubleClick(const Events::CMouseEvent &event) override;

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;

    ORVALITE_CLASS_RECORD(CKnob)

private:
    static double clamp(double value);
    // Sets the value; redraws and fires only when it changed.
    void changeValue(double value);
    // A change made in one step (wheel): the same, as a gesture of its own.
    void stepValue(double value);

    double m_defaultValue = 0.5;
    double m_dragStartValue = 0.0;
    double m_coefficient = COARSE_STEP;
    double m_dragScale = 1.0;
    bool m_dragging = false;
    MathTools::CPoint m_dragStart;
};
} // namespace Orvalite::GUI::Controls
