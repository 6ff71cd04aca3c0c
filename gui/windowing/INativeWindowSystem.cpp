#include "gui/windowing/INativeWindowSystem.h"

namespace Orvalite::GUI::Windowing
{
namespace
{
INativeWindowSystem *s_currentSystem = nullptr;
} // namespace

INativeWindowSystem *INativeWindowSystem::current()
{
    return s_currentSystem;
}

void INativeWindowSystem::install(INativeWindowSystem *system)
{
    s_currentSystem = system;
}
} // namespace Orvalite::GUI::Windowing
