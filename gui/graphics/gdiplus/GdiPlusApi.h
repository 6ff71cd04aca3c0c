// The one place the toolkit includes the GDI+ headers: the flat API, with the
// Windows headers it needs before it.
#pragma once

#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

namespace Orvalite::GUI::Graphics
{
namespace Gdip = Gdiplus::DllExports;
} // namespace Orvalite::GUI::Graphics
