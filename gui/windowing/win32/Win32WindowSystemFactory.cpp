#include "gui/windowing/win32/Win32WindowSystemFactory.h"

#include "gui/windowing/win32/CWin32WindowSystem.h"

namespace Orvalite::GUI::Windowing
{
std::unique_ptr<INativeWindowSystem> makeWin32WindowSystem()
{
    return std::make_unique<CWin32WindowSystem>();
}
} // namespace Orvalite::GUI::Windowing
