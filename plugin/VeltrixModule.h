// The module's life: what loading it sets up and unloading it releases, and the
// effect it makes for each host request. Each platform's entry file calls these
// from its load and unload hooks and its exported entry points.
#pragma once

#include "effect/CVeltrix.h"

namespace Zelo::Module
{
// The platform's share of loading: the toolkit's shared resources, and the
// factory for each effect's editor (null where the module has no editor).
struct SPlatform
{
    void (*loadResources)();
    void (*releaseResources)();
    Orvalite::Veltrix::CVeltrix::EditorFactory editorFactory;
};

// Fills the application information (`addressInModule` locates the module's
// file), then loads the platform's resources.
void load(const SPlatform &platform, void *addressInModule);
void unload();
// A host answering 0 to the version request is not a VST host: null. Any failure
// is shown in a message box and answered with null.
AEffect *createEffect(audioMasterCallback audioMaster);
} // namespace Zelo::Module
