// What a control tells its action listener when the user changed it: the
// control, a type whose sense the control chooses, and the modifier keys.
#pragma once

#include "foundation/basics/CCountedObject.h"

#include <cstdint>

namespace Orvalite::GUI::Controls
{
class IControl;
}

namespace Orvalite::GUI::Events
{
class CMouseEvent;

class CActionEvent : public ::Orvalite::Basics::CCountedObject
{
public:
    // Both throw CException without a control; the second copies the mouse event's modifiers.
    explicit CActionEvent(Controls::IControl *control);
    CActionEvent(Controls::IControl *control, const CMouseEvent &mouseEvent);

    virtual Controls::IControl *getControl() const { return m_control; }
    virtual uint32_t getEventType() const { return m_eventType; }
    virtual void setControl(Controls::IControl *control);
    virtual void setEventType(uint32_t eventType) { m_eventType = eventType; }
    virtual void setModifiers(bool shift, bool alt, bool ctrl);
    virtual bool isControlDown() const { return m_ctrl; }
    virtual bool isShiftDown() const { return m_shift; }
    virtual bool isAltDown() const { return m_alt; }

    ORVALITE_CLASS_RECORD(CActionEvent)

private:
    Controls::IControl *m_control = nullptr;
    uint32_t m_eventType = 0;
    bool m_shift = false;
    bool m_alt = false;
    bool m_ctrl = false;
};
} // namespace Orvalite::GUI::Events
