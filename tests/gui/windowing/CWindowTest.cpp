#include "gui/windowing/CWindow.h"

#include "foundation/basics/CApplicationInformation.h"
#include "foundation/basics/CException.h"
#include "foundation/io/TraceLog.h"
#include "gui/graphics/CWindowIcon.h"
#include "gui/windowing/WindowMessage.h"
#include "gui/windowing/headless/CHeadlessWindowSystem.h"

#include "tests/foundation/CTemporaryFolder.h"
#include "tests/gui/basics/ExpectThrows.h"
#include "tests/gui/windowing/CRecordingListener.h"
#include "tests/gui/windowing/MessageParameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace
{
using namespace Orvalite::GUI::Windowing;
using Orvalite::Exceptions::CException;
using Orvalite::GUI::Basics::NativeWindowHandle;
using Orvalite::GUI::Graphics::CBitmap;
using Orvalite::MathTools::CPoint;
using Orvalite::MathTools::CRect;
using Orvalite::Testing::CRecordingListener;
using Orvalite::Testing::pointParameter;
using Orvalite::Testing::wheelParameter;
using Calls = std::vector<std::string>;

class Window : public testing::Test
{
protected:
    void SetUp() override
    {
        INativeWindowSystem::install(&m_system);
        Orvalite::Basics::CApplicationInformation::setProductName("Zelo");
    }
    void TearDown() override
    {
        INativeWindowSystem::install(nullptr);
        Orvalite::Basics::CApplicationInformation::releaseApplicationInformation();
    }

    // A window at (10, 20), 40 × 30, shown, with the recorder as every listener.
    NativeWindowHandle open(CWindow &window)
    {
        m_listener.listenTo(window);
        window.intialiseWindow(window.getWindowAttributes(), true);
        return window.getWindowHandle();
    }

    CHeadlessWindowSystem m_system;
    CRecordingListener m_listener;
};

TEST_F(Window, MessageTableTurnsMessagesIntoListenerCalls)
{
    struct SCase
    {
        uint32_t message;
        uintptr_t wParam;
        intptr_t lParam;
        SModifierState modifiers;
        Calls expected;
        intptr_t result;
    };
    const SModifierState none;
    const SModifierState shift{false, true, false};
    const SCase cases[] = {
        {e_mouseMove, 0, pointParameter(5, 6), none, {"move 5,6"}, 0},
        {e_mouseMove, 0, pointParameter(-3, -4), shift, {"move -3,-4 shift"}, 0},
        {e_leftButtonDown, e_leftButtonHeld, pointParameter(1, 2), {true, false, true}, {"leftDown 1,2 ctrl alt"}, 0},
        {e_rightButtonDown, e_rightButtonHeld, pointParameter(7, -1), none, {"rightDown 7,-1"}, 0},
        {e_leftButtonUp, 0, pointParameter(-30, 8), none, {"leftUp -30,8"}, 0},
        {e_rightButtonUp, 0, pointParameter(3, 3), none, {"rightUp 3,3"}, 0},
        {e_leftButtonDoubleClick, 0, pointParameter(4, 4), none, {"doubleClick 4,4"}, 0},
        {e_mouseWheel, wheelParameter(-120), 0, none, {"scroll 15,25 wheel -1.000000"}, 0},
        {e_mouseWheel, wheelParameter(240), 0, shift, {"scroll 15,25 shift wheel 2.000000"}, 0},
        {e_mouseLeave, 0, pointParameter(-1, 9), none, {"leave -1,9"}, 0},
        {e_keyDown, 16, 0, shift, {"keyDown 4 ' ' virtual shift"}, 0},
        {e_keyUp, 'A', 'a', none, {"keyUp 56 'a'"}, 0},
        {e_keyDown, 8, 8, none, {"keyDown 0 ' ' virtual"}, 0},
        {e_setFocus, 0, 0, none, {"gainedFocus"}, 0},
        {e_killFocus, 0, 0, none, {"lostFocus"}, 0},
        {e_move, 0, pointParameter(-5, 7), none, {"moved -5,7"}, 0},
        {e_size, 0, pointParameter(300, 200), none, {"resized 300,200"}, 0},
        {e_eraseBackground, 0, 0, none, {}, 1},
        {e_timer, 0, 0, none, {}, 0},
        {0x0400, 0, 0, none, {}, 0},
    };
    for (const SCase &row : cases)
    {
        CWindow window(CRect(10, 20, 40, 30));
        const NativeWindowHandle handle = open(window);
        m_listener.m_calls.clear();
        m_system.setModifierState(row.modifiers);
        m_system.setCursorPosition(CPoint(25, 45));
        EXPECT_EQ(m_system.send(handle, row.message, row.wParam, row.lParam), row.result)
            << "message 0x" << std::hex << row.message;
        EXPECT_EQ(m_listener.m_calls, row.expected) << "message 0x" << std::hex << row.message;
    }
}

TEST_F(Window, KeyCodesFollowTheVirtualKeyTable)
{
    const std::pair<uint32_t, long> cases[] = {
        {8, 0},   {9, 1},    {12, 2},   {13, 3},   {16, 4},   {17, 5},   {18, 6},   {19, 7},   {20, 8},
        {27, 9},  {33, 10},  {36, 13},  {40, 17},  {44, 18},  {45, 19},  {46, 20},  {47, 21},  {91, 22},
        {92, 23}, {112, 24}, {135, 47}, {144, 48}, {145, 49}, {160, 50}, {165, 55}, {0, 56},   {10, 56},
        {21, 56}, {32, 56},  {41, 56},  {48, 56},  {93, 56},  {111, 56}, {136, 56}, {166, 56}, {255, 56},
    };
    CWindow window(CRect(0, 0, 10, 10));
    const NativeWindowHandle handle = open(window);
    for (const auto &[virtualKey, keyCode] : cases)
    {
        m_listener.m_calls.clear();
        m_system.send(handle, e_keyDown, virtualKey, 0);
        EXPECT_EQ(m_listener.m_calls, Calls{"keyDown " + std::to_string(keyCode) + " ' ' virtual"})
            << "virtual key " << virtualKey;
    }
}

TEST_F(Window, KeyResultIsZeroOnlyWhenTheListenerUsedTheKey)
{
    CWindow window(CRect(0, 0, 10, 10));
    const NativeWindowHandle handle = open(window);
    m_listener.m_useKeys = false;
    EXPECT_EQ(m_system.send(handle, e_keyDown, 'B', 'b'), 1);
    window.registerKeyboardListener(nullptr);
    EXPECT_EQ(m_system.send(handle, e_keyDown, 'B', 'b'), 0);
    EXPECT_EQ(m_listener.m_calls.size(), 1u);
}

TEST_F(Window, DroppedFilesReachTheListenerAndTheDropIsReleased)
{
    CWindow window(CRect(0, 0, 10, 10));
    const NativeWindowHandle handle = open(window);
    m_listener.m_calls.clear();
    m_system.dropFiles(handle, CPoint(3, -4), {"/tmp/a.wav", "/tmp/b c.wav"});
    EXPECT_EQ(m_listener.m_calls, Calls{"drop 3,-4 /tmp/a.wav /tmp/b c.wav"});
    EXPECT_EQ(m_system.getNumberOfPendingDrops(), 0u);
}

// Paints a pattern, keeping a copy of the back buffer as it is blitted.
class CPatternWindow : public CWindow
{
public:
    using CWindow::CWindow;
    void drawWindow(Orvalite::GUI::Graphics::CGraphics &graphics) override
    {
        const CBitmap &buffer = graphics.getNativeImage()->getBitmap();
        for (long y = 0; y < buffer.getHeight(); ++y)
            for (long x = 0; x < buffer.getWidth(); ++x)
                graphics.getNativeImage()->getDeviceContext()->setPixel(
                    x, y, static_cast<uint32_t>(x * 7 + y * 1000 + m_paints * 13));
        m_drawn = buffer;
        ++m_paints;
    }
    CBitmap m_drawn;
    long m_paints = 0;
};

TEST_F(Window, PaintingCopiesTheBackBufferOnlyInsideTheUpdateBox)
{
    CPatternWindow window(CRect(10, 20, 40, 30));
    window.getWindowAttributes().set("Pattern", Orvalite::GUI::Basics::CColour(1, 2, 3), 1.0, nullptr, true, false);
    const NativeWindowHandle handle = open(window);
    m_system.pump();
    const CBitmap &screen = m_system.findWindow(handle)->screen;
    EXPECT_EQ(screen.getPixel(39, 29), window.m_drawn.getPixel(39, 29));

    window.redrawWindow(CRect(5, 6, 8, 4));
    const CBitmap before = screen;
    m_system.pump();
    for (long y = 0; y < 30; ++y)
        for (long x = 0; x < 40; ++x)
        {
            const bool inside = x >= 5 && x < 13 && y >= 6 && y < 10;
            EXPECT_EQ(screen.getPixel(x, y), (inside ? window.m_drawn : before).getPixel(x, y)) << x << "," << y;
        }
}

TEST_F(Window, AnEmptyUpdateAreaBlitsNothing)
{
    CWindow window(CRect(0, 0, 20, 20));
    window.intialiseWindow(window.getWindowAttributes(), false);
    const NativeWindowHandle handle = window.getWindowHandle();
    m_system.send(handle, e_paint);
    const CBitmap &screen = m_system.findWindow(handle)->screen;
    EXPECT_EQ(screen.getPixel(0, 0), 0u);
    window.redrawWindow(CRect(2, 2, 1, 1));
    window.updateWindow();
    EXPECT_EQ(screen.getPixel(2, 2), 0xFFFFFFFFu) << "the white background, in the damaged pixel only";
    EXPECT_EQ(screen.getPixel(3, 3), 0u);
}

TEST_F(Window, CloseIsVetoedByWindowClosedAndOnlyAMainWindowAsksToQuit)
{
    const struct
    {
        bool allowClose;
        bool isMainWindow;
        bool quit;
    } cases[] = {{false, true, false}, {true, true, true}, {true, false, false}};
    for (const auto &row : cases)
    {
        CWindow window(CRect(0, 0, 10, 10), row.isMainWindow);
        const NativeWindowHandle handle = open(window);
        m_listener.m_allowClose = row.allowClose;
        if (row.allowClose)
            window.registerWindowChangeListener(&window);
        m_system.send(handle, e_close);
        EXPECT_EQ(m_system.findWindow(handle) != nullptr, !row.allowClose) << "allow " << row.allowClose;
        EXPECT_EQ(window.getWindowHandle() != 0, !row.allowClose) << "allow " << row.allowClose;
        EXPECT_EQ(CWindow::takeQuitRequest(), row.quit) << "main " << row.isMainWindow;
    }
}

TEST_F(Window, DestroyAlwaysClearsTheHandleEvenWhenCloseWouldBeVetoed)
{
    CWindow window(CRect(0, 0, 10, 10));
    const NativeWindowHandle handle = open(window);
    m_listener.m_allowClose = false;
    m_system.destroyWindow(handle);
    EXPECT_EQ(window.getWindowHandle(), 0u);
    window.redrawWindow();
    window.setAlphaValue(0.5);
    window.intialiseWindow(window.getWindowAttributes(), false);
    EXPECT_NE(window.getWindowHandle(), 0u) << "a window destroyed behind our back can be made again";
    EXPECT_EQ(m_system.getNumberOfWindows(), 1u);
}

TEST_F(Window, WindowsWithTheSameTitleShareOneClass)
{
    CWindow first(CRect(0, 0, 10, 10));
    CWindow second(CRect(0, 0, 10, 10));
    CWindow other(CRect(0, 0, 10, 10));
    other.getWindowAttributes().set("Other", Orvalite::GUI::Basics::CColour(), 1.0, nullptr, true, false);
    const NativeWindowHandle handles[] = {open(first), open(second), open(other)};
    EXPECT_EQ(m_system.getRegisteredClasses().size(), 2u);
    EXPECT_EQ(m_system.findWindow(handles[0])->spec.className, "net.orvalite.Zelo.Application");
    EXPECT_EQ(m_system.findWindow(handles[1])->spec.className, "net.orvalite.Zelo.Application");
    EXPECT_NE(m_system.findWindow(handles[0])->spec.className, m_system.findWindow(handles[2])->spec.className);
}

TEST_F(Window, FailuresThrowTheirExactTexts)
{
    CWindow window(CRect(0, 0, 10, 10));
    Orvalite::Testing::expectThrows([&] { window.startTimer(0, 10); }, "Timer id's cannot be zero on Windows platforms",
                                    "CWindow::startTimer(const long, const long)");
    m_system.refuseWindows("No display");
    Orvalite::Testing::expectThrows(
        [&] { window.intialiseWindow(window.getWindowAttributes(), true); },
        "Caught an exception whilst initialising window. Further details below:\n\nNo display",
        "void CWindow::intialiseWindow(CWindowAttributes *, const bool) ->\nCWindow::createWindow()");
    EXPECT_EQ(window.getWindowHandle(), 0u);
}

TEST_F(Window, ButtonUpReleasesOnlyOurOwnCapture)
{
    CWindow window(CRect(0, 0, 10, 10));
    const NativeWindowHandle handle = open(window);
    m_system.send(handle, e_leftButtonDown, e_leftButtonHeld, pointParameter(1, 1));
    EXPECT_EQ(m_system.getCapture(), handle);
    m_system.send(handle, e_leftButtonUp, 0, pointParameter(1, 1));
    EXPECT_EQ(m_system.getCapture(), 0u);

    const NativeWindowHandle host = 0x7777;
    m_system.setCapture(host);
    m_system.send(handle, e_leftButtonDown, e_leftButtonHeld, pointParameter(1, 1));
    m_system.send(handle, e_leftButtonUp, 0, pointParameter(1, 1));
    EXPECT_EQ(m_system.getCapture(), host);
}

TEST_F(Window, ALostReleaseEndsTheDragWithASyntheticButtonUp)
{
    const struct
    {
        const char *what;
        void (*loseRelease)(CHeadlessWindowSystem &, NativeWindowHandle);
        Calls expected;
    } cases[] = {
        {"capture taken by another window",
         [](CHeadlessWindowSystem &system, NativeWindowHandle) { system.setCapture(0x7777); },
         {"leftDown 2,3", "leftUp 2,3"}},
        {"move without the button",
         [](CHeadlessWindowSystem &system, NativeWindowHandle handle) {
             system.send(handle, e_mouseMove, 0, pointParameter(-8, 4));
         },
         {"leftDown 2,3", "leftUp 2,3", "move -8,4"}},
        {"move with the button still held",
         [](CHeadlessWindowSystem &system, NativeWindowHandle handle) {
             system.send(handle, e_mouseMove, e_leftButtonHeld, pointParameter(-8, 4));
         },
         {"leftDown 2,3", "move -8,4"}},
    };
    for (const auto &row : cases)
    {
        CWindow window(CRect(0, 0, 10, 10));
        const NativeWindowHandle handle = open(window);
        m_listener.m_calls.clear();
        m_system.send(handle, e_leftButtonDown, e_leftButtonHeld, pointParameter(2, 3));
        row.loseRelease(m_system, handle);
        EXPECT_EQ(m_listener.m_calls, row.expected) << row.what;
        m_system.setCapture(0);
    }
}

TEST_F(Window, OpacityIsClampedBeforeScaling)
{
    const std::pair<double, int> cases[] = {{1.004, 255}, {1.0, 255}, {0.5, 127}, {0.0, 0},
                                            {-0.2, 0},    {7.0, 255}, {NAN, 0}};
    CWindow window(CRect(0, 0, 10, 10));
    const NativeWindowHandle handle = open(window);
    for (const auto &[alpha, opacity] : cases)
    {
        window.setAlphaValue(alpha);
        EXPECT_EQ(m_system.findWindow(handle)->opacity, opacity) << "alpha " << alpha;
    }
}

TEST_F(Window, CopyingTheWindowsOwnAttributesKeepsTheIcon)
{
    auto *icon = new Orvalite::GUI::Graphics::CWindowIcon;
    CBitmap image;
    image.create(2, 2);
    icon->takeOver(std::move(image));
    CWindow window(CRect(0, 0, 10, 10));
    window.getWindowAttributes().setIcon(icon);
    window.intialiseWindow(window.getWindowAttributes(), false);
    ASSERT_EQ(window.getWindowAttributes().getIcon(), icon);
    EXPECT_EQ(icon->getReferenceCount(), 1);
    EXPECT_TRUE(icon->hasIcon());
}

// A timed object that can remove itself or another object when it expires.
class CTimedProbe : public Orvalite::Basics::CCountedObject, public Orvalite::GUI::Basics::ITimedObject
{
public:
    CTimedProbe(long id, std::vector<long> &log) : m_id(id), m_log(log) {}
    void referenced() override { CCountedObject::referenced(); }
    void dereference() override { CCountedObject::dereference(); }
    long getReferenceCount() const override { return CCountedObject::getReferenceCount(); }
    void getObjectDescription(char *, long) const override {}
    Orvalite::Basics::CClass &getClass() const override { return CCountedObject::getClassRecord(); }
    long getTimerId() const override { return m_id; }
    void delisted() override {}
    void timerExpired() override
    {
        m_log.push_back(m_id);
        if (m_onExpiry)
            m_onExpiry();
    }

    long m_id;
    std::vector<long> &m_log;
    std::function<void()> m_onExpiry;
};

TEST_F(Window, TimedObjectsMayRemoveThemselvesAndOthersDuringAnExpiry)
{
    CWindow window(CRect(0, 0, 10, 10));
    open(window);
    std::vector<long> log;
    auto *self = new CTimedProbe(5, log);
    auto *victim = new CTimedProbe(5, log);
    CTimedProbe survivor(5, log);
    self->m_onExpiry = [&window, self, victim] {
        window.removeTimedObject(self);
        window.removeTimedObject(victim);
        delete victim;
        delete self;
    };
    for (CTimedProbe *probe : {self, victim, &survivor})
        window.addTimedObject(probe);
    window.startTimer(5, 40);
    m_system.advanceClock(39);
    EXPECT_TRUE(log.empty());
    m_system.advanceClock(1);
    EXPECT_EQ(log, (std::vector<long>{5, 5})) << "the removed object is skipped";
    m_system.advanceClock(40);
    EXPECT_EQ(log, (std::vector<long>{5, 5, 5}));
    window.stopAllTimers();
    m_system.advanceClock(80);
    EXPECT_EQ(log.size(), 3u);
}

TEST_F(Window, ExceptionsInHandlersAreTracedAndStopThere)
{
    Orvalite::Testing::CTemporaryFolder folder;
    ASSERT_TRUE(Orvalite::IO::openTraceLog(folder.systemPath("trace.txt")));
    CWindow window(CRect(0, 0, 10, 10));
    const NativeWindowHandle handle = open(window);
    std::vector<long> log;
    CTimedProbe restarter(3, log);
    restarter.m_onExpiry = [&window] { window.startTimer(0, 10); };
    window.addTimedObject(&restarter);
    window.startTimer(3, 10);
    EXPECT_NO_THROW(m_system.advanceClock(10));
    window.removeTimedObject(&restarter);

    struct CThrowingListener : CRecordingListener
    {
        void handleMouseMovement(const CMouseEvent &) override { throw CException("Broken", "listener", true); }
    } thrower;
    window.registerMouseListener(&thrower);
    EXPECT_EQ(m_system.send(handle, e_mouseMove, 0, 0), 0);
    Orvalite::IO::closeTraceLog();
    const std::string trace = folder.read("trace.txt");
    EXPECT_NE(trace.find("Timer id's cannot be zero"), std::string::npos) << trace;
    EXPECT_NE(trace.find("Broken (listener)"), std::string::npos) << trace;
}
} // namespace
