// What the window system keeps for one of our native windows: the X window,
// the target its messages go to, its screen surface and input context, its
// last known geometry and whether it takes input. Owned by CX11WindowSystem.
#pragma once

#include "gui/windowing/INativeWindowSystem.h"
#include "gui/windowing/x11/CX11Surface.h"

#include <X11/Xlib.h>

namespace Orvalite::GUI::Windowing
{
struct SX11Window
{
    Window window = None;
    INativeMessageTarget *target = nullptr;
    CX11Surface surface;
    // Where its key presses become text; null without an input method.
    XIC inputContext = nullptr;
    // Opaque premultiplied ARGB the surface starts as.
    uint32_t background = 0;
    // Position relative to the parent and size, as last configured.
    long x = 0;
    long y = 0;
    long width = 0;
    long height = 0;
    bool visible = false;
    bool enabled = true;
    bool acceptsFiles = false;
    // Override-redirect: placed by us, never focused by the window manager.
    bool popUp = false;
};
} // namespace Orvalite::GUI::Windowing
