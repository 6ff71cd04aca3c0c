// The Windows module's entry points: DllMain's process attach and detach run the
// module's load and unload hooks, and the entries the host calls for each new
// effect, "VSTPluginMain" and "main" (exported by name through Zelo.def). The
// Windows module has no editor yet. Under the loader lock DllMain only pins the
// module and fills the application information: no thread, no library loading.
#include "plugin/VeltrixModule.h"

#include <windows.h>

namespace
{
void noResources() {}

const Zelo::Module::SPlatform PLATFORM = {&noResources, &noResources, nullptr};
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
