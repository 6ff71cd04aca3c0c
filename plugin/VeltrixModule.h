// The module's life: what loading it sets up and unloading it releases, and the
// effect it makes for each host request. Each platform's entry file calls these
// from its load and unload hooks and its exported entry points.
#pragma once

#include "effect/CVeltrix.h"
#include "gui/windowing/INativeWindowSystem.h"

#include <memory>

namespace Zelo::Module
{
// The platform's share of loading: the window system the editors are made on.
// It must do nothing at creation that a module's load hook may not (no
// display connection, no window class), and it lives until the module unloads.
struct SPlatform
{
    std::unique_ptr<Orvalite::GUI::Windowing::INativeWindowSystem> (*makeWindowSystem)();
};

// Fills the application information (`addressInModule` locates the module's
// file), then sets up the toolkit's image cache and installs the platform's window system.
void load(const SPlatform &platform, void *addressInModule);
void unload();
// A host answering 0 to the version request is not a VST host: null. Any failure
// is shown in a message box and answered with null. Each effect gets its editor.
AEffect *createEffect(audioMasterCallback audioMaster);
} // namespace Zelo::Module
