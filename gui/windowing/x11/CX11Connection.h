// The process's one X connection, owned by CX11WindowSystem: opened when the
// first window is made and closed with the last. While open, an error handler
// traces and ignores errors on our own requests (a window the host destroyed
// under us must not end the host) and hands other connections' errors on.
#pragma once

#include <X11/Xlib.h>

#include <string>

namespace Orvalite::GUI::Windowing
{
class CX11Connection
{
public:
    // The atoms the window system speaks in, interned once per connection.
    struct SAtoms
    {
        Atom wmProtocols = None;
        Atom wmDeleteWindow = None;
        Atom netWmWindowOpacity = None;
        Atom netWmIcon = None;
        Atom xdndAware = None;
        Atom xdndEnter = None;
        Atom xdndPosition = None;
        Atom xdndStatus = None;
        Atom xdndLeave = None;
        Atom xdndDrop = None;
        Atom xdndFinished = None;
        Atom xdndSelection = None;
        Atom xdndTypeList = None;
        Atom xdndActionCopy = None;
        Atom uriList = None;
    };

    CX11Connection() = default;
    CX11Connection(const CX11Connection &) = delete;
    CX11Connection &operator=(const CX11Connection &) = delete;
    ~CX11Connection();

    // Opens the display named by DISPLAY when not open yet; false with the reason when none can be reached.
    bool open(std::string &errorOut);
    void close();
    bool isOpen() const { return m_display != nullptr; }

    Display *getDisplay() const { return m_display; }
    const SAtoms &getAtoms() const { return m_atoms; }
    Window getRoot() const;
    Visual *getVisual() const;
    int getDepth() const;
    GC getGraphicsContext() const { return m_gc; }

    // Errors between beginTrap and endTrap are collected instead of traced;
    // endTrap waits for the server and answers the first error code (0 for none).
    void beginTrap();
    int endTrap();
    // Waits for the server so that errors of requests made so far reach the handler.
    void sync();

private:
    static int handleError(Display *display, XErrorEvent *error);
    void internAtoms();

    Display *m_display = nullptr;
    GC m_gc = nullptr;
    SAtoms m_atoms;
    bool m_trapping = false;
    int m_trappedCode = 0;
    int (*m_previousHandler)(Display *, XErrorEvent *) = nullptr;
};
} // namespace Orvalite::GUI::Windowing
