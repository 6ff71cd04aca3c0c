#include "gui/windowing/x11/CX11EventTranslator.h"

#include "gui/basics/Utf8Text.h"
#include "gui/windowing/WindowMessage.h"
#include "gui/windowing/x11/CX11InputMethod.h"
#include "gui/windowing/x11/CX11KeyTable.h"
#include "gui/windowing/x11/X11Messages.h"

#include <X11/Xutil.h>

#include <cstdlib>

namespace Orvalite::GUI::Windowing
{
using namespace X11Messages;

namespace
{
constexpr unsigned int WHEEL_UP_BUTTON = Button4;
constexpr unsigned int WHEEL_DOWN_BUTTON = Button5;
// Win32's virtual keys of the modifiers.
constexpr uint32_t VIRTUAL_KEY_SHIFT = 16;
constexpr uint32_t VIRTUAL_KEY_CONTROL = 17;
constexpr uint32_t VIRTUAL_KEY_ALT = 18;

// The wParam key flags of a pointer event's state, with `pressed` counted as
// held and `released` as not (X reports the state before the event).
uintptr_t keyFlags(unsigned int state, unsigned int pressed = 0, unsigned int released = 0)
{
    state = (state | pressed) & ~released;
    uintptr_t flags = 0;
    flags |= (state & Button1Mask) ? uintptr_t{e_leftButtonHeld} : 0;
    flags |= (state & Button3Mask) ? uintptr_t{e_rightButtonHeld} : 0;
    flags |= (state & Button2Mask) ? KEY_FLAG_MIDDLE_BUTTON : 0;
    flags |= (state & ShiftMask) ? KEY_FLAG_SHIFT : 0;
    flags |= (state & ControlMask) ? KEY_FLAG_CONTROL : 0;
    return flags;
}
} // namespace

void CX11EventTranslator::translate(XEvent &event, SX11Window &window, std::vector<SMessage> &out)
{
    const bool input = event.type == ButtonPress || event.type == ButtonRelease || event.type == MotionNotify ||
                       event.type == KeyPress || event.type == KeyRelease;
    if (input && !window.enabled)
    {
        return;
    }
    switch (event.type)
    {
    case ButtonPress:
        translateButtonPress(event.xbutton, out);
        break;
    case ButtonRelease:
        translateButtonRelease(event.xbutton, out);
        break;
    case MotionNotify:
        translateMotion(event.xmotion, out);
        break;
    case LeaveNotify:
        if (event.xcrossing.mode == NotifyNormal && event.xcrossing.detail != NotifyInferior)
        {
            out.push_back({e_mouseLeave, 0, packWords(event.xcrossing.x, event.xcrossing.y)});
        }
        break;
    case KeyPress:
    case KeyRelease:
        translateKey(event.xkey, window.inputContext, out);
        break;
    case FocusIn:
    case FocusOut:
        translateFocus(event.xfocus, out);
        break;
    case Expose:
        window.surface.addDamage({event.xexpose.x, event.xexpose.y,
                                  static_cast<int64_t>(event.xexpose.x) + event.xexpose.width,
                                  static_cast<int64_t>(event.xexpose.y) + event.xexpose.height});
        break;
    case ConfigureNotify:
        translateGeometry(window, event.xconfigure.x, event.xconfigure.y, event.xconfigure.width,
                          event.xconfigure.height, out);
        break;
    default:
        break;
    }
}

void CX11EventTranslator::translateGeometry(SX11Window &window, long x, long y, long width, long height,
                                            std::vector<SMessage> &out)
{
    if (x != window.x || y != window.y)
    {
        window.x = x;
        window.y = y;
        out.push_back({e_move, 0, packWords(x, y)});
    }
    if (width != window.width || height != window.height)
    {
        window.width = width;
        window.height = height;
        out.push_back({e_size, 0, packWords(width, height)});
    }
}

void CX11EventTranslator::translateButtonPress(const XButtonEvent &event, std::vector<SMessage> &out)
{
    noteModifiers(event.state);
    const intptr_t position = packWords(event.x, event.y);
    if (event.button == Button1)
    {
        const uint32_t message = isDoubleClick(event) ? e_leftButtonDoubleClick : e_leftButtonDown;
        out.push_back({message, keyFlags(event.state, Button1Mask), position});
    }
    else if (event.button == Button3)
    {
        out.push_back({e_rightButtonDown, keyFlags(event.state, Button3Mask), position});
    }
    else if (event.button == WHEEL_UP_BUTTON || event.button == WHEEL_DOWN_BUTTON)
    {
        // As on Win32, the wheel reports the cursor in screen coordinates.
        const int delta = event.button == WHEEL_UP_BUTTON ? WHEEL_DELTA : -WHEEL_DELTA;
        out.push_back({e_mouseWheel, static_cast<uintptr_t>(packWords(keyFlags(event.state), delta)),
                       packWords(event.x_root, event.y_root)});
    }
}

void CX11EventTranslator::translateButtonRelease(const XButtonEvent &event, std::vector<SMessage> &out)
{
    noteModifiers(event.state);
    const intptr_t position = packWords(event.x, event.y);
    if (event.button == Button1)
    {
        out.push_back({e_leftButtonUp, keyFlags(event.state, 0, Button1Mask), position});
    }
    else if (event.button == Button3)
    {
        out.push_back({e_rightButtonUp, keyFlags(event.state, 0, Button3Mask), position});
    }
}

void CX11EventTranslator::translateMotion(const XMotionEvent &event, std::vector<SMessage> &out)
{
    // The window ends a drag whose release it never saw from these flags.
    noteModifiers(event.state);
    out.push_back({e_mouseMove, keyFlags(event.state), packWords(event.x, event.y)});
}

void CX11EventTranslator::translateKey(XKeyEvent &event, XIC inputContext, std::vector<SMessage> &out)
{
    const uint32_t virtualKey = CX11KeyTable::virtualKeyOf(XLookupKeysym(&event, 0));
    char text[8] = {};
    KeySym keysym = NoSymbol;
    const int length = XLookupString(&event, text, sizeof(text), &keysym, nullptr);
    const intptr_t character = length == 1 ? static_cast<unsigned char>(text[0]) : 0;

    noteModifiers(event.state);
    const bool pressed = event.type == KeyPress;
    m_modifiers.shift = virtualKey == VIRTUAL_KEY_SHIFT ? pressed : m_modifiers.shift;
    m_modifiers.ctrl = virtualKey == VIRTUAL_KEY_CONTROL ? pressed : m_modifiers.ctrl;
    m_modifiers.alt = virtualKey == VIRTUAL_KEY_ALT ? pressed : m_modifiers.alt;
    out.push_back({pressed ? e_keyDown : e_keyUp, virtualKey, character});
    if (pressed)
    {
        translateText(CX11InputMethod::lookUpText(inputContext, event), out);
    }
}

void CX11EventTranslator::translateText(const std::string &text, std::vector<SMessage> &out)
{
    for (size_t offset = 0; offset < text.size(); offset = Basics::nextCodePointOffset(text, offset))
    {
        const uint32_t codePoint = Basics::codePointAt(text, offset);
        // Control characters (Return, Escape, Backspace, ctrl+letter) are keys, not text.
        const bool control = codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0);
        if (!control)
        {
            out.push_back({e_character, codePoint, 0});
        }
    }
}

void CX11EventTranslator::translateFocus(const XFocusChangeEvent &event, std::vector<SMessage> &out)
{
    // Grab transitions and the pointer-root bookkeeping are not focus changes of the window.
    if (event.mode == NotifyGrab || event.mode == NotifyUngrab || event.detail == NotifyPointer ||
        event.detail == NotifyPointerRoot || event.detail == NotifyDetailNone)
    {
        return;
    }
    out.push_back({event.type == FocusIn ? e_setFocus : e_killFocus, 0, 0});
}

bool CX11EventTranslator::isDoubleClick(const XButtonEvent &event)
{
    const bool isSecond = event.window == m_lastPressWindow &&
                          event.time - m_lastPressTime <= DOUBLE_CLICK_MILLISECONDS &&
                          std::abs(event.x - m_lastPressX) <= DOUBLE_CLICK_DISTANCE &&
                          std::abs(event.y - m_lastPressY) <= DOUBLE_CLICK_DISTANCE;
    // A double click ends the sequence: a third press starts a new one.
    m_lastPressWindow = isSecond ? None : event.window;
    m_lastPressTime = event.time;
    m_lastPressX = event.x;
    m_lastPressY = event.y;
    return isSecond;
}

void CX11EventTranslator::noteModifiers(unsigned int state)
{
    m_modifiers.shift = (state & ShiftMask) != 0;
    m_modifiers.ctrl = (state & ControlMask) != 0;
    m_modifiers.alt = (state & Mod1Mask) != 0;
}
} // namespace Orvalite::GUI::Windowing
