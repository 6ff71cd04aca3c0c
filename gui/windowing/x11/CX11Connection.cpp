#include "gui/windowing/x11/CX11Connection.h"

#include "foundation/io/TraceLog.h"

#include <cstdlib>

namespace Orvalite::GUI::Windowing
{
namespace
{
// The open connection the error handler serves; touched only on the pumping thread.
CX11Connection *s_openConnection = nullptr;
} // namespace

CX11Connection::~CX11Connection()
{
    close();
}

bool CX11Connection::open(std::string &errorOut)
{
    if (m_display)
    {
        return true;
    }
    const char *name = std::getenv("DISPLAY");
    m_display = XOpenDisplay(nullptr);
    if (!m_display)
    {
        errorOut = std::string("cannot open the X display \"") + (name ? name : "") + "\"";
        return false;
    }
    s_openConnection = this;
    m_previousHandler = XSetErrorHandler(&CX11Connection::handleError);
    internAtoms();
    m_gc = XCreateGC(m_display, getRoot(), 0, nullptr);
    return true;
}

void CX11Connection::close()
{
    if (!m_display)
    {
        return;
    }
    XFreeGC(m_display, m_gc);
    XSync(m_display, False);
    XCloseDisplay(m_display);
    m_display = nullptr;
    m_gc = nullptr;
    // Someone may have installed a handler after ours: keep theirs.
    const auto current = XSetErrorHandler(m_previousHandler);
    if (current != &CX11Connection::handleError)
    {
        XSetErrorHandler(current);
    }
    m_previousHandler = nullptr;
    s_openConnection = nullptr;
}

Window CX11Connection::getRoot() const
{
    return DefaultRootWindow(m_display);
}

Visual *CX11Connection::getVisual() const
{
    return DefaultVisual(m_display, DefaultScreen(m_display));
}

int CX11Connection::getDepth() const
{
    return DefaultDepth(m_display, DefaultScreen(m_display));
}

void CX11Connection::beginTrap()
{
    sync();
    m_trapping = true;
    m_trappedCode = 0;
}

int CX11Connection::endTrap()
{
    sync();
    m_trapping = false;
    return m_trappedCode;
}

void CX11Connection::sync()
{
    XSync(m_display, False);
}

int CX11Connection::handleError(Display *display, XErrorEvent *error)
{
    CX11Connection *connection = s_openConnection;
    if (!connection || display != connection->m_display)
    {
        return connection && connection->m_previousHandler ? connection->m_previousHandler(display, error) : 0;
    }
    if (connection->m_trapping)
    {
        if (connection->m_trappedCode == 0)
        {
            connection->m_trappedCode = error->error_code;
        }
        return 0;
    }
    char text[256];
    XGetErrorText(display, error->error_code, text, sizeof(text));
    IO::traceMessage("X11: ignored error \"%s\" of request %d on resource 0x%lx", text,
                     static_cast<int>(error->request_code), static_cast<unsigned long>(error->resourceid));
    return 0;
}

void CX11Connection::internAtoms()
{
    const char *names[] = {"WM_PROTOCOLS", "WM_DELETE_WINDOW", "_NET_WM_WINDOW_OPACITY", "_NET_WM_ICON",
                           "XdndAware",    "XdndEnter",        "XdndPosition",           "XdndStatus",
                           "XdndLeave",    "XdndDrop",         "XdndFinished",           "XdndSelection",
                           "XdndTypeList", "XdndActionCopy",   "text/uri-list"};
    Atom *targets[] = {&m_atoms.wmProtocols,  &m_atoms.wmDeleteWindow, &m_atoms.netWmWindowOpacity,
                       &m_atoms.netWmIcon,    &m_atoms.xdndAware,      &m_atoms.xdndEnter,
                       &m_atoms.xdndPosition, &m_atoms.xdndStatus,     &m_atoms.xdndLeave,
                       &m_atoms.xdndDrop,     &m_atoms.xdndFinished,   &m_atoms.xdndSelection,
                       &m_atoms.xdndTypeList, &m_atoms.xdndActionCopy, &m_atoms.uriList};
    constexpr int count = sizeof(names) / sizeof(names[0]);
    static_assert(count == sizeof(targets) / sizeof(targets[0]));
    Atom atoms[count];
    XInternAtoms(m_display, const_cast<char **>(names), count, False, atoms);
    for (int i = 0; i < count; ++i)
    {
        *targets[i] = atoms[i];
    }
}
} // namespace Orvalite::GUI::Windowing
