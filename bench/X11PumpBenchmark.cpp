// The X11 window system's pump as a host's idle calls drive it (about 25 times
// a second per open editor): one call with nothing to do, and one with a
// 40 × 40 area of an editor-sized window damaged (the paint message through
// CWindow's table, then XPutImage of that box). Needs an X server: without
// one it says so and runs nothing.
#include "foundation/basics/CApplicationInformation.h"
#include "foundation/basics/CException.h"
#include "foundation/mathtools/CRect.h"
#include "gui/windowing/CWindow.h"
#include "gui/windowing/x11/X11WindowSystemFactory.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

using namespace Orvalite::GUI::Windowing;
using Orvalite::MathTools::CRect;

namespace
{
void pumpIdle(benchmark::State &state, INativeWindowSystem *system)
{
    for (auto _ : state)
    {
        system->pump();
    }
}

void pumpDamagedArea(benchmark::State &state, INativeWindowSystem *system, CWindow *window)
{
    for (auto _ : state)
    {
        window->redrawWindow(CRect(100, 100, 40, 40));
        system->pump();
    }
}
} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    const std::unique_ptr<INativeWindowSystem> system = makeX11WindowSystem();
    INativeWindowSystem::install(system.get());
    Orvalite::Basics::CApplicationInformation::setProductName("Zelo");
    {
        CWindow window(CRect(0, 0, 400, 466));
        try
        {
            window.intialiseWindow(window.getWindowAttributes(), true);
        }
        catch (const Orvalite::Exceptions::CException &exception)
        {
            std::printf("Skipped: no X11 window (%s)\n", exception.getErrorReason().getString());
        }
        if (window.getWindowHandle() != 0)
        {
            // Let the first exposure and focus events go before measuring.
            for (int i = 0; i < 50; ++i)
            {
                system->pump();
            }
            benchmark::RegisterBenchmark("BM_X11PumpIdle", pumpIdle, system.get());
            benchmark::RegisterBenchmark("BM_X11PumpDamagedArea", pumpDamagedArea, system.get(), &window);
            benchmark::RunSpecifiedBenchmarks();
            window.uninitialiseWindow();
        }
    }
    INativeWindowSystem::install(nullptr);
    Orvalite::Basics::CApplicationInformation::releaseApplicationInformation();
    benchmark::Shutdown();
    return 0;
}
