// The plug-in module's entry points: the load and unload hooks, and the entry
// the host calls for each new effect ("VSTPluginMain", and "main" for older hosts).
#include "effect/CVeltrix.h"
#include "foundation/basics/CApplicationInformation.h"
#include "foundation/basics/CClassManager.h"
#include "foundation/host/CMessageBox.h"

namespace
{
const char *const NOTICE = "Zelo stereo doubler. Copyright Orlen Vantrell Audio.";

__attribute__((constructor)) void onModuleLoad()
{
    Orvalite::Basics::CApplicationInformation::setApplicationInformation("Orlen Vantrell Audio", "Zelo", "Doubler",
                                                                         "1.0.0", "Software\\OVA\\Zelo", NOTICE,
                                                                         reinterpret_cast<void *>(&onModuleLoad));
}

__attribute__((destructor)) void onModuleUnload()
{
    Orvalite::Basics::CApplicationInformation::releaseApplicationInformation();
    Orvalite::Basics::shutdownClassRegistry(nullptr);
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
        return (new Orvalite::Veltrix::CVeltrix(audioMaster))->getAeffect();
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
