// Makes the Win32 window system for the program or module that composes the
// toolkit, without bringing windows.h into its code.
#pragma once

#include "gui/windowing/INativeWindowSystem.h"

#include <memory>

namespace Orvalite::GUI::Windowing
{
// Creates no window: the window classes are registered with the first window of each.
std::unique_ptr<INativeWindowSystem> makeWin32WindowSystem();
} // namespace Orvalite::GUI::Windowing
