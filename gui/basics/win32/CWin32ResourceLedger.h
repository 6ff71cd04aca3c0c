// Counts the Windows objects the toolkit holds, by kind: every window, device
// context, bitmap, pen, brush, font, region, timer and hook our Win32 and GDI+
// code creates is entered here when made and when freed. Windows' own counters
// (GetGuiResources, GetProcessHandleCount) answer 0 under Wine, so tests check
// that an editor's open/close rounds bring these counts back to where they were.
// All counting happens on the user-interface thread, like the calls it counts.
#pragma once

namespace Orvalite::GUI::Basics
{
class CWin32ResourceLedger
{
public:
    enum EKind
    {
        e_window,
        e_deviceContext,
        e_bitmap,
        e_pen,
        e_brush,
        e_font,
        e_region,
        e_timer,
        e_hook,
        e_gdiPlusObject,
        NUMBER_OF_KINDS
    };

    CWin32ResourceLedger() = delete;

    static void created(EKind kind);
    static void released(EKind kind);
    // Objects of the kind alive now.
    static long count(EKind kind);
    // Objects of every kind alive now.
    static long total();
    // The kind's name, for test messages ("window", "device context", …).
    static const char *nameOf(EKind kind);
};
} // namespace Orvalite::GUI::Basics
