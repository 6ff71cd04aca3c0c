// The window's message table on the headless window system: mouse and key
// messages dispatched per second, against the same listener calls made
// directly (the baseline: what the table adds is the difference), and one
// paint of a damaged 40 × 40 area of an editor-sized window.
#include "foundation/mathtools/CRect.h"
#include "gui/events/CKeyboardEvent.h"
#include "gui/events/CMouseEvent.h"
#include "gui/listeners/IKeyboardListener.h"
#include "gui/listeners/IMouseListener.h"
#include "gui/windowing/CWindow.h"
#include "gui/windowing/WindowMessage.h"
#include "gui/windowing/headless/CHeadlessWindowSystem.h"

#include <benchmark/benchmark.h>

using namespace Orvalite::GUI::Windowing;
using Orvalite::GUI::Events::CKeyboardEvent;
using Orvalite::GUI::Events::CMouseEvent;
using Orvalite::MathTools::CRect;

namespace
{
// Counts what it hears, so that no call can be optimised away.
class CCountingListener : public Orvalite::GUI::Listeners::IMouseListener,
                          public Orvalite::GUI::Listeners::IKeyboardListener
{
public:
    void referenced() override {}
    void dereference() override {}
    long getReferenceCount() const override { return 0; }
    void getObjectDescription(char *, long) const override {}
    Orvalite::Basics::CClass &getClass() const override { return Orvalite::Basics::CCountedObject::getClassRecord(); }
    void handleLeftButtonDown(const CMouseEvent &event) override { count(event); }
    void handleLeftButtonUp(const CMouseEvent &event) override { count(event); }
    void handleRightButtonDown(const CMouseEvent &event) override { count(event); }
    void handleRightButtonUp(const CMouseEvent &event) override { count(event); }
    void handleDoubleClick(const CMouseEvent &event) override { count(event); }
    void handleMouseScroll(const CMouseEvent &event) override { count(event); }
    void handleMouseMovement(const CMouseEvent &event) override { count(event); }
    void handleMouseLeavingArea(const CMouseEvent &event) override { count(event); }
    bool handleKeyDown(const CKeyboardEvent &event) override { return (m_sum += event.getKeyCode()) != 0; }
    bool handleKeyUp(const CKeyboardEvent &event) override { return (m_sum += event.getKeyCode()) != 0; }

    long m_sum = 0;

private:
    void count(const CMouseEvent &event) { m_sum += event.getMousePosition().getXPosition(); }
};

// An editor-sized window on an installed headless system, heard by a counting listener.
struct SOpenWindow
{
    SOpenWindow()
    {
        INativeWindowSystem::install(&system);
        window.registerMouseListener(&listener);
        window.registerKeyboardListener(&listener);
        window.intialiseWindow(window.getWindowAttributes(), true);
        system.pump();
    }
    ~SOpenWindow()
    {
        window.uninitialiseWindow();
        INativeWindowSystem::install(nullptr);
    }

    CHeadlessWindowSystem system;
    CCountingListener listener;
    CWindow window{CRect(0, 0, 400, 466)};
};

intptr_t packed(long x, long y)
{
    return static_cast<intptr_t>((x & 0xFFFF) | (y & 0xFFFF) << 16);
}

// A drag: down, sixteen moves, up, then a key press and release.
void BM_MessagesThroughTheTable(benchmark::State &state)
{
    SOpenWindow open;
    const auto handle = open.window.getWindowHandle();
    for (auto _ : state)
    {
        open.window.handleWindowEvents(handle, e_leftButtonDown, e_leftButtonHeld, packed(10, 10));
        for (long step = 0; step < 16; ++step)
        {
            open.window.handleWindowEvents(handle, e_mouseMove, e_leftButtonHeld, packed(10 + step, 10 - step));
        }
        open.window.handleWindowEvents(handle, e_leftButtonUp, 0, packed(26, -6));
        open.window.handleWindowEvents(handle, e_keyDown, 16, 0);
        open.window.handleWindowEvents(handle, e_keyUp, 16, 0);
    }
    benchmark::DoNotOptimize(open.listener.m_sum);
    state.SetItemsProcessed(state.iterations() * 20);
}
BENCHMARK(BM_MessagesThroughTheTable);

// The baseline: the same twenty listener calls with events filled by hand.
void BM_SameCallsWithoutTheTable(benchmark::State &state)
{
    CCountingListener listener;
    CMouse mouse;
    CMouseEvent mouseEvent(&mouse);
    CKeyboardEvent keyEvent;
    for (auto _ : state)
    {
        mouse.setPosition(packed(10, 10));
        listener.handleLeftButtonDown(mouseEvent);
        for (long step = 0; step < 16; ++step)
        {
            mouse.setPosition(packed(10 + step, 10 - step));
            listener.handleMouseMovement(mouseEvent);
        }
        mouse.setPosition(packed(26, -6));
        listener.handleLeftButtonUp(mouseEvent);
        keyEvent.setKeyCode(CKeyboardEvent::keyCodeOf(16));
        listener.handleKeyDown(keyEvent);
        listener.handleKeyUp(keyEvent);
    }
    benchmark::DoNotOptimize(listener.m_sum);
    state.SetItemsProcessed(state.iterations() * 20);
}
BENCHMARK(BM_SameCallsWithoutTheTable);

// One pump with a 40 × 40 area damaged: the paint message, a back buffer of the
// whole window cleared to the background, and the blit of the area.
void BM_PaintDamagedArea(benchmark::State &state)
{
    SOpenWindow open;
    for (auto _ : state)
    {
        open.window.redrawWindow(CRect(100, 100, 40, 40));
        open.system.pump();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PaintDamagedArea);

// One pump with nothing to do.
void BM_IdlePump(benchmark::State &state)
{
    SOpenWindow open;
    for (auto _ : state)
    {
        open.system.pump();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IdlePump);
} // namespace

BENCHMARK_MAIN();
