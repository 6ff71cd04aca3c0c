// The Linux module's entry points: the shared object's load and unload hooks,
// which also set up the GUI toolkit and its X11 window system, and the entries
// the host calls for each new effect ("VSTPluginMain", and "main" for older hosts).
#include "editor/CVeltrixEditor.h"
#include "foundation/io/TraceLog.h"
#include "gui/fonts/CFont.h"
#include "gui/graphics/CImageManager.h"
#include "gui/windowing/x11/X11WindowSystemFactory.h"
#include "plugin/VeltrixModule.h"

namespace
{
using Orvalite::GUI::Windowing::INativeWindowSystem;

// Opens no X connection until the first window: the module loads and
// processes where there is no display.
INativeWindowSystem *s_windowSystem = nullptr;

void loadToolkit()
{
    Orvalite::GUI::Fonts::CFont::createDefaultFont();
    Orvalite::GUI::Graphics::CImageManager::initialise();
    s_windowSystem = Orvalite::GUI::Windowing::makeX11WindowSystem().release();
    INativeWindowSystem::install(s_windowSystem);
}

void releaseToolkit()
{
    INativeWindowSystem::install(nullptr);
    delete s_windowSystem;
    s_windowSystem = nullptr;
    Orvalite::GUI::Graphics::CImageManager::destroy();
    Orvalite::GUI::Fonts::CFont::releaseDefaultFont();
}

// The effect works without its editor: a failure to make one is traced, never thrown.
void createEditor(Orvalite::Veltrix::CVeltrix *effect)
{
    try
    {
        Orvalite::Veltrix::CVeltrixEditor::createFor(effect);
    }
    catch (...)
    {
        Orvalite::IO::traceMessage("The editor could not be made; Zelo goes on without it");
    }
}

const Zelo::Module::SPlatform PLATFORM = {&loadToolkit, &releaseToolkit, &createEditor};

__attribute__((constructor)) void onModuleLoad()
{
    Zelo::Module::load(PLATFORM, reinterpret_cast<void *>(&onModuleLoad));
}

__attribute__((destructor)) void onModuleUnload()
{
    Zelo::Module::unload();
}
} // namespace

extern "C" __attribute__((visibility("default"))) AEffect *VSTPluginMain(audioMasterCallback audioMaster)
{
    return Zelo::Module::createEffect(audioMaster);
}

// Exported under the symbol name "main", which a C++ function cannot have.
extern "C" __attribute__((visibility("default"))) AEffect *vstMainEntry(audioMasterCallback audioMaster) __asm__(
    "main");
extern "C" AEffect *vstMainEntry(audioMasterCallback audioMaster)
{
    return Zelo::Module::createEffect(audioMaster);
}
