#include "gui/windowing/x11/X11WindowSystemFactory.h"

#include "gui/windowing/x11/CX11WindowSystem.h"

namespace Orvalite::GUI::Windowing
{
std::unique_ptr<INativeWindowSystem> makeX11WindowSystem()
{
    return std::make_unique<CX11WindowSystem>();
}
} // namespace Orvalite::GUI::Windowing
