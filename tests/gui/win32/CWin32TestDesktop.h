// The tests' side of a real Win32 desktop (Wine on Xvfb): input faked with
// SendInput, a pump that waits for a condition, the window's pixels read back,
// the resource ledger's counts and a first-chance handler that fails the test
// on a fault, which Wine would otherwise swallow inside a window procedure.
#pragma once

#include "gui/basics/win32/CWin32ResourceLedger.h"
#include "gui/windowing/INativeWindowSystem.h"
#include "tests/gui/windowing/CRecordingTarget.h"

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace Orvalite::Testing
{
class CWin32TestDesktop
{
public:
    using TCounts = std::array<long, GUI::Basics::CWin32ResourceLedger::NUMBER_OF_KINDS>;

    // The ledger's counts now, and the kinds whose count differs from `before`, named.
    static TCounts countResources();
    static std::string changedResources(const TCounts &before);

    // Pumps the system (and every other window of the thread) until `done` holds; false after two seconds.
    static bool pumpUntil(GUI::Windowing::INativeWindowSystem &system, const std::function<bool()> &done);
    // Pumps for a while, for effects that nothing signals.
    static void settle(GUI::Windowing::INativeWindowSystem &system);

    // SendInput at a point on the screen.
    static void moveTo(int x, int y);
    static void button(bool left, bool press);
    static void click(bool left = true);
    static void wheel(int delta);
    static void key(WORD virtualKey, bool press);
    static void tap(WORD virtualKey);
    static void typeUnit(wchar_t unit);

    // The client area's pixels as Windows shows them, 0xRRGGBB row by row.
    static std::vector<uint32_t> screenshot(HWND window);
    // A plain top-level window of the test's own, standing for a host's window;
    // activated, it takes Wine two seconds to destroy without a window manager.
    static HWND createHostWindow(int x, int y, int width, int height, bool activate);
    // The program's one activated host window, 400 × 300 at (100, 100).
    static HWND host();
};
} // namespace Orvalite::Testing
