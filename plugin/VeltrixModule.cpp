#include "plugin/VeltrixModule.h"

#include "editor/CVeltrixEditor.h"
#include "foundation/basics/CClassManager.h"
#include "foundation/host/CMessageBox.h"
#include "foundation/io/TraceLog.h"
#include "gui/graphics/CImageManager.h"
#include "plugin/ZeloIdentity.h"

namespace Zelo::Module
{
namespace
{
using Orvalite::GUI::Windowing::INativeWindowSystem;

// Made at load, released at unload; the hooks never run concurrently with an
// entry call. A plain pointer: a static object's destructor could run before the unload hook.
INativeWindowSystem *s_windowSystem = nullptr;

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
} // namespace

void load(const SPlatform &platform, void *addressInModule)
{
    setIdentity(addressInModule);
    Orvalite::GUI::Graphics::CImageManager::initialise();
    s_windowSystem = platform.makeWindowSystem().release();
    INativeWindowSystem::install(s_windowSystem);
}

void unload()
{
    INativeWindowSystem::install(nullptr);
    delete s_windowSystem;
    s_windowSystem = nullptr;
    Orvalite::GUI::Graphics::CImageManager::destroy();
    releaseIdentity();
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
        return (new Orvalite::Veltrix::CVeltrix(audioMaster, &createEditor))->getAeffect();
    }
    catch (...)
    {
        Orvalite::Host::CMessageBox::showError("Exception occurred",
                                               "Caught exception in main function of Zelo. Cannot continue to load");
        return nullptr;
    }
}
} // namespace Zelo::Module
