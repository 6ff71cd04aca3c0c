// The Win32 window system in real windows (Wine on Xvfb): our child window in a
// host window the test owns, driven with SendInput and posted messages, its
// pixels read back from the screen; every test ends with the resource ledger
// where it started and no fault seen.
#include "gui/windowing/win32/CWin32WindowSystem.h"
#include "gui/graphics/CDeviceContext.h"
#include "tests/gui/win32/CWin32TestDesktop.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <thread>

namespace Orvalite::Testing
{
namespace
{
using namespace GUI::Windowing;
using GUI::Basics::NativeWindowHandle;
using GUI::Graphics::SPixelBox;
using Desktop = CWin32TestDesktop;

constexpr int HOST_X = 100;
constexpr int HOST_Y = 100;
constexpr int CHILD_X = 10;
constexpr int CHILD_Y = 20;
constexpr int WIDTH = 200;
constexpr int HEIGHT = 100;
constexpr char CLASS_NAME[] = "org.zelo.test.Window";

class Win32WindowSystem : public testing::Test
{
protected:
    void SetUp() override
    {
        m_before = Desktop::countResources();
        m_window = createChild(m_target, CHILD_X, CHILD_Y);
        ASSERT_NE(m_window, 0u);
        Desktop::settle(m_system);
        m_target.messages.clear();
    }
    void TearDown() override
    {
        m_system.destroyWindow(m_window);
        EXPECT_EQ(Desktop::changedResources(m_before), "") << "the ledger returns to where it started";
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
    HWND hwnd() const { return reinterpret_cast<HWND>(m_window); }
    bool pumpUntilCount(uint32_t message, size_t count)
    {
        return Desktop::pumpUntil(m_system, [&] { return m_target.count(message) >= count; });
    }
    // Paints every paint message with `paint`, which gets the surface's context and the update box.
    void paintWith(const std::function<void(GUI::Graphics::CDeviceContext &, const SPixelBox &)> &paint)
    {
        m_target.onMessage = [this, paint](const SRecordedMessage &message) {
            if (message.message == WM_PAINT)
            {
                SPixelBox box;
                GUI::Graphics::CDeviceContext *context = m_system.beginPaint(m_window, box);
                m_boxes.push_back(box);
                paint(*context, box);
                m_system.endPaint(m_window);
            }
        };
    }
    // Key and character messages of a press and release of `press` (after focusing the window).
    void typeAndRecord(const std::function<void()> &press)
    {
        m_target.messages.clear();
        press();
        ASSERT_TRUE(pumpUntilCount(WM_KEYUP, 1));
        Desktop::settle(m_system);
    }

    Desktop::TCounts m_before{};
    const HWND m_host = Desktop::host();
    CRecordingTarget m_target;
    CWin32WindowSystem m_system;
    NativeWindowHandle m_window = 0;
    std::vector<SPixelBox> m_boxes;
};

TEST_F(Win32WindowSystem, PaintPutsTheDrawnBackBufferOnTheScreen)
{
    std::vector<uint32_t> drawn;
    paintWith([&](GUI::Graphics::CDeviceContext &context, const SPixelBox &) {
        GUI::Graphics::CBitmap &surface = *context.getBitmap();
        drawn.clear();
        for (long y = 0; y < surface.getHeight(); ++y)
        {
            for (long x = 0; x < surface.getWidth(); ++x)
            {
                surface.setPixel(x, y, GUI::Graphics::CBitmap::pack(x, y * 2, (x ^ y) & 0xFF, 255));
                drawn.push_back(surface.getPixel(x, y) & 0xFFFFFF);
            }
        }
    });
    m_system.invalidate(m_window, nullptr);
    ASSERT_TRUE(pumpUntilCount(WM_PAINT, 1));
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].right, WIDTH);
    EXPECT_EQ(m_boxes[0].bottom, HEIGHT);
    EXPECT_EQ(Desktop::screenshot(hwnd()), drawn);
}

TEST_F(Win32WindowSystem, OnlyTheDamagedPartOfTheBackBufferReachesTheScreen)
{
    const struct
    {
        SPixelBox damage;
        SPixelBox expected;
    } cases[] = {
        {{10, 10, 50, 40}, {10, 10, 50, 40}},
        {{-20, -20, 30, 30}, {0, 0, 30, 30}},
        {{190, 90, 400, 400}, {190, 90, 200, 100}},
        {{300, 300, 400, 400}, {}},
    };
    for (const auto &test : cases)
    {
        uint32_t colour = 0x000000;
        paintWith([&](GUI::Graphics::CDeviceContext &context, const SPixelBox &) {
            context.getBitmap()->fill(0xFF000000 | colour);
        });
        m_system.invalidate(m_window, nullptr);
        m_system.updateWindow(m_window);
        m_boxes.clear();

        colour = 0xFFFFFF;
        m_system.invalidate(m_window, &test.damage);
        m_system.updateWindow(m_window);
        const std::vector<uint32_t> pixels = Desktop::screenshot(hwnd());
        const long white = std::count(pixels.begin(), pixels.end(), 0xFFFFFFu);
        const SPixelBox &box = test.expected;
        EXPECT_EQ(white, box.isEmpty() ? 0 : (box.right - box.left) * (box.bottom - box.top)) << box.left;
        ASSERT_EQ(m_boxes.size(), box.isEmpty() ? 0u : 1u) << box.left;
        if (!box.isEmpty())
        {
            EXPECT_EQ(m_boxes[0].left, box.left);
            EXPECT_EQ(m_boxes[0].bottom, box.bottom);
        }
    }
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
    SetFocus(hwnd());
    Desktop::settle(m_system);
    std::vector<std::pair<uintptr_t, bool>> shiftAtKey;
    m_target.onMessage = [&](const SRecordedMessage &message) {
        if (message.message == WM_KEYDOWN || message.message == WM_KEYUP)
        {
            shiftAtKey.emplace_back(message.wParam, m_system.getModifierState().shift);
        }
    };
    typeAndRecord([] {
        Desktop::key(VK_SHIFT, true);
        Desktop::tap('A');
        Desktop::key(VK_SHIFT, false);
    });
    EXPECT_EQ(shiftAtKey, (std::vector<std::pair<uintptr_t, bool>>{{16, true}, {'A', true}, {'A', true}, {16, false}}));
    EXPECT_EQ(m_target.last(WM_KEYDOWN).lParam, 'A') << "the character is shifted too";
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
    paintWith([](GUI::Graphics::CDeviceContext &, const SPixelBox &) {});
    m_system.setWindowArea(m_window, MathTools::CRect(15, 25, 150, 80));
    ASSERT_GE(m_target.messages.size(), 2u);
    EXPECT_EQ(m_target.last(WM_MOVE).lParam, (25 << 16) | 15);
    EXPECT_EQ(m_target.last(WM_SIZE).lParam, (80 << 16) | 150);
    EXPECT_EQ(m_system.getScreenArea(m_window), MathTools::CRect(HOST_X + 15, HOST_Y + 25, 150, 80));
    ASSERT_TRUE(pumpUntilCount(WM_PAINT, 1));
    EXPECT_EQ(m_boxes[0].right, 150);
    EXPECT_EQ(m_boxes[0].bottom, 80);
}

TEST_F(Win32WindowSystem, TimersRunUntilStoppedAndAreCounted)
{
    using GUI::Basics::CWin32ResourceLedger;
    EXPECT_FALSE(m_system.startTimer(m_window + 1, 7, 10));
    ASSERT_TRUE(m_system.startTimer(m_window, 7, 10));
    ASSERT_TRUE(m_system.startTimer(m_window, 7, 10)) << "restarting";
    EXPECT_EQ(CWin32ResourceLedger::count(CWin32ResourceLedger::e_timer), 1);
    ASSERT_TRUE(Desktop::pumpUntil(m_system, [&] { return m_target.timers.size() >= 2; }));
    EXPECT_EQ(m_target.timers[0], 7);
    m_system.stopTimer(m_window, 7);
    m_target.timers.clear();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    Desktop::settle(m_system);
    EXPECT_TRUE(m_target.timers.empty());
    // A window destroyed with its timer running frees it.
    m_system.startTimer(m_window, 8, 10);
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
    SNativeWindowSpec spec;
    spec.className = "org.zelo.test.Unregistered";
    spec.area = MathTools::CRect(0, 0, 10, 10);
    std::string error;
    EXPECT_EQ(m_system.createWindow(spec, &m_target, error), 0u);
    EXPECT_NE(error.find("not registered"), std::string::npos) << error;
    spec.className = CLASS_NAME;
    spec.style = WS_CHILD;
    spec.parent = 0x1FFFFF;
    error.clear();
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
    for (int cycle = 0; cycle < 200; ++cycle)
    {
        const NativeWindowHandle window = createChild(m_target, 0, 0);
        ASSERT_NE(window, 0u) << cycle;
        m_system.invalidate(window, nullptr);
        m_system.startTimer(window, 1, 10);
        m_system.pump();
        m_system.destroyWindow(window);
    }
    EXPECT_EQ(Desktop::changedResources(before), "");
}
} // namespace
} // namespace Orvalite::Testing
