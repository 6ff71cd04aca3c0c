// The Linux module's entry points: the shared object's load and unload hooks,
// which set up the GUI toolkit on its X11 window system, and the entries the
// host calls for each new effect ("VSTPluginMain", and "main" for older hosts).
#include "gui/windowing/x11/X11WindowSystemFactory.h"
#include "plugin/VeltrixModule.h"

namespace
{
// Opens no X connection until the first window: the module loads and
// processes where there is no display.
const Zelo::Module::SPlatform PLATFORM = {&Orvalite::GUI::Windowing::makeX11WindowSystem};

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
