// Zelo's editor bound to a real effect: the host's effEditOpen to the first
// painted frame (aim: 30 ms at 100 %, 40 ms at 200 %), a full panel frame (2 ms,
// 4 ms), one knob-drag step with its repaint (0.3 ms, 0.5 ms), an idle call with
// nothing to do (20 µs), and the heap the editor takes (4 MB, 12 MB). Each runs
// on the headless window system, and the first three also in the platform's
// real windows (X11 on the server in DISPLAY, Win32 under Windows or Wine), so
// the two compare in one process; "scale" is the editor's size in per cent.
#include "editor/CVeltrixEditor.h"
#include "effect/CVeltrix.h"
#include "effect/VeltrixParameterTable.h"
#include "foundation/basics/CApplicationInformation.h"
#include "gui/fonts/CFont.h"
#include "gui/windowing/WindowMessage.h"
#include "gui/windowing/headless/CHeadlessWindowSystem.h"
#ifdef _WIN32
#include "gui/windowing/win32/Win32WindowSystemFactory.h"
#else
#include "gui/windowing/x11/X11WindowSystemFactory.h"

#include <malloc.h>
#endif

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

using namespace Orvalite::GUI::Windowing;
using Orvalite::Veltrix::CVeltrix;
using Orvalite::Veltrix::CVeltrixEditor;

namespace
{
VstIntPtr host(AEffect *, VstInt32 opcode, VstInt32, VstIntPtr, void *, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

intptr_t packed(long x, long y)
{
    return static_cast<intptr_t>((x & 0xFFFF) | (y & 0xFFFF) << 16);
}

std::unique_ptr<INativeWindowSystem> makeNativeSystem()
{
#ifdef _WIN32
    return makeWin32WindowSystem();
#else
    return std::getenv("DISPLAY") ? makeX11WindowSystem() : nullptr;
#endif
}

// The size the editors made next start at, as ZELO_EDITOR_SCALE sets it (the
// user's settings file then plays no part).
void useScale(long percent)
{
    const char *factor = percent == 200 ? "2" : percent == 150 ? "1.5" : "1";
#ifdef _WIN32
    _putenv_s("ZELO_EDITOR_SCALE", factor);
#else
    setenv("ZELO_EDITOR_SCALE", factor, 1);
#endif
}

// The effect with its editor, the skin the build drew, and a host window, on
// the headless window system or (native) the platform's own.
struct SEditorSession
{
    explicit SEditorSession(bool native = false, long percent = 100)
        : nativeSystem(native ? makeNativeSystem() : nullptr),
          system(nativeSystem ? *nativeSystem : static_cast<INativeWindowSystem &>(headless))
    {
        useScale(percent);
        INativeWindowSystem::install(&system);
        Orvalite::GUI::Fonts::CFont::createDefaultFont();
        Orvalite::Basics::CApplicationInformation::getApplicationPath().setString(ZELO_MODULE_DIR);
        hostWindow.intialiseWindow(hostWindow.getWindowAttributes(), true);
        effect = new CVeltrix(host, [](CVeltrix *owner) { CVeltrixEditor::createFor(owner); });
        editor = static_cast<CVeltrixEditor *>(effect->getEditor());
    }
    ~SEditorSession()
    {
        dispatch(effClose);
        hostWindow.uninitialiseWindow();
        Orvalite::GUI::Fonts::CFont::releaseDefaultFont();
        INativeWindowSystem::install(nullptr);
        Orvalite::Basics::CApplicationInformation::releaseApplicationInformation();
    }
    VstIntPtr dispatch(VstInt32 opcode, void *ptr = nullptr)
    {
        return effect->getAeffect()->dispatcher(effect->getAeffect(), opcode, 0, 0, ptr, 0.0f);
    }
    void open()
    {
        dispatch(effEditOpen, reinterpret_cast<void *>(hostWindow.getWindowHandle()));
        system.pump();
    }

    // A message at a point of the editor's window, as the platform would deliver it.
    void send(uint32_t message, uintptr_t wParam, long x, long y)
    {
        editor->handleNativeMessage(editor->getWindowHandle(), message, wParam, packed(x, y));
    }

    CHeadlessWindowSystem headless;
    std::unique_ptr<INativeWindowSystem> nativeSystem;
    INativeWindowSystem &system;
    CWindow hostWindow{Orvalite::MathTools::CRect(0, 0, 640, 480)};
    CVeltrix *effect = nullptr;
    CVeltrixEditor *editor = nullptr;
};

// range(0): 1 for the platform's real windows, 0 for the headless system.
// Headless and native windows, each at 100 % and 200 %.
const std::vector<std::vector<int64_t>> SIZES = {{0, 1}, {100, 200}};

bool isNative(benchmark::State &state)
{
    if (state.range(0) == 0)
    {
        return false;
    }
    if (!makeNativeSystem())
    {
        state.SkipWithError("no display for real windows");
    }
    return true;
}

void openToFirstFrame(benchmark::State &state)
{
    SEditorSession session(isNative(state), state.range(1));
    for (auto _ : state)
    {
        session.open();
        state.PauseTiming();
        session.dispatch(effEditClose);
        state.ResumeTiming();
    }
}
BENCHMARK(openToFirstFrame)->Unit(benchmark::kMillisecond)->ArgNames({"native", "scale"})->ArgsProduct(SIZES);

void fullPanelFrame(benchmark::State &state)
{
    SEditorSession session(isNative(state), state.range(1));
    session.open();
    for (auto _ : state)
    {
        session.editor->redrawWindow();
        session.system.pump();
    }
}
BENCHMARK(fullPanelFrame)->Unit(benchmark::kMillisecond)->ArgNames({"native", "scale"})->ArgsProduct(SIZES);

// The Delay One knob moved by one pixel per step, alternately up and down.
void knobDragStep(benchmark::State &state)
{
    SEditorSession session(isNative(state), state.range(1));
    session.open();
    const Orvalite::MathTools::CRect &area =
        session.editor->getControl(Orvalite::Veltrix::PARAMETER_DELAY_ONE)->getArea();
    const long x = area.getLeft() + area.getWidth() / 2;
    const long y = area.getTop() + area.getHeight() / 2;
    session.send(e_leftButtonDown, 0, x, y);
    long step = 0;
    for (auto _ : state)
    {
        session.send(e_mouseMove, 0x1, x, y - (++step & 1));
        session.system.pump();
    }
    session.send(e_leftButtonUp, 0, x, y);
}
BENCHMARK(knobDragStep)->Unit(benchmark::kMicrosecond)->ArgNames({"native", "scale"})->ArgsProduct(SIZES);

void idleWithNothingToDo(benchmark::State &state)
{
    SEditorSession session;
    session.open();
    for (auto _ : state)
    {
        session.dispatch(effEditIdle);
    }
}
BENCHMARK(idleWithNothingToDo)->Unit(benchmark::kMicrosecond);

#ifndef _WIN32
size_t heapInUse()
{
    return mallinfo2().uordblks;
}

// The heap an editor holds: made (images decoded, controls built), then open
// (with its back buffer and the screen surface of the headless window).
void editorHeap(benchmark::State &state)
{
    SEditorSession session(false, state.range(0));
    const VstIntPtr hostWindow = static_cast<VstIntPtr>(session.hostWindow.getWindowHandle());
    for (auto _ : state)
    {
        const size_t before = heapInUse();
        CVeltrix *effect = new CVeltrix(host);
        const size_t effectAlone = heapInUse() - before;
        CVeltrixEditor::createFor(effect);
        state.counters["madeBytes"] = static_cast<double>(heapInUse() - before - effectAlone);
        effect->getAeffect()->dispatcher(effect->getAeffect(), effEditOpen, 0, 0, reinterpret_cast<void *>(hostWindow),
                                         0.0f);
        session.system.pump();
        state.counters["openBytes"] = static_cast<double>(heapInUse() - before - effectAlone);
        effect->getAeffect()->dispatcher(effect->getAeffect(), effClose, 0, 0, nullptr, 0.0f);
    }
}
BENCHMARK(editorHeap)->Unit(benchmark::kMillisecond)->Iterations(3)->ArgName("scale")->Arg(100)->Arg(200);
#endif
} // namespace

BENCHMARK_MAIN();
