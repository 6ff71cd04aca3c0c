#include "gui/events/CMouseEvent.h"

#include "gui/windowing/CMouse.h"

namespace Orvalite::GUI::Events
{
ORVALITE_DEFINE_CLASS_RECORD(CMouseEvent, "CMouseEvent", "CCountedObject")

CMouseEvent::CMouseEvent(Windowing::CMouse *mouse, uint32_t eventType) : m_mouse(mouse)
{
    setEventType(eventType);
}

void CMouseEvent::setEventType(uint32_t eventType)
{
    switch (eventType)
    {
    case e_mouseMove:
    case e_leftButtonDown:
    case e_leftButtonUp:
    case e_leftButtonDoubleClick:
    case e_rightButtonDown:
    case e_rightButtonUp:
    case e_mouseWheel:
    case e_mouseLeave:
        m_eventType = eventType;
        break;
    default:
        m_eventType = e_mouseMove;
    }
}

MathTools::CPoint CMouseEvent::getMousePosition() const
{
    return m_mouse ? m_mouse->getPosition() : MathTools::CPoint();
}

void CMouseEvent::setModifiers(bool ctrl, bool shift, bool alt)
{
    m_ctrl = ctrl;
    m_shift = shift;
    m_alt = alt;
}
} // namespace Orvalite::GUI::Events
