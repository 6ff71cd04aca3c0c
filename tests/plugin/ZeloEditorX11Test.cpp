// The built Zelo.so's editor on a real X server, driven as a host drives it:
// a window of the host's own for the parent, effEditOpen, effEditIdle as the
// host's timer calls it, the pointer moved with XTest and the screen read back.

// googletest first: Xlib's None and Bool macros would change its names.
#include <gtest/gtest.h>

#include "tests/plugin/ZeloPlugin.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <functional>
#include <thread>

namespace Zelo::Testing
{
namespace
{
// Where the host's window sits on the screen.
constexpr int PARENT_X = 40;
constexpr int PARENT_Y = 30;
// The Delay One knob's centre and its read-out, in the panel.
constexpr int DELAY_KNOB_X = 22;
constexpr int DELAY_KNOB_Y = 217;
constexpr int DELAY_READOUT_X = 50;
constexpr int DELAY_READOUT_Y = 207;
constexpr int ABOUT_BUTTON_X = 383;
constexpr int ABOUT_BUTTON_Y = 16;

class ZeloEditorX11 : public testing::Test
{
protected:
    void SetUp() override
    {
        m_display = XOpenDisplay(nullptr);
        if (!m_display)
        {
            GTEST_SKIP() << "No X server can be reached";
        }
        m_parent =
            XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), PARENT_X, PARENT_Y, 400, 466, 0, 0, 0x202020);
        XMapWindow(m_display, m_parent);
        XSync(m_display, False);
        m_zelo = openZelo();
    }
    void TearDown() override
    {
        if (m_display)
        {
            XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
            m_zelo.reset();
            XCloseDisplay(m_display);
        }
    }

    // effEditIdle as a host's timer calls it, until `done` holds; false after two seconds.
    bool idleUntil(const std::function<bool()> &done)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < end)
        {
            m_zelo->dispatch(effEditIdle);
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
    // XTest input at a point of the host's window.
    void moveTo(int x, int y)
    {
        XTestFakeMotionEvent(m_display, -1, PARENT_X + x, PARENT_Y + y, CurrentTime);
        XFlush(m_display);
        idleFor(30);
    }
    void button(bool press)
    {
        XTestFakeButtonEvent(m_display, 1, press ? True : False, CurrentTime);
        XFlush(m_display);
        idleFor(30);
    }
    Window editorWindow() const
    {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(m_display, m_parent, &root, &parent, &children, &count);
        const Window child = count == 1 ? children[0] : 0;
        XFree(children);
        return child;
    }
    bool isViewable(Window window) const
    {
        XWindowAttributes attributes{};
        return window && XGetWindowAttributes(m_display, window, &attributes) && attributes.map_state == IsViewable;
    }
    // The mapped override-redirect top-level window (ours: the about window), or none.
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
        XImage *image = XGetImage(m_display, m_parent, x, y, static_cast<unsigned int>(width),
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

    Display *m_display = nullptr;
    Window m_parent = 0;
    std::unique_ptr<Tools::CPluginInstance> m_zelo;
};

TEST_F(ZeloEditorX11, AKnobDraggedInTheHostsWindowIsOneRecordedGestureAndRedrawsItsReadOut)
{
    EXPECT_EQ(m_zelo->dispatch(effEditOpen), 0) << "a null parent";
    ASSERT_EQ(m_zelo->dispatch(effEditOpen, 0, 0, reinterpret_cast<void *>(m_parent)), 1);
    ASSERT_TRUE(idleUntil([&] { return isViewable(editorWindow()); }));
    idleFor(100);
    const std::vector<unsigned long> before = grab(DELAY_READOUT_X, DELAY_READOUT_Y, 80, 16);
    m_zelo->clearRequests();

    moveTo(DELAY_KNOB_X, DELAY_KNOB_Y);
    button(true);
    moveTo(DELAY_KNOB_X, DELAY_KNOB_Y - 40);
    button(false);
    const auto automation = m_zelo->lastAutomation();
    ASSERT_TRUE(automation.has_value());
    EXPECT_EQ(automation->index, 9);
    EXPECT_NEAR(automation->opt, 0.2, 1e-6) << "from program 0's 0.0, 40 pixels up at 1/200";
    // One gesture the host can record: begin at the press, automation while moving, end at the release.
    std::string gesture;
    for (const auto &request : m_zelo->requests())
    {
        const char step = request.opcode == audioMasterBeginEdit  ? 'b'
                          : request.opcode == audioMasterAutomate ? 'a'
                          : request.opcode == audioMasterEndEdit  ? 'e'
                                                                  : '\0';
        if (step != '\0')
        {
            gesture += step;
            EXPECT_EQ(request.index, 9) << gesture;
        }
    }
    EXPECT_TRUE(gesture.size() >= 3 && gesture.front() == 'b' && gesture.back() == 'e' &&
                gesture.find_first_not_of('a', 1) == gesture.size() - 1)
        << gesture;
    EXPECT_NEAR(m_zelo->getParameter(9), 0.2f, 1e-6);
    EXPECT_TRUE(idleUntil([&] { return grab(DELAY_READOUT_X, DELAY_READOUT_Y, 80, 16) != before; }))
        << "the read-out shows the new delay";

    m_zelo->dispatch(effEditClose);
    EXPECT_EQ(editorWindow(), 0u);
    XWindowAttributes attributes{};
    EXPECT_TRUE(XGetWindowAttributes(m_display, m_parent, &attributes)) << "the host's window lives on";
}

TEST_F(ZeloEditorX11, TheAboutButtonShowsThePictureCentredAndAClickHidesIt)
{
    ASSERT_EQ(m_zelo->dispatch(effEditOpen, 0, 0, reinterpret_cast<void *>(m_parent)), 1);
    ASSERT_TRUE(idleUntil([&] { return isViewable(editorWindow()); }));
    moveTo(ABOUT_BUTTON_X, ABOUT_BUTTON_Y);
    button(true);
    button(false);
    XWindowAttributes about{};
    ASSERT_TRUE(idleUntil([&] { return popUp(about) != 0; }));
    const Screen *screen = DefaultScreenOfDisplay(m_display);
    EXPECT_EQ(about.x, WidthOfScreen(screen) / 2 - about.width / 2);
    EXPECT_EQ(about.y, HeightOfScreen(screen) / 2 - about.height / 2);

    moveTo(0, 0);
    button(true);
    button(false);
    EXPECT_TRUE(idleUntil([&] { return popUp(about) == 0; })) << "a click anywhere hides it";
    m_zelo->dispatch(effEditClose);
}

TEST_F(ZeloEditorX11, OpeningAndClosingAHundredTimesLeavesOneWindowAtMost)
{
    for (int round = 0; round < 100; ++round)
    {
        ASSERT_EQ(m_zelo->dispatch(effEditOpen, 0, 0, reinterpret_cast<void *>(m_parent)), 1);
        m_zelo->dispatch(effEditIdle);
        m_zelo->dispatch(effEditClose);
        ASSERT_EQ(editorWindow(), 0u) << round;
    }
}
} // namespace
} // namespace Zelo::Testing
