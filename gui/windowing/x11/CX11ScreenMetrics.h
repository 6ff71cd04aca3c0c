// Supplies the display report's monitor count and primary screen size from
// the X server. The values are read on the pumping thread when the connection
// opens and kept, so the provider (asked from any thread) never calls Xlib.
// Also reads the resolution the desktop asks applications to scale for.
#pragma once

#include "foundation/host/CDisplayMetrics.h"

#include <X11/Xlib.h>

namespace Orvalite::GUI::Windowing
{
class CX11ScreenMetrics
{
public:
    // Reads XRandR's primary monitor (else the first, else the screen's size)
    // and installs the provider that reports it.
    static void update(Display *display);
    static Host::SDisplayMetrics read(Display *display);
    // The X resource Xft.dpi, which desktops set for scaling; 0 without it.
    static long readDotsPerInch(Display *display);

private:
    static Host::SDisplayMetrics provide();
};
} // namespace Orvalite::GUI::Windowing
