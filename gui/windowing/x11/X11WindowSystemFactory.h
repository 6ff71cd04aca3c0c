// Makes the X11 window system for the program or module that composes the
// toolkit, without bringing Xlib's names into its code.
#pragma once

#include "gui/windowing/INativeWindowSystem.h"

#include <memory>

namespace Orvalite::GUI::Windowing
{
// Opens nothing: the X connection waits for the first window.
std::unique_ptr<INativeWindowSystem> makeX11WindowSystem();
} // namespace Orvalite::GUI::Windowing
