// The Win32 window system in real windows (Wine on Xvfb): our child window in a
// host window the test owns, driven with SendInput and posted messages, its
// pixels read back from the screen; every test ends with the resource ledger
// where it started and no fault seen.
#include "gui/windowing/win32/CWin32WindowSystem.h"
#include "tests/gui/win32/CWin32TestDesktop.h"
#include "tests/gui/windowing/TNativeWindowSystemTest.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <iterator>

namespace Orvalite::Testing
{
namespace
{
using namespace GUI::Windowing;
using Desktop = CWin32TestDesktop;

constexpr int HOST_X = 100;
constexpr int HOST_Y = 100;
constexpr int CHILD_X = 10;
constexpr int CHILD_Y = 20;
constexpr char CLASS_NAME[] = "org.zelo.test.Window";

class Win32WindowSystem : public TNativeWindowSystemTest<CWin32WindowSystem>
{
protected:
    void SetUp() override
    {
        m_before = Desktop::countResources();
        m_window = createChild(m_target);
        ASSERT_NE(m_window, 0u);
        settle();
        m_target.messages.clear();
    }
    void TearDown() override
    {
        m_system.destroyWindow(m_window);
        EXPECT_EQ(Desktop::changedResources(m_before), "") << "the ledger returns to where it started";
    }

    NativeWindowHandle createChild(CRecordingTarget &target) override
    {
        return createChild(target, CHILD_X, CHILD_Y, Desktop::host());
    }
    NativeWindowHandle createChild(CRecordingTarget &target, int x, int y, HWND parent = Desktop::host())
    {
        SNativeWindowSpec spec;
        spec.className = CLASS_NAME;
        spec.style = WS_CHILD | WS_VISIBLE;
        spec.area = MathTools::CRect(x, y, WIDTH, HEIGHT);
        spec.parent = reinterpret_cast<NativeWindowHandle>(parent);
        std::string error;
        EXPECT_TRUE(m_system.registerClass(CLASS_NAME, false, nullptr));
        const NativeWindowHandle window = m_system.createWindow(spec, &target, error);
        EXPECT_NE(window, 0u) << error;
        return window;
    }
    bool pumpUntil(const std::function<bool()> &done) override { return Desktop::pumpUntil(m_system, done); }
    void settle() override { Desktop::settle(m_system); }
    std::vector<uint32_t> screenshot() override { return Desktop::screenshot(hwnd()); }
    void focusOurWindow() override
    {
        SetFocus(hwnd());
        settle();
    }
    void typeShiftedA() override
    {
        Desktop::key(VK_SHIFT, true);
        Desktop::tap('A');
        Desktop::key(VK_SHIFT, false);
    }
    HWND hwnd() const { return reinterpret_cast<HWND>(m_window); }
    // Key and character messages of a press and release of `press` (after focusing the window).
    void typeAndRecord(const std::function<void()> &press)
    {
        m_target.messages.clear();
        press();
        ASSERT_TRUE(pumpUntilCount(WM_KEYUP, 1));
        settle();
    }

    Desktop::TCounts m_before{};
    const HWND m_host = Desktop::host();
};

TEST_F(Win32WindowSystem, PaintPutsTheDrawnBackBufferOnTheScreen)
{
    expectPaintPutsTheDrawnSurfaceOnTheScreen();
}

TEST_F(Win32WindowSystem, OnlyTheDamagedPartOfTheBackBufferReachesTheScreen)
{
    expectOnlyTheDamagedPartReachesTheScreen();
}

TEST_F(Win32WindowSystem, PointerMessagesCarryClientCoordinatesAndHeldButtonsThroughACapturedDrag)
{
    // As CWindow does: the capture from the press to the release.
    m_target.onMessage = [this](const SRecordedMessage &message) {
        if (message.message == WM_LBUTTONDOWN)
        {
            m_system.captureMouse(m_window);
        }
        if (message.message == WM_LBUTTONUP)
        {
            m_system.releaseMouse();
        }
    };
    Desktop::moveTo(HOST_X + CHILD_X + 30, HOST_Y + CHILD_Y + 40);
    Desktop::button(true, true);
    Desktop::moveTo(HOST_X + CHILD_X - 5, HOST_Y + CHILD_Y - 7);
    Desktop::button(true, false);
    Desktop::moveTo(HOST_X + CHILD_X + 50, HOST_Y + CHILD_Y + 60);
    Desktop::click(false);
    ASSERT_TRUE(pumpUntilCount(WM_RBUTTONUP, 1));
    const struct
    {
        uint32_t message;
        uintptr_t keys;
        long x;
        long y;
    } expected[] = {{WM_LBUTTONDOWN, MK_LBUTTON, 30, 40},
                    {WM_MOUSEMOVE, MK_LBUTTON, -5, -7},
                    {WM_LBUTTONUP, 0, -5, -7},
                    {WM_MOUSEMOVE, 0, 50, 60},
                    {WM_RBUTTONDOWN, MK_RBUTTON, 50, 60},
                    {WM_RBUTTONUP, 0, 50, 60}};
    // From the press on: the pointer's way in may bring one or more moves first.
    std::vector<SRecordedMessage> pointer;
    for (const SRecordedMessage &message : m_target.messages)
    {
        const bool pointerMessage = message.message >= WM_MOUSEMOVE && message.message <= WM_RBUTTONUP;
        if (pointerMessage && (!pointer.empty() || message.message == WM_LBUTTONDOWN))
        {
            pointer.push_back(message);
        }
    }
    ASSERT_EQ(pointer.size(), std::size(expected));
    for (size_t i = 0; i < pointer.size(); ++i)
    {
        EXPECT_EQ(pointer[i].message, expected[i].message) << i;
        EXPECT_EQ(pointer[i].wParam & (MK_LBUTTON | MK_RBUTTON), expected[i].keys) << i;
        EXPECT_EQ(lowWord(pointer[i].lParam), expected[i].x) << i;
        EXPECT_EQ(highWord(pointer[i].lParam), expected[i].y) << i;
    }
    EXPECT_EQ(m_target.count(WM_CAPTURECHANGED), 1u) << "the release ends the capture";
}

TEST_F(Win32WindowSystem, TheHookHandsTheWheelToOurWindowUnderThePointerNotToTheFocus)
{
    CRecordingTarget focused;
    const NativeWindowHandle other = createChild(focused, CHILD_X, CHILD_Y + HEIGHT + 10);
    SetFocus(reinterpret_cast<HWND>(other));
    Desktop::moveTo(HOST_X + CHILD_X + 20, HOST_Y + CHILD_Y + 30);
    Desktop::settle(m_system);
    m_target.messages.clear();
    focused.messages.clear();
    for (const int delta : {120, -120})
    {
        Desktop::wheel(delta);
        ASSERT_TRUE(Desktop::pumpUntil(m_system, [&] { return m_target.count(WM_MOUSEWHEEL) == 1; })) << delta;
        const SRecordedMessage wheel = m_target.last(WM_MOUSEWHEEL);
        EXPECT_EQ(highWord(static_cast<intptr_t>(wheel.wParam)), delta);
        EXPECT_EQ(lowWord(wheel.lParam), HOST_X + CHILD_X + 20) << "screen coordinates";
        EXPECT_EQ(highWord(wheel.lParam), HOST_Y + CHILD_Y + 30);
        m_target.messages.clear();
    }
    EXPECT_EQ(focused.count(WM_MOUSEWHEEL), 0u);
    EXPECT_EQ(GUI::Basics::CWin32ResourceLedger::count(GUI::Basics::CWin32ResourceLedger::e_hook), 1);
    m_system.destroyWindow(other);
}

TEST_F(Win32WindowSystem, KeysCarryTheirVirtualKeyAndCharacterAndTextFollowsAsCodePoints)
{
    SetFocus(hwnd());
    ASSERT_TRUE(pumpUntilCount(WM_SETFOCUS, 1));
    const struct
    {
        WORD key;
        intptr_t character;
        uintptr_t typed; // the character message's code point, 0 for none
    } cases[] = {{'A', 'a', 'a'}, {'7', '7', '7'},    {VK_RETURN, 13, 0}, {VK_BACK, 8, 0},
                 {VK_F5, 0, 0},   {VK_ESCAPE, 27, 0}, {VK_LEFT, 0, 0}};
    for (const auto &test : cases)
    {
        typeAndRecord([&] { Desktop::tap(test.key); });
        EXPECT_EQ(m_target.last(WM_KEYDOWN).wParam, test.key) << test.key;
        EXPECT_EQ(m_target.last(WM_KEYDOWN).lParam, test.character) << test.key;
        EXPECT_EQ(m_target.last(WM_KEYUP).wParam, test.key) << test.key;
        EXPECT_EQ(m_target.last(WM_CHAR).wParam, test.typed) << test.key;
    }
    // U+00E9 and U+1D11E (a UTF-16 pair) typed as Unicode input: one character message each.
    m_target.messages.clear();
    for (const wchar_t unit : {L'\u00E9', wchar_t(0xD834), wchar_t(0xDD1E)})
    {
        Desktop::typeUnit(unit);
    }
    ASSERT_TRUE(pumpUntilCount(WM_CHAR, 2));
    Desktop::settle(m_system);
    std::vector<uintptr_t> typed;
    for (const SRecordedMessage &message : m_target.messages)
    {
        if (message.message == WM_CHAR)
        {
            typed.push_back(message.wParam);
        }
    }
    EXPECT_EQ(typed, (std::vector<uintptr_t>{0xE9, 0x1D11E}));
}

TEST_F(Win32WindowSystem, TheModifierBeingPressedCountsAsHeld)
{
    expectTheModifierBeingPressedCountsAsHeld();
}

TEST_F(Win32WindowSystem, FocusIsTakenAndGivenBackOnlyWhileStillHeld)
{
    SetFocus(m_host);
    EXPECT_EQ(m_system.takeKeyboardFocus(m_window), reinterpret_cast<NativeWindowHandle>(m_host));
    EXPECT_EQ(GetFocus(), hwnd());
    EXPECT_EQ(m_target.count(WM_SETFOCUS), 1u);
    m_system.restoreKeyboardFocus(m_window, reinterpret_cast<NativeWindowHandle>(m_host));
    EXPECT_EQ(GetFocus(), m_host);
    EXPECT_EQ(m_target.count(WM_KILLFOCUS), 1u);

    m_system.takeKeyboardFocus(m_window);
    SetFocus(m_host);
    m_system.restoreKeyboardFocus(m_window, 0);
    EXPECT_EQ(GetFocus(), m_host) << "whoever took the focus since keeps it";
    EXPECT_EQ(m_system.takeKeyboardFocus(0x1234), 0u);
}

TEST_F(Win32WindowSystem, SettingTheAreaMovesResizesAndRepaintsAll)
{
    expectSettingTheAreaMovesResizesAndRepaintsAll(MathTools::CRect(HOST_X + 15, HOST_Y + 25, 150, 80));
}

TEST_F(Win32WindowSystem, TimersRunUntilStoppedAndAreCounted)
{
    using GUI::Basics::CWin32ResourceLedger;
    expectTimersRunUntilStopped();
    m_system.startTimer(m_window, 8, 10);
    m_system.startTimer(m_window, 8, 10);
    EXPECT_EQ(CWin32ResourceLedger::count(CWin32ResourceLedger::e_timer), 1) << "restarting keeps one timer";
    // The window, destroyed with its timer running, frees it.
}

TEST_F(Win32WindowSystem, CaptureIsHeldUntilReleasedOrTakenAndItsLossIsReported)
{
    EXPECT_EQ(m_system.getCapture(), 0u);
    m_system.captureMouse(m_window);
    EXPECT_EQ(m_system.getCapture(), m_window);
    m_system.releaseMouse();
    EXPECT_EQ(m_system.getCapture(), 0u);
    EXPECT_EQ(m_target.count(WM_CAPTURECHANGED), 1u);
    EXPECT_EQ(m_target.last(WM_CAPTURECHANGED).lParam, 0);

    m_system.captureMouse(m_window);
    SetCapture(m_host);
    EXPECT_EQ(m_target.count(WM_CAPTURECHANGED), 2u);
    EXPECT_EQ(m_target.last(WM_CAPTURECHANGED).lParam, reinterpret_cast<intptr_t>(m_host)) << "who took it";
    m_system.releaseMouse();
    EXPECT_EQ(GetCapture(), m_host) << "the host's capture is not ours to end";
    ReleaseCapture();
}

TEST_F(Win32WindowSystem, CursorsFollowTheirKindOverTheWindow)
{
    const LPCSTR shapes[] = {IDC_ARROW,  IDC_HAND,  IDC_WAIT,     IDC_SIZENS,
                             IDC_SIZEWE, IDC_IBEAM, IDC_SIZENWSE, IDC_SIZEALL};
    Desktop::moveTo(HOST_X + CHILD_X + 5, HOST_Y + CHILD_Y + 5);
    Desktop::settle(m_system);
    for (int kind = 0; kind < 8; ++kind)
    {
        m_system.setCursor(m_window, kind);
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, shapes[kind])) << kind;
    }
}

TEST_F(Win32WindowSystem, OpacityAppliesToLayeredWindowsOnly)
{
    SNativeWindowSpec spec;
    spec.className = CLASS_NAME;
    spec.style = WS_POPUP | WS_VISIBLE;
    spec.extendedStyle = WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    spec.area = MathTools::CRect(600, 500, 60, 40);
    CRecordingTarget target;
    std::string error;
    const NativeWindowHandle layered = m_system.createWindow(spec, &target, error);
    ASSERT_NE(layered, 0u) << error;
    ASSERT_TRUE(m_system.setOpacity(layered, 128));
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(reinterpret_cast<HWND>(layered), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_FALSE(m_system.setOpacity(m_window, 128)) << "not layered";
    EXPECT_FALSE(m_system.setOpacity(0, 128));
    m_system.destroyWindow(layered);
    EXPECT_EQ(target.count(WM_DESTROY), 1u);
}

TEST_F(Win32WindowSystem, FilesDroppedArriveAsUtf8PathsWithTheClientPoint)
{
    const std::wstring files = std::wstring(L"C:\\music\\take one.wav") + L'\0' + L"C:\\caf\u00E9\\b.png" + L'\0';
    HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + (files.size() + 1) * sizeof(wchar_t));
    auto *header = static_cast<DROPFILES *>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    header->pt = POINT{12, 34};
    header->fWide = TRUE;
    std::memcpy(header + 1, files.c_str(), files.size() * sizeof(wchar_t));
    GlobalUnlock(drop);

    MathTools::CPoint point;
    std::vector<std::string> paths;
    m_target.onMessage = [&](const SRecordedMessage &message) {
        if (message.message == WM_DROPFILES)
        {
            EXPECT_TRUE(m_system.getDroppedFiles(message.wParam, point, paths));
            m_system.releaseDrop(message.wParam);
        }
    };
    PostMessageW(hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    ASSERT_TRUE(pumpUntilCount(WM_DROPFILES, 1));
    EXPECT_EQ(paths, (std::vector<std::string>{"C:\\music\\take one.wav", "C:\\caf\xC3\xA9\\b.png"}));
    EXPECT_EQ(point, MathTools::CPoint(12, 34));
}

TEST_F(Win32WindowSystem, CreationFailsWithTheReasonForAnUnknownClassOrParent)
{
    expectAnUnknownClassIsRefusedWithTheReason();
    SNativeWindowSpec spec;
    spec.className = CLASS_NAME;
    spec.style = WS_CHILD;
    spec.area = MathTools::CRect(0, 0, 10, 10);
    spec.parent = 0x1FFFFF;
    std::string error;
    EXPECT_EQ(m_system.createWindow(spec, &m_target, error), 0u);
    EXPECT_NE(error.find("cannot create the window: "), std::string::npos) << error;
    EXPECT_GT(error.size(), std::strlen("cannot create the window: ")) << "with Windows' reason";
}

TEST_F(Win32WindowSystem, DestroyingTheHostWindowFirstDeliversDestroyOnceAndFreesEverything)
{
    m_system.destroyWindow(m_window);
    const HWND otherHost = Desktop::createHostWindow(HOST_X, HOST_Y + 320, 300, 200, false);
    CRecordingTarget target;
    const NativeWindowHandle window = createChild(target, CHILD_X, CHILD_Y, otherHost);
    m_system.startTimer(window, 3, 50);
    m_system.invalidate(window, nullptr);
    DestroyWindow(otherHost);
    EXPECT_EQ(target.count(WM_DESTROY), 1u);
    m_system.destroyWindow(window);
    m_system.pump();
    EXPECT_EQ(target.count(WM_DESTROY), 1u);
    EXPECT_EQ(GUI::Basics::CWin32ResourceLedger::count(GUI::Basics::CWin32ResourceLedger::e_hook), 0)
        << "the hook goes with the last window";
}

TEST_F(Win32WindowSystem, TwoHundredCreateDestroyCyclesLeaveNothingBehind)
{
    const Desktop::TCounts before = Desktop::countResources();
    createAndDestroyChildren(200);
    EXPECT_EQ(Desktop::changedResources(before), "");
}
} // namespace
} // namespace Orvalite::Testing
