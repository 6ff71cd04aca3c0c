#include "gui/controls/buttons/CMomentaryButton.h"

#include "foundation/basics/CBool.h"
#include "gui/controls/base/CControlDescriptor.h"

namespace Orvalite::GUI::Controls
{
using ::Orvalite::Basics::CBool;

ORVALITE_DEFINE_CLASS_RECORD(CMomentaryButton, "CMomentaryButton", "CControl")

CMomentaryButton::CMomentaryButton(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                                   Listeners::IActionListener *actionListener)
    : CButton(root, uniqueId, area, actionListener)
{
    setState(false);
}

void CMomentaryButton::setValue(double value)
{
    CControl::setValue(value);
    show(value == 1.0);
}

void CMomentaryButton::show(bool on)
{
    setState(on);
    update();
}

void CMomentaryButton::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    setPressed(true);
    trackPointer(event, true);
    show(true);
}

void CMomentaryButton::handleLeftButtonUp(const Events::CMouseEvent &event)
{
    setPressed(false);
    trackPointer(event, false);
    show(false);
    fireActionEvent();
}

void CMomentaryButton::handleMouseMovement(const Events::CMouseEvent &event)
{
    if (!trackPointer(event, true) && hasCursorChange())
    {
        show(false);
    }
}

void CMomentaryButton::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CButton::getDescriptors(list);
    list.addElement(new CControlDescriptor("Draw Text", CControlDescriptor::e_boolean));
}

bool CMomentaryButton::setDescriptor(const CControlDescriptor &descriptor)
{
    if (descriptor.getName() == "Draw Text")
    {
        return descriptor.apply<CBool>([&](const CBool &value) { m_drawText = value.getValue(); });
    }
    return CButton::setDescriptor(descriptor);
}

void CMomentaryButton::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (descriptor.getName() == "Draw Text")
    {
        descriptor.setValue(new CBool(m_drawText));
        return;
    }
    CButton::fillDescriptor(descriptor);
}
} // namespace Orvalite::GUI::Controls
