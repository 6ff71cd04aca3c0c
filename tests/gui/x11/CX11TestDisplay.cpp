#include "tests/gui/x11/CX11TestDisplay.h"

#include "foundation/mathtools/CRect.h"
#include "tests/support/x11/OpenTestDisplay.h"

#include <X11/extensions/XTest.h>

#include <algorithm>
#include <thread>

namespace Orvalite::Testing
{
using namespace GUI::Windowing;

std::unique_ptr<CX11TestDisplay> CX11TestDisplay::open()
{
    Display *display = Testing::openTestDisplay();
    return display ? std::unique_ptr<CX11TestDisplay>(new CX11TestDisplay(display)) : nullptr;
}

CX11TestDisplay::CX11TestDisplay(Display *display) : m_display(display)
{
    m_parent =
        XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), PARENT_X, PARENT_Y, 320, 240, 0, 0, 0x808080);
    XMapWindow(m_display, m_parent);
    waitUntilViewable(m_parent);
}

CX11TestDisplay::~CX11TestDisplay()
{
    // Leave no button or key held for the next test.
    XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    XCloseDisplay(m_display);
}

GUI::Basics::NativeWindowHandle CX11TestDisplay::createChild(CX11WindowSystem &system, INativeMessageTarget &target,
                                                             uint32_t extendedStyle)
{
    SNativeWindowSpec spec;
    spec.className = CLASS_NAME;
    spec.title = "child";
    spec.style = 0x40000000;
    spec.extendedStyle = extendedStyle;
    spec.area = MathTools::CRect(CHILD_X, CHILD_Y, CHILD_WIDTH, CHILD_HEIGHT);
    spec.parent = m_parent;
    std::string error;
    system.registerClass(CLASS_NAME, false, nullptr);
    const GUI::Basics::NativeWindowHandle handle = system.createWindow(spec, &target, error);
    if (handle != 0)
    {
        system.showWindow(handle, true);
        waitUntilViewable(handle);
    }
    return handle;
}

bool CX11TestDisplay::pumpUntil(INativeWindowSystem &system, const std::function<bool()> &done,
                                const std::function<void(XEvent &)> &onEvent)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < deadline)
    {
        system.pump();
        while (XPending(m_display) > 0)
        {
            XEvent event;
            XNextEvent(m_display, &event);
            if (onEvent)
            {
                onEvent(event);
            }
        }
        if (done())
        {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

bool CX11TestDisplay::waitUntilViewable(Window window)
{
    for (int attempt = 0; attempt < 2000; ++attempt)
    {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(m_display, window, &attributes) && attributes.map_state == IsViewable)
        {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

void CX11TestDisplay::moveTo(int x, int y)
{
    XTestFakeMotionEvent(m_display, DefaultScreen(m_display), PARENT_X + CHILD_X + x, PARENT_Y + CHILD_Y + y,
                         CurrentTime);
    XSync(m_display, False);
}

void CX11TestDisplay::button(unsigned int button, bool press)
{
    XTestFakeButtonEvent(m_display, button, press ? True : False, CurrentTime);
    XSync(m_display, False);
}

void CX11TestDisplay::click(unsigned int number)
{
    button(number, true);
    button(number, false);
}

void CX11TestDisplay::key(unsigned long keysym, bool press)
{
    XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, keysym), press ? True : False, CurrentTime);
    XSync(m_display, False);
}

void CX11TestDisplay::destroyParent()
{
    XDestroyWindow(m_display, m_parent);
    XSync(m_display, False);
    m_parent = None;
}
} // namespace Orvalite::Testing
