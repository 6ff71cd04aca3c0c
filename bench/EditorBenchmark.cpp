// Zelo's editor on the headless window system, bound to a real effect: the
// host's effEditOpen to the first painted frame (aim: 30 ms), a full panel
// frame (2 ms), one knob-drag step with its repaint (0.3 ms), an idle call with
// nothing to do (20 µs), and the heap the editor takes (4 MB).
#include "editor/CVeltrixEditor.h"
#include "effect/CVeltrix.h"
#include "effect/VeltrixParameterTable.h"
#include "foundation/basics/CApplicationInformation.h"
#include "gui/fonts/CFont.h"
#include "gui/windowing/WindowMessage.h"
#include "gui/windowing/headless/CHeadlessWindowSystem.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

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

size_t heapInUse()
{
    return mallinfo2().uordblks;
}

// The effect with its editor, the skin the build drew, and a host window.
struct SEditorSession
{
    SEditorSession()
    {
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

    CHeadlessWindowSystem system;
    CWindow hostWindow{Orvalite::MathTools::CRect(0, 0, 640, 480)};
    CVeltrix *effect = nullptr;
    CVeltrixEditor *editor = nullptr;
};

void openToFirstFrame(benchmark::State &state)
{
    SEditorSession session;
    for (auto _ : state)
    {
        session.open();
        state.PauseTiming();
        session.dispatch(effEditClose);
        state.ResumeTiming();
    }
}
BENCHMARK(openToFirstFrame)->Unit(benchmark::kMillisecond);

void fullPanelFrame(benchmark::State &state)
{
    SEditorSession session;
    session.open();
    for (auto _ : state)
    {
        session.editor->redrawWindow();
        session.system.pump();
    }
}
BENCHMARK(fullPanelFrame)->Unit(benchmark::kMillisecond);

// The Delay One knob moved by one pixel per step, alternately up and down.
void knobDragStep(benchmark::State &state)
{
    SEditorSession session;
    session.open();
    const Orvalite::MathTools::CRect &area =
        session.editor->getControl(Orvalite::Veltrix::PARAMETER_DELAY_ONE)->getArea();
    const long x = area.getLeft() + area.getWidth() / 2;
    const long y = area.getTop() + area.getHeight() / 2;
    const Orvalite::GUI::Basics::NativeWindowHandle handle = session.editor->getWindowHandle();
    session.system.send(handle, e_leftButtonDown, 0, packed(x, y));
    long step = 0;
    for (auto _ : state)
    {
        session.system.send(handle, e_mouseMove, 0x1, packed(x, y - (++step & 1)));
        session.system.pump();
    }
    session.system.send(handle, e_leftButtonUp, 0, packed(x, y));
}
BENCHMARK(knobDragStep)->Unit(benchmark::kMicrosecond);

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

// The heap an editor holds: made (images decoded, controls built), then open
// (with its back buffer and the screen surface of the headless window).
void editorHeap(benchmark::State &state)
{
    SEditorSession session;
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
BENCHMARK(editorHeap)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace

BENCHMARK_MAIN();
