// The X11 window system against a real X server (Xvfb in the test command):
// our child window in a parent the test owns, driven with XTest.

// googletest first: Xlib's None and Bool macros would change its names.
#include <gtest/gtest.h>

#include "tests/gui/windowing/TNativeWindowSystemTest.h"
#include "tests/gui/x11/CX11TestDisplay.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cstdlib>
#include <dirent.h>
#include <thread>

namespace Orvalite::Testing
{
namespace
{
using namespace GUI::Windowing;
using GUI::Basics::NativeWindowHandle;

constexpr int SCREEN_X = CX11TestDisplay::PARENT_X + CX11TestDisplay::CHILD_X;
constexpr int SCREEN_Y = CX11TestDisplay::PARENT_Y + CX11TestDisplay::CHILD_Y;

long openFileCount()
{
    long count = 0;
    DIR *folder = opendir("/proc/self/fd");
    while (folder && readdir(folder))
    {
        ++count;
    }
    if (folder)
    {
        closedir(folder);
    }
    return count;
}

class X11WindowSystem : public TNativeWindowSystemTest<CX11WindowSystem>
{
protected:
    void SetUp() override
    {
        m_x = CX11TestDisplay::open();
        if (!m_x)
        {
            GTEST_SKIP() << "No X server can be reached at DISPLAY=\""
                         << (std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "") << "\"";
        }
        m_window = createChild(m_target);
        ASSERT_NE(m_window, 0u);
        settle();
    }

    NativeWindowHandle createChild(CRecordingTarget &target) override { return m_x->createChild(m_system, target); }
    bool pumpUntil(const std::function<bool()> &done) override { return m_x->pumpUntil(m_system, done); }
    // Lets the events of what was done so far arrive, then forgets the messages.
    void settle() override
    {
        for (int i = 0; i < 20; ++i)
        {
            m_system.pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        m_target.messages.clear();
    }
    // Our connection's drawing reaches the server in its own time: a few pumps let it land first.
    std::vector<uint32_t> screenshot() override
    {
        for (int i = 0; i < 5; ++i)
        {
            m_system.pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        XSync(m_x->getDisplay(), False);
        XImage *image = XGetImage(m_x->getDisplay(), m_window, 0, 0, WIDTH, HEIGHT, AllPlanes, ZPixmap);
        std::vector<uint32_t> pixels;
        for (int y = 0; image && y < image->height; ++y)
        {
            for (int x = 0; x < image->width; ++x)
            {
                pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF);
            }
        }
        if (image)
        {
            XDestroyImage(image);
        }
        return pixels;
    }
    void focusOurWindow() override
    {
        XSetInputFocus(m_x->getDisplay(), m_window, RevertToParent, CurrentTime);
        settle();
    }
    void typeShiftedA() override
    {
        m_x->key(XK_Shift_L, true);
        m_x->key(XK_a, true);
        m_x->key(XK_a, false);
        m_x->key(XK_Shift_L, false);
    }

    std::unique_ptr<CX11TestDisplay> m_x;
};

TEST_F(X11WindowSystem, PaintPutsTheDrawnSurfaceOnTheScreen)
{
    expectPaintPutsTheDrawnSurfaceOnTheScreen();
}

TEST_F(X11WindowSystem, OnlyTheDamagedPartOfTheSurfaceReachesTheScreen)
{
    expectOnlyTheDamagedPartReachesTheScreen();
}

TEST_F(X11WindowSystem, PointerMessagesCarrySignedClientCoordinatesThroughADragThatLeaves)
{
    m_x->moveTo(30, 40);
    m_x->button(1, true);
    m_x->moveTo(-5, -7);
    m_x->button(1, false);
    m_x->moveTo(50, 60);
    m_x->click(3);
    ASSERT_TRUE(pumpUntilCount(0x0205, 1));

    struct SExpected
    {
        uint32_t message;
        uintptr_t keys;
        long x;
        long y;
    };
    const std::vector<SExpected> expected = {{0x200, 0, 30, 40}, {0x201, 1, 30, 40}, {0x200, 1, -5, -7},
                                             {0x202, 0, -5, -7}, {0x200, 0, 50, 60}, {0x204, 2, 50, 60},
                                             {0x205, 0, 50, 60}};
    std::vector<SRecordedMessage> pointer;
    std::copy_if(m_target.messages.begin(), m_target.messages.end(), std::back_inserter(pointer),
                 [](const SRecordedMessage &message) { return message.message >= 0x200 && message.message <= 0x205; });
    ASSERT_EQ(pointer.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ(pointer[i].message, expected[i].message) << i;
        EXPECT_EQ(pointer[i].wParam & 0xFFFF, expected[i].keys) << i;
        EXPECT_EQ(lowWord(pointer[i].lParam), expected[i].x) << i;
        EXPECT_EQ(highWord(pointer[i].lParam), expected[i].y) << i;
    }
    EXPECT_GE(m_target.count(0x02A3), 1u) << "leaving during the drag is reported";
}

TEST_F(X11WindowSystem, WheelNotchesArriveAsSignedMultiplesOf120AtTheScreenPosition)
{
    const struct
    {
        unsigned int button;
        long delta;
    } cases[] = {{4, 120}, {5, -120}};
    m_x->moveTo(20, 30);
    for (const auto &test : cases)
    {
        settle();
        m_x->click(test.button);
        m_x->click(6);
        m_x->click(7);
        m_x->moveTo(21, 30);
        ASSERT_TRUE(pumpUntilCount(0x0200, 1));
        ASSERT_EQ(m_target.count(0x020A), 1u) << test.button;
        const SRecordedMessage wheel = m_target.last(0x020A);
        EXPECT_EQ(highWord(static_cast<intptr_t>(wheel.wParam)), test.delta);
        EXPECT_EQ(lowWord(wheel.lParam), SCREEN_X + 20);
        EXPECT_EQ(highWord(wheel.lParam), SCREEN_Y + 30);
        m_x->moveTo(20, 30);
    }
}

TEST_F(X11WindowSystem, ASecondPressSoonAndNearIsADoubleClickAndEndsTheSequence)
{
    m_x->moveTo(40, 40);
    m_x->click(1);
    m_x->moveTo(43, 44);
    m_x->click(1);
    m_x->click(1);
    m_x->moveTo(60, 40);
    m_x->click(1);
    ASSERT_TRUE(pumpUntilCount(0x0202, 4));
    std::vector<uint32_t> buttons;
    for (const uint32_t message : m_target.inputMessages())
    {
        if (message >= 0x201 && message <= 0x203)
        {
            buttons.push_back(message);
        }
    }
    EXPECT_EQ(buttons, (std::vector<uint32_t>{0x201, 0x202, 0x203, 0x202, 0x201, 0x202, 0x201, 0x202}));
}

TEST_F(X11WindowSystem, KeysCarryTheirVirtualKeyAndCharacter)
{
    XSetInputFocus(m_x->getDisplay(), m_window, RevertToParent, CurrentTime);
    ASSERT_TRUE(pumpUntilCount(0x0007, 1));
    const struct
    {
        KeySym keysym;
        uintptr_t virtualKey;
        intptr_t character;
    } cases[] = {{XK_a, 'A', 'a'}, {XK_7, '7', '7'},    {XK_Return, 13, 13},  {XK_BackSpace, 8, 8},
                 {XK_F5, 116, 0},  {XK_Escape, 27, 27}, {XK_Delete, 46, 127}, {XK_Left, 37, 0}};
    for (const auto &test : cases)
    {
        m_target.messages.clear();
        m_x->key(test.keysym, true);
        m_x->key(test.keysym, false);
        ASSERT_TRUE(pumpUntilCount(0x0101, 1)) << test.keysym;
        EXPECT_EQ(m_target.last(0x0100).wParam, test.virtualKey) << test.keysym;
        EXPECT_EQ(m_target.last(0x0100).lParam, test.character) << test.keysym;
        EXPECT_EQ(m_target.last(0x0101).wParam, test.virtualKey) << test.keysym;
    }
    XSetInputFocus(m_x->getDisplay(), m_x->getParent(), RevertToParent, CurrentTime);
    ASSERT_TRUE(pumpUntilCount(0x0008, 1));
}

TEST_F(X11WindowSystem, TheModifierBeingPressedCountsAsHeld)
{
    expectTheModifierBeingPressedCountsAsHeld();
}

TEST_F(X11WindowSystem, SettingTheAreaMovesResizesAndRepaintsAll)
{
    expectSettingTheAreaMovesResizesAndRepaintsAll(MathTools::CRect(115, 125, 150, 80));
}

TEST_F(X11WindowSystem, TimersRunFromThePumpUntilStopped)
{
    expectTimersRunUntilStopped();
}

TEST_F(X11WindowSystem, CaptureIsARealPointerGrabOnlyWhileHeldAndItsLossIsReported)
{
    EXPECT_EQ(m_system.getCapture(), 0u);
    m_system.captureMouse(m_window);
    EXPECT_EQ(m_system.getCapture(), m_window);
    Display *test = m_x->getDisplay();
    EXPECT_EQ(XGrabPointer(test, m_x->getParent(), False, 0, GrabModeAsync, GrabModeAsync, None, None, CurrentTime),
              AlreadyGrabbed);
    m_system.releaseMouse();
    EXPECT_EQ(m_system.getCapture(), 0u);
    EXPECT_EQ(m_target.inputMessages(), std::vector<uint32_t>{0x0215}) << "the window is told it lost the capture";
    EXPECT_EQ(m_target.last(0x0215).lParam, 0);
    EXPECT_TRUE(m_x->pumpUntil(m_system, [&] {
        return XGrabPointer(test, m_x->getParent(), False, 0, GrabModeAsync, GrabModeAsync, None, None, CurrentTime) ==
               GrabSuccess;
    }));
    XUngrabPointer(test, CurrentTime);
}

TEST_F(X11WindowSystem, OpacityIsTheWindowManagersProperty)
{
    const Atom opacity = XInternAtom(m_x->getDisplay(), "_NET_WM_WINDOW_OPACITY", False);
    // -1 for no property; format-32 data comes as longs holding 32 bits.
    const auto read = [&]() -> int64_t {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long remaining = 0;
        unsigned char *data = nullptr;
        XGetWindowProperty(m_x->getDisplay(), m_window, opacity, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                           &remaining, &data);
        const int64_t value =
            data && count == 1 ? int64_t{static_cast<uint32_t>(*reinterpret_cast<unsigned long *>(data))} : -1;
        XFree(data);
        return value;
    };
    // Our connection's requests reach the server in their own time.
    const auto reads = [&](int64_t expected) { return m_x->pumpUntil(m_system, [&] { return read() == expected; }); };
    ASSERT_TRUE(m_system.setOpacity(m_window, 128));
    EXPECT_TRUE(reads(128 * 0x01010101LL));
    ASSERT_TRUE(m_system.setOpacity(m_window, 255));
    EXPECT_TRUE(reads(-1)) << "opaque removes the property";
    EXPECT_FALSE(m_system.setOpacity(0, 128));
}

TEST_F(X11WindowSystem, TopLevelWindowsShowTheirClassAndTurnDeleteIntoClose)
{
    const struct
    {
        uint32_t style;
        bool overrideRedirect;
    } cases[] = {{0x00CF0000, false}, {0x80000000, true}};
    for (const auto &test : cases)
    {
        SNativeWindowSpec spec;
        spec.className = "org.zelo.test.TopLevel";
        spec.style = test.style;
        spec.area = MathTools::CRect(500, 500, 60, 40);
        std::string error;
        ASSERT_TRUE(m_system.registerClass(spec.className, false, nullptr));
        const NativeWindowHandle window = m_system.createWindow(spec, &m_target, error);
        ASSERT_NE(window, 0u) << error;
        XWindowAttributes attributes{};
        XGetWindowAttributes(m_x->getDisplay(), window, &attributes);
        EXPECT_EQ(attributes.override_redirect != 0, test.overrideRedirect);
        XClassHint hint{};
        ASSERT_TRUE(XGetClassHint(m_x->getDisplay(), window, &hint));
        EXPECT_STREQ(hint.res_class, "org.zelo.test.TopLevel");
        XFree(hint.res_name);
        XFree(hint.res_class);

        XEvent close{};
        close.xclient.type = ClientMessage;
        close.xclient.window = window;
        close.xclient.message_type = XInternAtom(m_x->getDisplay(), "WM_PROTOCOLS", False);
        close.xclient.format = 32;
        close.xclient.data.l[0] = static_cast<long>(XInternAtom(m_x->getDisplay(), "WM_DELETE_WINDOW", False));
        XSendEvent(m_x->getDisplay(), window, False, NoEventMask, &close);
        XSync(m_x->getDisplay(), False);
        EXPECT_TRUE(pumpUntilCount(0x0010, 1));
        m_system.destroyWindow(window);
        m_target.messages.clear();
    }
}

TEST_F(X11WindowSystem, CreationFailsWithTheReasonForAnUnknownClassOrParent)
{
    expectAnUnknownClassIsRefusedWithTheReason();
    SNativeWindowSpec spec;
    spec.className = CX11TestDisplay::CLASS_NAME;
    spec.area = MathTools::CRect(0, 0, 10, 10);
    spec.parent = 0x1FFFFF;
    std::string error;
    EXPECT_EQ(m_system.createWindow(spec, &m_target, error), 0u);
    EXPECT_NE(error.find("BadWindow"), std::string::npos) << error;
}

TEST_F(X11WindowSystem, DestroyingTheParentFirstDeliversDestroyAndIsSurvived)
{
    m_x->destroyParent();
    ASSERT_TRUE(pumpUntilCount(0x0002, 1));
    m_system.destroyWindow(m_window);
    m_system.pump();
    EXPECT_EQ(m_target.count(0x0002), 1u);

    // The host destroys its window and we ours before any event was pumped.
    std::unique_ptr<CX11TestDisplay> host = CX11TestDisplay::open();
    CRecordingTarget target;
    const NativeWindowHandle window = host->createChild(m_system, target);
    ASSERT_NE(window, 0u);
    host->destroyParent();
    m_system.destroyWindow(window);
    m_system.pump();
    EXPECT_EQ(target.count(0x0002), 1u);
}

TEST_F(X11WindowSystem, TwoHundredCreateDestroyCyclesLeaveNothingOpen)
{
    m_system.destroyWindow(m_window);
    const long files = openFileCount();
    createAndDestroyChildren(200);
    EXPECT_EQ(openFileCount(), files) << "each cycle closes its connection";
    EXPECT_EQ(m_target.count(0x0002), 201u);
}
} // namespace
} // namespace Orvalite::Testing
