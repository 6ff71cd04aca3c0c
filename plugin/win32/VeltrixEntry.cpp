// The Windows module's entry points: DllMain's process attach and detach run the
// module's load and unload hooks, and the entries the host calls for each new
// effect, "VSTPluginMain" and "main" (exported by name through Zelo.def). Under
// the loader lock DllMain only pins the module, fills the application
// information and makes the Win32 window system, which registers nothing until
// the first window: no thread, no library loading, no GDI+ (each editor starts
// it through its fonts, and the last one to go shuts it down).
#include "gui/windowing/win32/Win32WindowSystemFactory.h"
#include "plugin/VeltrixModule.h"

#include <windows.h>

namespace
{
const Zelo::Module::SPlatform PLATFORM = {&Orvalite::GUI::Windowing::makeWin32WindowSystem};
} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
    {
        DisableThreadLibraryCalls(instance);
        // The framework's class records live as long as the process: once loaded,
        // the DLL stays, so hosts that load and unload plug-ins never leak them.
        HMODULE pinned = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                           reinterpret_cast<LPCWSTR>(&DllMain), &pinned);
        Zelo::Module::load(PLATFORM, reinterpret_cast<void *>(&DllMain));
    }
    else if (reason == DLL_PROCESS_DETACH)
    {
        Zelo::Module::unload();
    }
    return TRUE;
}

extern "C" AEffect *VSTPluginMain(audioMasterCallback audioMaster)
{
    return Zelo::Module::createEffect(audioMaster);
}

extern "C" AEffect *vstMainEntry(audioMasterCallback audioMaster)
{
    return Zelo::Module::createEffect(audioMaster);
}
