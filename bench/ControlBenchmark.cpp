// The control root on the headless window system: mouse moves dispatched per
// second through a root of 40 controls, a full repaint of those 40 controls,
// and one step of a knob drag with the repaint of the knob and its label
// (aim: at most 0.3 ms).
#include "foundation/basics/CApplicationInformation.h"
#include "gui/controls/base/CControlRoot.h"
#include "gui/controls/buttons/CLatchingButton.h"
#include "gui/controls/sliders/CKnob.h"
#include "gui/controls/text/CTextLabel.h"
#include "gui/fonts/CFont.h"
#include "gui/windowing/CWindow.h"
#include "gui/windowing/WindowMessage.h"
#include "gui/windowing/headless/CHeadlessWindowSystem.h"

#include <benchmark/benchmark.h>

using namespace Orvalite::GUI::Controls;
using namespace Orvalite::GUI::Windowing;
using Orvalite::MathTools::CRect;

namespace
{
intptr_t packed(long x, long y)
{
    return static_cast<intptr_t>((x & 0xFFFF) | (y & 0xFFFF) << 16);
}

// A 400 × 466 window holding 40 controls in a grid of 8 × 5 cells of 50 × 90:
// a knob over a label in each, with every fourth knob a latching button.
struct SControlWindow
{
    SControlWindow()
    {
        INativeWindowSystem::install(&system);
        Orvalite::GUI::Fonts::CFont::createDefaultFont();
        window.intialiseWindow(window.getWindowAttributes(), true);
        CControlRoot &root = window.getControlRoot();
        for (long index = 0; index < 20; ++index)
        {
            const long left = (index % 8) * 50, top = (index / 8) * 90;
            IControl *control =
                index % 4 == 3 ? static_cast<IControl *>(new CLatchingButton(&root, index, CRect(left, top, 50, 50)))
                               : new CKnob(&root, index, CRect(left, top, 50, 50));
            root.addControl(control);
            root.addControl(new CTextLabel(&root, 100 + index, CRect(left, top + 55, 50, 20), "Depth"));
        }
        handle = window.getWindowHandle();
        system.pump();
    }
    ~SControlWindow()
    {
        window.uninitialiseWindow();
        Orvalite::GUI::Fonts::CFont::releaseDefaultFont();
        INativeWindowSystem::install(nullptr);
        Orvalite::Basics::CApplicationInformation::releaseApplicationInformation();
    }

    CHeadlessWindowSystem system;
    CWindow window{CRect(0, 0, 400, 466)};
    Orvalite::GUI::Basics::NativeWindowHandle handle = 0;
};

void moveDispatchThroughFortyControls(benchmark::State &state)
{
    SControlWindow open;
    long x = 0;
    for (auto _ : state)
    {
        x = (x + 7) % 400;
        benchmark::DoNotOptimize(open.system.send(open.handle, e_mouseMove, 0, packed(x, 200)));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(moveDispatchThroughFortyControls);

void fullRepaintOfFortyControls(benchmark::State &state)
{
    SControlWindow open;
    for (auto _ : state)
    {
        open.window.redrawWindow();
        open.system.pump();
    }
}
BENCHMARK(fullRepaintOfFortyControls)->Unit(benchmark::kMillisecond);

void knobDragStepWithRepaint(benchmark::State &state)
{
    SControlWindow open;
    open.system.send(open.handle, e_leftButtonDown, 0, packed(25, 25));
    long y = 25;
    for (auto _ : state)
    {
        y = y > -150 ? y - 1 : 25;
        open.system.send(open.handle, e_mouseMove, e_leftButtonHeld, packed(25, y));
        open.window.getControlRoot().updateControl(1, true);
        open.system.pump();
    }
}
BENCHMARK(knobDragStepWithRepaint)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();
