#include "gui/controls/buttons/CLatchingButton.h"

namespace Orvalite::GUI::Controls
{
ORVALITE_DEFINE_CLASS_RECORD(CLatchingButton, "CLatchingButton", "CControl")

CLatchingButton::CLatchingButton(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                                 Listeners::IActionListener *actionListener)
    : CButton(root, uniqueId, area, actionListener)
{
    setValue(0.0);
}

void CLatchingButton::setValue(double value)
{
    CControl::setValue(value);
    setState(value >= 0.5);
}

void CLatchingButton::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    setPressed(true);
    trackPointer(event, true);
}

void CLatchingButton::handleMouseMovement(const Events::CMouseEvent &event)
{
    trackPointer(event, true);
}

void CLatchingButton::handleLeftButtonUp(const Events::CMouseEvent &event)
{
    setPressed(false);
    trackPointer(event, false);
    const CGesture gesture(*this);
    setValue(1.0 - getValue());
    update();
    fireActionEvent();
}
} // namespace Orvalite::GUI::Controls
