// The display's X input method, through which key presses become text
// (compose sequences, dead keys, an input-method server named by XMODIFIERS).
// Owned by CX11WindowSystem: opened with the connection, closed before it;
// each of our windows gets an input context of its own.
#pragma once

#include <X11/Xlib.h>

#include <string>

namespace Orvalite::GUI::Windowing
{
class CX11InputMethod
{
public:
    CX11InputMethod() = default;
    CX11InputMethod(const CX11InputMethod &) = delete;
    CX11InputMethod &operator=(const CX11InputMethod &) = delete;
    ~CX11InputMethod() { close(); }

    // The input method XMODIFIERS names, else Xlib's own; none at all leaves
    // key presses looked up without one.
    void open(Display *display);
    void close();
    // A context for the window that selects the events the method must see;
    // null without an input method.
    XIC createContext(Display *display, Window window, long eventMask) const;
    static void destroyContext(XIC context);
    // The UTF-8 text a key press types: through the context when there is one,
    // else the key's Latin-1 character.
    static std::string lookUpText(XIC context, XKeyEvent &event);

private:
    XIM m_method = nullptr;
};
} // namespace Orvalite::GUI::Windowing
