// The plug-in module's entry points: the load and unload hooks, and the entry
// the host calls for each new effect ("VSTPluginMain", and "main" for older
// hosts), which composes the effect with its editor.
#include "editor/CVeltrixEditor.h"
#include "effect/CVeltrix.h"
#include "foundation/basics/CApplicationInformation.h"
#include "foundation/basics/CClassManager.h"
#include "foundation/host/CMessageBox.h"
#include "foundation/io/TraceLog.h"
#include "gui/fonts/CFont.h"
#include "gui/graphics/CImageManager.h"
#include "gui/windowing/x11/X11WindowSystemFactory.h"

namespace
{
using Orvalite::GUI::Windowing::INativeWindowSystem;

const char *const NOTICE = "Zelo stereo doubler. Copyright Orlen Vantrell Audio.";

// Opens no X connection until the first window: the module loads and
// processes where there is no display.
INativeWindowSystem *s_windowSystem = nullptr;

__attribute__((constructor)) void onModuleLoad()
{
    Orvalite::Basics::CApplicationInformation::setApplicationInformation("Orlen Vantrell Audio", "Zelo", "Doubler",
                                                                         "1.0.0", "Software\\OVA\\Zelo", NOTICE,
                                                                         reinterpret_cast<void *>(&onModuleLoad));
    Orvalite::GUI::Fonts::CFont::createDefaultFont();
    Orvalite::GUI::Graphics::CImageManager::initialise();
    s_windowSystem = Orvalite::GUI::Windowing::makeX11WindowSystem().release();
    INativeWindowSystem::install(s_windowSystem);
}

__attribute__((destructor)) void onModuleUnload()
{
    INativeWindowSystem::install(nullptr);
    delete s_windowSystem;
    s_windowSystem = nullptr;
    Orvalite::GUI::Graphics::CImageManager::destroy();
    Orvalite::GUI::Fonts::CFont::releaseDefaultFont();
    Orvalite::Basics::CApplicationInformation::releaseApplicationInformation();
    Orvalite::Basics::shutdownClassRegistry(nullptr);
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

// A host answering 0 to the version request is not a VST host: nothing is built.
AEffect *createEffect(audioMasterCallback audioMaster)
{
    if (!audioMaster || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
    {
        return nullptr;
    }
    try
    {
        return (new Orvalite::Veltrix::CVeltrix(audioMaster, &createEditor))->getAeffect();
    }
    catch (...)
    {
        Orvalite::Host::CMessageBox::showError("Exception occurred",
                                               "Caught exception in main function of Zelo. Cannot continue to load");
        return nullptr;
    }
}
} // namespace

extern "C" __attribute__((visibility("default"))) AEffect *VSTPluginMain(audioMasterCallback audioMaster)
{
    return createEffect(audioMaster);
}

// Exported under the symbol name "main", which a C++ function cannot have.
extern "C" __attribute__((visibility("default"))) AEffect *vstMainEntry(audioMasterCallback audioMaster) __asm__(
    "main");
extern "C" AEffect *vstMainEntry(audioMasterCallback audioMaster)
{
    return createEffect(audioMaster);
}
