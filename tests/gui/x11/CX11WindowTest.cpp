// The whole path on a real X server: X events through the X11 window system
// and CWindow's message table to the window's listener.

// googletest first: Xlib's None and Bool macros would change its names.
#include <gtest/gtest.h>

#include "foundation/basics/CApplicationInformation.h"
#include "gui/windowing/CWindow.h"
#include "tests/gui/windowing/CRecordingListener.h"
#include "tests/gui/x11/CX11TestDisplay.h"

namespace Orvalite::Testing
{
namespace
{
using namespace GUI::Windowing;

TEST(X11Window, ADragThatLeavesReachesTheListenerWithSignedPositionsAndEndsTheCapture)
{
    std::unique_ptr<CX11TestDisplay> x = CX11TestDisplay::open();
    if (!x)
    {
        GTEST_SKIP() << "No X server can be reached";
    }
    CX11WindowSystem system;
    INativeWindowSystem::install(&system);
    Basics::CApplicationInformation::setProductName("Zelo");
    {
        // A top-level window exactly over the test display's child position, so its points apply.
        CWindow window(MathTools::CRect(CX11TestDisplay::PARENT_X + CX11TestDisplay::CHILD_X,
                                        CX11TestDisplay::PARENT_Y + CX11TestDisplay::CHILD_Y, 120, 80));
        CRecordingListener listener;
        listener.listenTo(window);
        window.intialiseWindow(window.getWindowAttributes(), true);
        ASSERT_TRUE(x->waitUntilViewable(window.getWindowHandle()));
        x->pumpUntil(system, [] { return false; });
        listener.m_calls.clear();

        x->moveTo(30, 40);
        x->button(1, true);
        x->moveTo(-5, -7);
        x->button(1, false);
        const auto released = [&] {
            return std::count(listener.m_calls.begin(), listener.m_calls.end(), "leftUp -5,-7") == 1;
        };
        EXPECT_TRUE(x->pumpUntil(system, released));
        std::vector<std::string> pointer;
        std::copy_if(listener.m_calls.begin(), listener.m_calls.end(), std::back_inserter(pointer),
                     [](const std::string &call) { return call.rfind("move", 0) == 0 || call.rfind("left", 0) == 0; });
        EXPECT_EQ(pointer, (std::vector<std::string>{"move 30,40", "leftDown 30,40", "move -5,-7", "leftUp -5,-7"}));
        EXPECT_EQ(system.getCapture(), 0u);
        window.uninitialiseWindow();
    }
    INativeWindowSystem::install(nullptr);
    Basics::CApplicationInformation::releaseApplicationInformation();
}
} // namespace
} // namespace Orvalite::Testing
