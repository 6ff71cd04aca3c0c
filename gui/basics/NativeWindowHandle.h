// The platform's window identifier as the toolkit passes it around: an X11
// Window id on Linux, an HWND on Windows; 0 means no window.
#pragma once

#include <cstdint>

namespace Orvalite::GUI::Basics
{
using NativeWindowHandle = std::uintptr_t;
} // namespace Orvalite::GUI::Basics
