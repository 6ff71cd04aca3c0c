#include "gui/windowing/x11/CX11WindowSystem.h"

#include "foundation/basics/CException.h"
#include "foundation/io/TraceLog.h"
#include "gui/graphics/CWindowIcon.h"
#include "gui/windowing/WindowMessage.h"
#include "gui/windowing/x11/CX11ScreenMetrics.h"
#include "gui/windowing/x11/X11Messages.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <exception>

namespace Orvalite::GUI::Windowing
{
using namespace X11Messages;

namespace
{
constexpr uint32_t POP_UP_STYLE = 0x80000000;
constexpr uint32_t ACCEPT_FILES_STYLE = 0x10;
constexpr long EVENT_MASK = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | LeaveWindowMask |
                            KeyPressMask | KeyReleaseMask | FocusChangeMask | StructureNotifyMask;
constexpr unsigned int GRAB_MASK = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
// _NET_WM_WINDOW_OPACITY spans 0 … 0xFFFFFFFF: one step of alpha is 0x01010101.
constexpr unsigned long OPACITY_PER_ALPHA_STEP = 0x01010101UL;

// A COLORREF (0x00BBGGRR) as the visual's pixel (0xRRGGBB).
unsigned long pixelOf(uint32_t colorRef)
{
    return ((colorRef & 0xFF) << 16) | (colorRef & 0xFF00) | ((colorRef >> 16) & 0xFF);
}

// Runs a call into the toolkit; nothing it throws may cross the pump.
template <class TCall> void guarded(const char *what, TCall &&call)
{
    try
    {
        call();
    }
    catch (const Exceptions::CException &exception)
    {
        IO::traceMessage("X11: %s threw \"%s\" in %s", what, exception.getErrorReason().getString(),
                         exception.getFunctionName().getString());
    }
    catch (const std::exception &exception)
    {
        IO::traceMessage("X11: %s threw \"%s\"", what, exception.what());
    }
    catch (...)
    {
        IO::traceMessage("X11: %s threw an unknown exception", what);
    }
}
} // namespace

CX11WindowSystem::~CX11WindowSystem()
{
    while (!m_windows.empty())
    {
        forgetWindow(m_windows.begin()->first, true);
    }
}

bool CX11WindowSystem::registerClass(const std::string &className, bool, const Graphics::CWindowIcon *icon)
{
    if (className.empty())
    {
        return false;
    }
    if (m_classes.count(className) == 0)
    {
        m_classes[className] = icon ? icon->getWindowManagerIcon() : std::vector<unsigned long>{};
    }
    return true;
}

Basics::NativeWindowHandle CX11WindowSystem::createWindow(const SNativeWindowSpec &spec, INativeMessageTarget *target,
                                                          std::string &errorOut)
{
    if (m_classes.count(spec.className) == 0)
    {
        errorOut = "the window class \"" + spec.className + "\" is not registered";
        return 0;
    }
    const bool wasOpen = m_connection.isOpen();
    if (!m_connection.open(errorOut))
    {
        return 0;
    }
    if (!wasOpen)
    {
        CX11ScreenMetrics::update(m_connection.getDisplay());
        m_inputMethod.open(m_connection.getDisplay());
    }
    const Window window = createNativeWindow(spec, errorOut);
    if (window == None)
    {
        closeWhenUnused();
        return 0;
    }
    auto record = std::make_unique<SX11Window>();
    record->window = window;
    record->target = target;
    record->background = 0xFF000000 | static_cast<uint32_t>(pixelOf(spec.backgroundColour));
    record->x = spec.area.getLeft();
    record->y = spec.area.getTop();
    record->width = std::max(1L, spec.area.getWidth());
    record->height = std::max(1L, spec.area.getHeight());
    record->acceptsFiles = (spec.extendedStyle & ACCEPT_FILES_STYLE) != 0;
    record->popUp = (spec.style & POP_UP_STYLE) != 0;
    if (!record->surface.resize(m_connection.getDisplay(), m_connection.getVisual(), m_connection.getDepth(),
                                record->width, record->height, record->background))
    {
        errorOut = "cannot make a screen surface of " + std::to_string(record->width) + " x " +
                   std::to_string(record->height) + " pixels";
        XDestroyWindow(m_connection.getDisplay(), window);
        m_connection.sync();
        closeWhenUnused();
        return 0;
    }
    describeWindow(window, spec);
    record->inputContext = m_inputMethod.createContext(m_connection.getDisplay(), window, EVENT_MASK);
    m_windows.emplace(window, std::move(record));
    XFlush(m_connection.getDisplay());
    return window;
}

Window CX11WindowSystem::createNativeWindow(const SNativeWindowSpec &spec, std::string &errorOut)
{
    Display *display = m_connection.getDisplay();
    if (!CX11Surface::suitsVisual(m_connection.getVisual(), m_connection.getDepth()))
    {
        errorOut = "the screen's visual is not 24- or 32-bit true colour";
        return None;
    }
    XSetWindowAttributes attributes{};
    attributes.background_pixel = pixelOf(spec.backgroundColour);
    attributes.border_pixel = 0;
    attributes.colormap = DefaultColormap(display, DefaultScreen(display));
    attributes.event_mask = EVENT_MASK;
    attributes.override_redirect = (spec.style & POP_UP_STYLE) ? True : False;
    const Window parent = spec.parent ? static_cast<Window>(spec.parent) : m_connection.getRoot();
    // The screen's own visual and depth, so one image format serves every window whatever the parent's.
    m_connection.beginTrap();
    const Window window =
        XCreateWindow(display, parent, static_cast<int>(spec.area.getLeft()), static_cast<int>(spec.area.getTop()),
                      static_cast<unsigned int>(std::max(1L, spec.area.getWidth())),
                      static_cast<unsigned int>(std::max(1L, spec.area.getHeight())), 0, m_connection.getDepth(),
                      InputOutput, m_connection.getVisual(),
                      CWBackPixel | CWBorderPixel | CWColormap | CWEventMask | CWOverrideRedirect, &attributes);
    const int error = m_connection.endTrap();
    if (error != 0)
    {
        char text[256];
        XGetErrorText(display, error, text, sizeof(text));
        errorOut = std::string("cannot create the window: ") + text;
        return None;
    }
    return window;
}

void CX11WindowSystem::describeWindow(Window window, const SNativeWindowSpec &spec)
{
    Display *display = m_connection.getDisplay();
    XStoreName(display, window, spec.title.c_str());
    XClassHint classHint{const_cast<char *>(spec.className.c_str()), const_cast<char *>(spec.className.c_str())};
    XSetClassHint(display, window, &classHint);
    if (spec.extendedStyle & ACCEPT_FILES_STYLE)
    {
        CX11DropTarget::makeAware(m_connection, window);
    }
    if (spec.parent != 0)
    {
        return;
    }
    Atom deleteWindow = m_connection.getAtoms().wmDeleteWindow;
    XSetWMProtocols(display, window, &deleteWindow, 1);
    const std::vector<unsigned long> &icon = m_classes[spec.className];
    if (!icon.empty())
    {
        XChangeProperty(display, window, m_connection.getAtoms().netWmIcon, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(icon.data()), static_cast<int>(icon.size()));
    }
}

void CX11WindowSystem::destroyWindow(Basics::NativeWindowHandle handle)
{
    forgetWindow(handle, true);
}

void CX11WindowSystem::forgetWindow(Basics::NativeWindowHandle handle, bool destroyNative)
{
    const auto found = m_windows.find(handle);
    if (found == m_windows.end())
    {
        return;
    }
    std::unique_ptr<SX11Window> window = std::move(found->second);
    m_windows.erase(found);
    m_timers.stopAll(handle);
    m_dropTarget.forget(handle);
    if (m_capture == handle)
    {
        XUngrabPointer(m_connection.getDisplay(), CurrentTime);
        XUngrabKeyboard(m_connection.getDisplay(), CurrentTime);
        m_capture = 0;
    }
    guarded("the destroy message", [&] { window->target->handleNativeMessage(handle, e_destroy, 0, 0); });
    CX11InputMethod::destroyContext(window->inputContext);
    if (destroyNative)
    {
        // The host may have destroyed it with its parent: the error is traced, not fatal.
        XDestroyWindow(m_connection.getDisplay(), handle);
        m_connection.sync();
    }
    window.reset();
    closeWhenUnused();
}

void CX11WindowSystem::closeWhenUnused()
{
    if (m_windows.empty() && m_connection.isOpen())
    {
        m_cursors.release(m_connection.getDisplay());
        m_inputMethod.close();
        m_capture = 0;
        m_connection.close();
    }
}

SX11Window *CX11WindowSystem::find(Basics::NativeWindowHandle handle) const
{
    const auto found = m_windows.find(handle);
    return found == m_windows.end() ? nullptr : found->second.get();
}

void CX11WindowSystem::showWindow(Basics::NativeWindowHandle handle, bool show)
{
    SX11Window *window = find(handle);
    if (!window)
    {
        return;
    }
    window->visible = show;
    if (show)
    {
        XMapRaised(m_connection.getDisplay(), handle);
    }
    else
    {
        XUnmapWindow(m_connection.getDisplay(), handle);
    }
    XFlush(m_connection.getDisplay());
}

void CX11WindowSystem::enableWindow(Basics::NativeWindowHandle handle, bool enable)
{
    if (SX11Window *window = find(handle))
    {
        window->enabled = enable;
    }
}

void CX11WindowSystem::setWindowArea(Basics::NativeWindowHandle handle, const MathTools::CRect &area)
{
    SX11Window *window = find(handle);
    if (!window)
    {
        return;
    }
    const long width = std::max(1L, area.getWidth());
    const long height = std::max(1L, area.getHeight());
    XMoveResizeWindow(m_connection.getDisplay(), handle, static_cast<int>(area.getLeft()),
                      static_cast<int>(area.getTop()), static_cast<unsigned int>(width),
                      static_cast<unsigned int>(height));
    XFlush(m_connection.getDisplay());
    // As on Win32, the move and size messages come before the call returns.
    TMessages messages;
    m_translator.translateGeometry(*window, area.getLeft(), area.getTop(), width, height, messages);
    deliver(handle, messages);
}

MathTools::CRect CX11WindowSystem::getScreenArea(Basics::NativeWindowHandle handle)
{
    const SX11Window *window = find(handle);
    if (!window)
    {
        return MathTools::CRect();
    }
    int x = 0;
    int y = 0;
    Window child = None;
    XTranslateCoordinates(m_connection.getDisplay(), handle, m_connection.getRoot(), 0, 0, &x, &y, &child);
    return MathTools::CRect(x, y, window->width, window->height);
}

void CX11WindowSystem::bringToFront(Basics::NativeWindowHandle handle)
{
    if (find(handle))
    {
        XRaiseWindow(m_connection.getDisplay(), handle);
        XFlush(m_connection.getDisplay());
    }
}

bool CX11WindowSystem::setOpacity(Basics::NativeWindowHandle handle, uint8_t alpha)
{
    if (!find(handle))
    {
        return false;
    }
    Display *display = m_connection.getDisplay();
    const Atom opacity = m_connection.getAtoms().netWmWindowOpacity;
    if (alpha == 0xFF)
    {
        XDeleteProperty(display, handle, opacity);
    }
    else
    {
        const unsigned long value = alpha * OPACITY_PER_ALPHA_STEP;
        XChangeProperty(display, handle, opacity, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(&value), 1);
    }
    XFlush(display);
    return true;
}

void CX11WindowSystem::invalidate(Basics::NativeWindowHandle handle, const Graphics::SPixelBox *area)
{
    if (SX11Window *window = find(handle))
    {
        area ? window->surface.addDamage(*area) : window->surface.addDamageAll();
    }
}

void CX11WindowSystem::updateWindow(Basics::NativeWindowHandle handle)
{
    paint(handle);
    if (m_connection.isOpen())
    {
        XFlush(m_connection.getDisplay());
    }
}

Graphics::CDeviceContext *CX11WindowSystem::beginPaint(Basics::NativeWindowHandle handle,
                                                       Graphics::SPixelBox &updateOut)
{
    SX11Window *window = find(handle);
    updateOut = {};
    return window ? window->surface.beginPaint(updateOut) : nullptr;
}

void CX11WindowSystem::endPaint(Basics::NativeWindowHandle handle)
{
    if (SX11Window *window = find(handle))
    {
        window->surface.endPaint(m_connection.getDisplay(), handle, m_connection.getGraphicsContext());
    }
}

bool CX11WindowSystem::startTimer(Basics::NativeWindowHandle handle, long id, long milliseconds)
{
    if (!find(handle))
    {
        return false;
    }
    m_timers.start(handle, id, milliseconds, CX11TimerList::now());
    return true;
}

void CX11WindowSystem::stopTimer(Basics::NativeWindowHandle handle, long id)
{
    m_timers.stop(handle, id);
}

void CX11WindowSystem::captureMouse(Basics::NativeWindowHandle handle)
{
    SX11Window *window = find(handle);
    if (window && XGrabPointer(m_connection.getDisplay(), handle, False, GRAB_MASK, GrabModeAsync, GrabModeAsync, None,
                               None, CurrentTime) == GrabSuccess)
    {
        // A pop-up never gets the focus from the window manager: it takes the
        // keys with the pointer, so that Escape reaches it.
        if (window->popUp)
        {
            XGrabKeyboard(m_connection.getDisplay(), handle, False, GrabModeAsync, GrabModeAsync, CurrentTime);
        }
        changeCapture(handle);
    }
}

void CX11WindowSystem::releaseMouse()
{
    if (m_capture != 0)
    {
        XUngrabPointer(m_connection.getDisplay(), CurrentTime);
        XUngrabKeyboard(m_connection.getDisplay(), CurrentTime);
        // Waits until the server has let go: a click that follows at once (another
        // client's, a test's) must reach the window under it, not our old grab.
        XSync(m_connection.getDisplay(), False);
        changeCapture(0);
    }
}

void CX11WindowSystem::changeCapture(Basics::NativeWindowHandle handle)
{
    // As on Win32, the window losing the capture is told who took it.
    const Basics::NativeWindowHandle previous = m_capture;
    m_capture = handle;
    if (previous != 0 && previous != handle)
    {
        deliver(previous, {{e_captureChanged, 0, static_cast<intptr_t>(handle)}});
    }
}

void CX11WindowSystem::setCursor(Basics::NativeWindowHandle handle, int kind)
{
    if (find(handle))
    {
        XDefineCursor(m_connection.getDisplay(), handle, m_cursors.get(m_connection.getDisplay(), kind));
        XFlush(m_connection.getDisplay());
    }
}

MathTools::CPoint CX11WindowSystem::getCursorPosition()
{
    if (!m_connection.isOpen())
    {
        return MathTools::CPoint();
    }
    Window root = None;
    Window child = None;
    int rootX = 0;
    int rootY = 0;
    int x = 0;
    int y = 0;
    unsigned int mask = 0;
    XQueryPointer(m_connection.getDisplay(), m_connection.getRoot(), &root, &child, &rootX, &rootY, &x, &y, &mask);
    return MathTools::CPoint(rootX, rootY);
}

bool CX11WindowSystem::getDroppedFiles(uintptr_t drop, MathTools::CPoint &pointOut, std::vector<std::string> &filesOut)
{
    const auto found = m_drops.find(drop);
    if (found == m_drops.end())
    {
        return false;
    }
    pointOut.setPoint(found->second.x, found->second.y);
    filesOut = found->second.files;
    return true;
}

void CX11WindowSystem::releaseDrop(uintptr_t drop)
{
    m_drops.erase(drop);
}

Basics::NativeWindowHandle CX11WindowSystem::takeKeyboardFocus(Basics::NativeWindowHandle handle)
{
    if (!find(handle))
    {
        return 0;
    }
    Window focus = None;
    int revertTo = RevertToNone;
    XGetInputFocus(m_connection.getDisplay(), &focus, &revertTo);
    // An unviewable window refuses the focus: the error is traced, not fatal.
    XSetInputFocus(m_connection.getDisplay(), handle, RevertToParent, CurrentTime);
    XFlush(m_connection.getDisplay());
    return focus;
}

void CX11WindowSystem::restoreKeyboardFocus(Basics::NativeWindowHandle handle, Basics::NativeWindowHandle previous)
{
    if (!m_connection.isOpen())
    {
        return;
    }
    Window focus = None;
    int revertTo = RevertToNone;
    XGetInputFocus(m_connection.getDisplay(), &focus, &revertTo);
    // Someone who took the focus since (the user, the host) keeps it.
    if (focus == handle)
    {
        XSetInputFocus(m_connection.getDisplay(), static_cast<Window>(previous), RevertToParent, CurrentTime);
        XFlush(m_connection.getDisplay());
    }
}

void CX11WindowSystem::beep()
{
    if (m_connection.isOpen())
    {
        XBell(m_connection.getDisplay(), 0);
        XFlush(m_connection.getDisplay());
    }
}

long CX11WindowSystem::getDotsPerInch()
{
    std::string error;
    if (!m_connection.open(error))
    {
        return DEFAULT_DOTS_PER_INCH;
    }
    const long dotsPerInch = CX11ScreenMetrics::readDotsPerInch(m_connection.getDisplay());
    closeWhenUnused();
    return dotsPerInch > 0 ? dotsPerInch : DEFAULT_DOTS_PER_INCH;
}

void CX11WindowSystem::pump()
{
    // A message may destroy the last window, which closes the connection.
    while (m_connection.isOpen() && XPending(m_connection.getDisplay()) > 0)
    {
        XEvent event;
        XNextEvent(m_connection.getDisplay(), &event);
        // The input method takes the presses of a sequence it is composing.
        if (!XFilterEvent(&event, None))
        {
            dispatch(event);
        }
    }
    deliverTimers();
    paintDamaged();
    if (m_connection.isOpen())
    {
        XFlush(m_connection.getDisplay());
    }
}

void CX11WindowSystem::dispatch(XEvent &event)
{
    switch (event.type)
    {
    case ClientMessage:
        dispatchClientMessage(event.xclient);
        return;
    case SelectionNotify:
        dispatchDrop(event.xselection);
        return;
    case DestroyNotify:
        // Destroyed behind our back: with its parent, by the host.
        forgetWindow(event.xdestroywindow.window, false);
        return;
    case MappingNotify:
        // Keys looked up after a keyboard remapping must see the new symbols.
        XRefreshKeyboardMapping(&event.xmapping);
        return;
    case UnmapNotify:
        // A grab ends when its window stops being viewable.
        if (m_capture == event.xunmap.window)
        {
            changeCapture(0);
        }
        return;
    default:
        break;
    }
    SX11Window *window = find(event.xany.window);
    if (!window)
    {
        return;
    }
    TMessages messages;
    m_translator.translate(event, *window, messages);
    deliver(event.xany.window, messages);
}

void CX11WindowSystem::dispatchClientMessage(const XClientMessageEvent &event)
{
    const SX11Window *window = find(event.window);
    if (!window)
    {
        return;
    }
    const CX11Connection::SAtoms &atoms = m_connection.getAtoms();
    if (event.message_type == atoms.wmProtocols && static_cast<Atom>(event.data.l[0]) == atoms.wmDeleteWindow)
    {
        deliver(event.window, {{e_close, 0, 0}});
        return;
    }
    m_dropTarget.handleClientMessage(m_connection, event, window->acceptsFiles && window->enabled);
}

void CX11WindowSystem::dispatchDrop(const XSelectionEvent &event)
{
    CX11DropTarget::SDrop drop;
    if (!m_dropTarget.handleSelection(m_connection, event, drop) || !find(drop.window))
    {
        return;
    }
    // A drop lives as long as its message: the target reads and releases it there.
    const uintptr_t id = m_nextDrop++;
    const Window window = drop.window;
    m_drops.emplace(id, std::move(drop));
    deliver(window, {{e_dropFiles, id, 0}});
    m_drops.erase(id);
}

void CX11WindowSystem::deliver(Basics::NativeWindowHandle handle, const TMessages &messages)
{
    for (const CX11EventTranslator::SMessage &message : messages)
    {
        SX11Window *window = find(handle);
        if (!window)
        {
            return;
        }
        if (message.message == e_size)
        {
            fitSurface(*window);
        }
        guarded("a window message",
                [&] { window->target->handleNativeMessage(handle, message.message, message.wParam, message.lParam); });
    }
}

void CX11WindowSystem::deliverTimers()
{
    for (const CX11TimerList::STimerId &timer : m_timers.takeDue(CX11TimerList::now()))
    {
        // An earlier timer of this round may have stopped this one or destroyed its window.
        SX11Window *window = m_timers.isRunning(timer.window, timer.id) ? find(timer.window) : nullptr;
        if (window)
        {
            guarded("a timer", [&] { window->target->handleNativeTimer(timer.id); });
        }
    }
}

void CX11WindowSystem::paintDamaged()
{
    std::vector<Basics::NativeWindowHandle> damaged;
    for (const auto &[handle, window] : m_windows)
    {
        if (window->surface.hasDamage())
        {
            damaged.push_back(handle);
        }
    }
    for (const Basics::NativeWindowHandle handle : damaged)
    {
        paint(handle);
    }
}

void CX11WindowSystem::paint(Basics::NativeWindowHandle handle)
{
    SX11Window *window = find(handle);
    // Hidden windows keep their damage until shown, as on Win32.
    if (!window || !window->visible || !window->surface.hasDamage())
    {
        return;
    }
    window->surface.startPaint();
    deliver(handle, {{e_paint, 0, 0}});
}

void CX11WindowSystem::fitSurface(SX11Window &window)
{
    if (window.surface.getWidth() != window.width || window.surface.getHeight() != window.height)
    {
        window.surface.resize(m_connection.getDisplay(), m_connection.getVisual(), m_connection.getDepth(),
                              window.width, window.height, window.background);
    }
}
} // namespace Orvalite::GUI::Windowing
