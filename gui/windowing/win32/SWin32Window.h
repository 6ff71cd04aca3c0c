// What the window system keeps for one of our native windows: the HWND, the
// target its messages go to, its back buffer, its running timers, its cursor
// and the state of the paint message being handled. Owned by
// CWin32WindowSystem; the HWND's user data points here.
#pragma once

#include "gui/windowing/INativeWindowSystem.h"
#include "gui/windowing/win32/CWin32Surface.h"

#include <windows.h>

#include <set>

namespace Orvalite::GUI::Windowing
{
class CWin32WindowSystem;

struct SWin32Window
{
    enum EPaintState
    {
        e_notPainting,
        // Inside the paint message, before beginPaint.
        e_paintAwaited,
        // Between BeginPaint and EndPaint.
        e_painting,
    };

    CWin32WindowSystem *system = nullptr;
    HWND window = nullptr;
    INativeMessageTarget *target = nullptr;
    CWin32Surface surface;
    // Opaque premultiplied ARGB the surface starts as.
    uint32_t background = 0;
    std::set<long> timers;
    // The cursor kind shown over the client area (0 … 7, as the seam numbers them).
    int cursor = 0;
    // A pop-up takes the keys while it holds the capture (it is never activated).
    bool popUp = false;
    // Messages reach the target once CreateWindowExW has returned, as on X11.
    bool created = false;
    EPaintState paintState = e_notPainting;
    PAINTSTRUCT paint{};
};
} // namespace Orvalite::GUI::Windowing
