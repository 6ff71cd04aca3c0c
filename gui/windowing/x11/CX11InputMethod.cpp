#include "gui/windowing/x11/CX11InputMethod.h"

#include "gui/basics/Utf8Text.h"

#include <X11/Xutil.h>

#include <vector>

namespace Orvalite::GUI::Windowing
{
namespace
{
// Most key presses type one character; longer commits grow the buffer once.
constexpr int FIRST_BUFFER_SIZE = 32;
} // namespace

void CX11InputMethod::open(Display *display)
{
    if (m_method)
    {
        return;
    }
    // The modifiers are the process's (a host's too): a copy of them, as a null
    // argument answers them, is put back once ours is open.
    const char *current = XSetLocaleModifiers(nullptr);
    const std::string previous = current ? current : "";
    // The empty modifiers read XMODIFIERS; when that server is not running, Xlib's own method.
    XSetLocaleModifiers("");
    m_method = XOpenIM(display, nullptr, nullptr, nullptr);
    if (!m_method)
    {
        XSetLocaleModifiers("@im=none");
        m_method = XOpenIM(display, nullptr, nullptr, nullptr);
    }
    XSetLocaleModifiers(previous.c_str());
}

void CX11InputMethod::close()
{
    if (m_method)
    {
        XCloseIM(m_method);
        m_method = nullptr;
    }
}

XIC CX11InputMethod::createContext(Display *display, Window window, long eventMask) const
{
    if (!m_method)
    {
        return nullptr;
    }
    XIC context = XCreateIC(m_method, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, window,
                            XNFocusWindow, window, nullptr);
    if (!context)
    {
        return nullptr;
    }
    long filterEvents = 0;
    if (!XGetICValues(context, XNFilterEvents, &filterEvents, nullptr))
    {
        XSelectInput(display, window, eventMask | filterEvents);
    }
    XSetICFocus(context);
    return context;
}

void CX11InputMethod::destroyContext(XIC context)
{
    if (context)
    {
        XDestroyIC(context);
    }
}

std::string CX11InputMethod::lookUpText(XIC context, XKeyEvent &event)
{
    KeySym keysym = NoSymbol;
    if (!context)
    {
        char latin1[FIRST_BUFFER_SIZE];
        const int length = XLookupString(&event, latin1, sizeof(latin1), &keysym, nullptr);
        std::string text;
        for (int index = 0; index < length; ++index)
        {
            Basics::appendCodePoint(text, static_cast<unsigned char>(latin1[index]));
        }
        return text;
    }
    std::vector<char> buffer(FIRST_BUFFER_SIZE);
    Status status = 0;
    int length = Xutf8LookupString(context, &event, buffer.data(), static_cast<int>(buffer.size()), &keysym, &status);
    if (status == XBufferOverflow)
    {
        buffer.resize(static_cast<size_t>(length));
        length = Xutf8LookupString(context, &event, buffer.data(), static_cast<int>(buffer.size()), &keysym, &status);
    }
    const bool typed = status == XLookupChars || status == XLookupBoth;
    return typed ? std::string(buffer.data(), static_cast<size_t>(length)) : std::string();
}
} // namespace Orvalite::GUI::Windowing
