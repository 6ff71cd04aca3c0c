#include "plugin/VeltrixModule.h"

#include "foundation/basics/CApplicationInformation.h"
#include "foundation/basics/CClassManager.h"
#include "foundation/host/CMessageBox.h"

namespace Zelo::Module
{
namespace
{
const char *const NOTICE = "Zelo stereo doubler. Copyright Orlen Vantrell Audio.";

// Set at load; the platform's hooks never run concurrently with an entry call.
const SPlatform *s_platform = nullptr;
} // namespace

void load(const SPlatform &platform, void *addressInModule)
{
    Orvalite::Basics::CApplicationInformation::setApplicationInformation(
        "Orlen Vantrell Audio", "Zelo", "Doubler", "1.0.0", "Software\\OVA\\Zelo", NOTICE, addressInModule);
    s_platform = &platform;
    platform.loadResources();
}

void unload()
{
    if (s_platform)
    {
        s_platform->releaseResources();
        s_platform = nullptr;
    }
    Orvalite::Basics::CApplicationInformation::releaseApplicationInformation();
    Orvalite::Basics::shutdownClassRegistry(nullptr);
}

AEffect *createEffect(audioMasterCallback audioMaster)
{
    if (!audioMaster || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
    {
        return nullptr;
    }
    try
    {
        return (new Orvalite::Veltrix::CVeltrix(audioMaster, s_platform ? s_platform->editorFactory : nullptr))
            ->getAeffect();
    }
    catch (...)
    {
        Orvalite::Host::CMessageBox::showError("Exception occurred",
                                               "Caught exception in main function of Zelo. Cannot continue to load");
        return nullptr;
    }
}
} // namespace Zelo::Module
