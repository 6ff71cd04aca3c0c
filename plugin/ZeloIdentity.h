// Who the module says it is: the application information every Zelo module (the
// VST module, the LV2 modules) sets at load and releases at unload.
#pragma once

namespace Zelo::Module
{
constexpr const char *VENDOR = "Orlen Vantrell Audio";

// `addressInModule` locates the module's file, and so its folder.
void setIdentity(void *addressInModule);
void releaseIdentity();
} // namespace Zelo::Module
