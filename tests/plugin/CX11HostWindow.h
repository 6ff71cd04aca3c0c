// A host's own top-level window on a real X server for Zelo's editors to open
// in, the host's idle timer, XTest input at points of the window and the
// screen read back. The VST editor and LV2 UI tests share it.
#pragma once

// googletest first: Xlib's None and Bool macros would change its names.
#include <gtest/gtest.h>

#include "tests/support/x11/OpenTestDisplay.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

namespace Zelo::Testing
{
// The Delay One knob's centre and its read-out, in the panel.
constexpr int DELAY_KNOB_X = 22;
constexpr int DELAY_KNOB_Y = 217;
constexpr int DELAY_READOUT_X = 50;
constexpr int DELAY_READOUT_Y = 207;

class CX11HostWindow
{
public:
    // Where the host's window sits on the screen.
    static constexpr int LEFT = 40;
    static constexpr int TOP = 30;

    CX11HostWindow() : m_display(Orvalite::Testing::openTestDisplay())
    {
        if (m_display)
        {
            m_window =
                XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), LEFT, TOP, 400, 466, 0, 0, 0x202020);
            XMapWindow(m_display, m_window);
            XSync(m_display, False);
        }
    }
    ~CX11HostWindow()
    {
        if (m_display)
        {
            XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
            XCloseDisplay(m_display);
        }
    }
    CX11HostWindow(const CX11HostWindow &) = delete;
    CX11HostWindow &operator=(const CX11HostWindow &) = delete;

    Display *display() const { return m_display; }
    Window window() const { return m_window; }
    // What the host's timer calls, every 10 ms.
    void setIdle(std::function<void()> idle) { m_idle = std::move(idle); }

    // Idles until `done` holds; false after two seconds.
    bool idleUntil(const std::function<bool()> &done)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < end)
        {
            m_idle();
            if (done())
            {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    void idleFor(int milliseconds)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        idleUntil([&] { return std::chrono::steady_clock::now() >= end; });
    }
    // Idles until the editor's window is shown, then lets it draw.
    bool waitForChild()
    {
        const bool shown = idleUntil([&] { return isViewable(child()); });
        idleFor(100);
        return shown;
    }
    // XTest input at a point of the host's window.
    void moveTo(int x, int y)
    {
        XTestFakeMotionEvent(m_display, -1, LEFT + x, TOP + y, CurrentTime);
        flush();
    }
    void button(bool press, unsigned int number = 1)
    {
        XTestFakeButtonEvent(m_display, number, press ? True : False, CurrentTime);
        flush();
    }
    void click(unsigned int number = 1)
    {
        button(true, number);
        button(false, number);
    }
    // A press at (x, y), a move `up` pixels up and the release there.
    void drag(int x, int y, int up)
    {
        moveTo(x, y);
        button(true);
        moveTo(x, y - up);
        button(false);
    }
    void key(KeySym symbol)
    {
        const KeyCode code = XKeysymToKeycode(m_display, symbol);
        XTestFakeKeyEvent(m_display, code, True, CurrentTime);
        XTestFakeKeyEvent(m_display, code, False, CurrentTime);
        flush();
    }

    // The host's window's only child (the editor), or none.
    Window child() const
    {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(m_display, m_window, &root, &parent, &children, &count);
        const Window found = count == 1 ? children[0] : 0;
        XFree(children);
        return found;
    }
    bool isViewable(Window window) const
    {
        XWindowAttributes attributes{};
        return window && XGetWindowAttributes(m_display, window, &attributes) && attributes.map_state == IsViewable;
    }
    // The mapped override-redirect top-level window (the about window or a menu), or none.
    Window popUp(XWindowAttributes &attributesOut) const
    {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count);
        Window found = 0;
        for (unsigned int index = 0; index < count; ++index)
        {
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(m_display, children[index], &attributes) && attributes.override_redirect &&
                attributes.map_state == IsViewable)
            {
                found = children[index];
                attributesOut = attributes;
            }
        }
        XFree(children);
        return found;
    }
    // The pixels of a box of the host's window as the screen shows them.
    std::vector<unsigned long> grab(int x, int y, int width, int height) const
    {
        XImage *image = XGetImage(m_display, m_window, x, y, static_cast<unsigned int>(width),
                                  static_cast<unsigned int>(height), AllPlanes, ZPixmap);
        std::vector<unsigned long> pixels;
        for (int row = 0; image && row < height; ++row)
        {
            for (int column = 0; column < width; ++column)
            {
                pixels.push_back(XGetPixel(image, column, row));
            }
        }
        if (image)
        {
            XDestroyImage(image);
        }
        return pixels;
    }
    std::vector<unsigned long> grabDelayReadout() const { return grab(DELAY_READOUT_X, DELAY_READOUT_Y, 80, 16); }

private:
    void flush()
    {
        XFlush(m_display);
        idleFor(30);
    }

    Display *m_display;
    Window m_window = 0;
    std::function<void()> m_idle = [] {};
};
} // namespace Zelo::Testing
