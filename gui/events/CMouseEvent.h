// What a mouse listener learns about one mouse message: the mouse (and so the
// position), the wheel movement and the modifier keys. A window reuses one for
// every message; the event type keeps the value the event was built with.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "foundation/mathtools/CPoint.h"

#include <cstdint>

namespace Orvalite::GUI::Windowing
{
class CMouse;
}

namespace Orvalite::GUI::Events
{
class CMouseEvent : public ::Orvalite::Basics::CCountedObject
{
public:
    // Win32 mouse message numbers.
    enum EEventType : uint32_t
    {
        e_mouseMove = 512,
        e_leftButtonDown = 513,
        e_leftButtonUp = 514,
        e_leftButtonDoubleClick = 515,
        e_rightButtonDown = 516,
        e_rightButtonUp = 517,
        e_mouseWheel = 522,
        e_mouseLeave = 675,
    };

    // Any type but the listed ones gives a move event. The mouse is not owned.
    explicit CMouseEvent(Windowing::CMouse *mouse, uint32_t eventType = e_mouseMove);

    uint32_t getEventType() const { return m_eventType; }
    void setEventType(uint32_t eventType);
    Windowing::CMouse *getMouse() const { return m_mouse; }
    void setMouse(Windowing::CMouse *mouse) { m_mouse = mouse; }
    // The mouse's position; the origin without a mouse.
    MathTools::CPoint getMousePosition() const;
    // Notches, positive away from the user.
    double getWheelValue() const { return m_wheelValue; }
    void setWheelValue(double notches) { m_wheelValue = notches; }
    bool isControlDown() const { return m_ctrl; }
    bool isShiftDown() const { return m_shift; }
    bool isAltDown() const { return m_alt; }
    void setModifiers(bool ctrl, bool shift, bool alt);

    ORVALITE_CLASS_RECORD(CMouseEvent)

private:
    uint32_t m_eventType = e_mouseMove;
    Windowing::CMouse *m_mouse;
    double m_wheelValue = 0.0;
    bool m_ctrl = false;
    bool m_shift = false;
    bool m_alt = false;
};
} // namespace Orvalite::GUI::Events
