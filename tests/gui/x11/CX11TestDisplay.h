// The tests' side of a real X server: a connection of their own that owns a
// parent window (as a host would), drives the pointer and keyboard with XTest
// and reads the screen back.
#pragma once

#include "gui/windowing/x11/CX11WindowSystem.h"
#include "tests/gui/windowing/CRecordingTarget.h"

#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace Orvalite::Testing
{
class CX11TestDisplay
{
public:
    // Where the parent window sits on the screen and where our child sits in it.
    static constexpr int PARENT_X = 100;
    static constexpr int PARENT_Y = 100;
    static constexpr int CHILD_X = 10;
    static constexpr int CHILD_Y = 20;
    static constexpr int CHILD_WIDTH = 200;
    static constexpr int CHILD_HEIGHT = 100;
    static constexpr char CLASS_NAME[] = "org.zelo.test.Window";

    // Null when no X server can be reached.
    static std::unique_ptr<CX11TestDisplay> open();
    ~CX11TestDisplay();

    Display *getDisplay() const { return m_display; }
    Window getParent() const { return m_parent; }

    // A shown child of the parent window, created through the system.
    GUI::Basics::NativeWindowHandle createChild(GUI::Windowing::CX11WindowSystem &system,
                                                GUI::Windowing::INativeMessageTarget &target,
                                                uint32_t extendedStyle = 0);
    // Pumps the system (and hands the test connection's events to `onEvent`)
    // until `done` holds; false after two seconds.
    bool pumpUntil(GUI::Windowing::INativeWindowSystem &system, const std::function<bool()> &done,
                   const std::function<void(XEvent &)> &onEvent = nullptr);
    bool waitUntilViewable(Window window);

    // XTest input at a point of the child window (client coordinates).
    void moveTo(int x, int y);
    void button(unsigned int button, bool press);
    void click(unsigned int button);
    void key(unsigned long keysym, bool press);
    void destroyParent();

private:
    explicit CX11TestDisplay(Display *display);

    Display *m_display = nullptr;
    Window m_parent = None;
};
} // namespace Orvalite::Testing
