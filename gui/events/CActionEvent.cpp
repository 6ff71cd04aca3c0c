#include "gui/events/CActionEvent.h"

#include "foundation/basics/CException.h"
#include "gui/events/CMouseEvent.h"

namespace Orvalite::GUI::Events
{
ORVALITE_DEFINE_CLASS_RECORD(CActionEvent, "CActionEvent", "CCountedObject")

CActionEvent::CActionEvent(Controls::IControl *control)
{
    setControl(control);
}

CActionEvent::CActionEvent(Controls::IControl *control, const CMouseEvent &mouseEvent) : CActionEvent(control)
{
    setModifiers(mouseEvent.isShiftDown(), mouseEvent.isAltDown(), mouseEvent.isControlDown());
}

void CActionEvent::setControl(Controls::IControl *control)
{
    if (!control)
    {
        throw Exceptions::CException("Control is NULL", "CActionEvent::CActionEvent(IControl *control)", false);
    }
    m_control = control;
}

void CActionEvent::setModifiers(bool shift, bool alt, bool ctrl)
{
    m_shift = shift;
    m_alt = alt;
    m_ctrl = ctrl;
}
} // namespace Orvalite::GUI::Events
