// Turns the input, focus, exposure and geometry events of one of our windows
// into Win32-numbered messages, keeping what that needs across events: the
// last button-1 press (for double clicks) and the modifier keys held. Owned
// by CX11WindowSystem; window-manager and XDND messages are handled there.
#pragma once

#include "gui/windowing/INativeWindowSystem.h"
#include "gui/windowing/x11/SX11Window.h"

#include <X11/Xlib.h>

#include <string>
#include <vector>

namespace Orvalite::GUI::Windowing
{
class CX11EventTranslator
{
public:
    struct SMessage
    {
        uint32_t message = 0;
        uintptr_t wParam = 0;
        intptr_t lParam = 0;
    };

    // A second button-1 press this soon and this close to the first is a double click.
    static constexpr Time DOUBLE_CLICK_MILLISECONDS = 500;
    static constexpr int DOUBLE_CLICK_DISTANCE = 4;

    // Appends the messages `event` means for `window`. Exposure adds to the
    // window's damage instead (painted at the end of the pump); a disabled
    // window gets no mouse or key messages.
    void translate(XEvent &event, SX11Window &window, std::vector<SMessage> &out);
    // Records a new position and size, appending a move and a size message for what changed.
    void translateGeometry(SX11Window &window, long x, long y, long width, long height, std::vector<SMessage> &out);
    // The modifiers as of the last input event, the key of a key event included.
    SModifierState getModifierState() const { return m_modifiers; }

private:
    void translateButtonPress(const XButtonEvent &event, std::vector<SMessage> &out);
    void translateButtonRelease(const XButtonEvent &event, std::vector<SMessage> &out);
    void translateMotion(const XMotionEvent &event, std::vector<SMessage> &out);
    // A press also types the text its input context makes of it, one character message per code point.
    void translateKey(XKeyEvent &event, XIC inputContext, std::vector<SMessage> &out);
    static void translateText(const std::string &text, std::vector<SMessage> &out);
    static void translateFocus(const XFocusChangeEvent &event, std::vector<SMessage> &out);
    bool isDoubleClick(const XButtonEvent &event);
    void noteModifiers(unsigned int state);

    Window m_lastPressWindow = None;
    Time m_lastPressTime = 0;
    int m_lastPressX = 0;
    int m_lastPressY = 0;
    SModifierState m_modifiers;
};
} // namespace Orvalite::GUI::Windowing
