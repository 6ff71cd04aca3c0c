// The LV2 DSP module's entry points: the load and unload hooks (the module's
// identity and the framework's class registry) and the one descriptor, whose C
// callbacks forward to CZeloLv2Instance, with the state interface as extension data.
#include "foundation/basics/CClassManager.h"
#include "plugin/ZeloIdentity.h"
#include "plugin/lv2/CZeloLv2Instance.h"
#include "plugin/lv2/ZeloLv2Uris.h"

#include <cstring>

namespace
{
using Zelo::Lv2::CZeloLv2Instance;

CZeloLv2Instance *instanceOf(LV2_Handle handle)
{
    return static_cast<CZeloLv2Instance *>(handle);
}

LV2_Handle instantiate(const LV2_Descriptor *, double sampleRate, const char *, const LV2_Feature *const *features)
{
    return CZeloLv2Instance::create(sampleRate, features);
}

void connectPort(LV2_Handle handle, uint32_t port, void *data)
{
    instanceOf(handle)->connectPort(port, data);
}

void activate(LV2_Handle handle)
{
    instanceOf(handle)->activate();
}

void run(LV2_Handle handle, uint32_t frames)
{
    instanceOf(handle)->run(frames);
}

void deactivate(LV2_Handle handle)
{
    instanceOf(handle)->deactivate();
}

void cleanup(LV2_Handle handle)
{
    delete instanceOf(handle);
}

LV2_State_Status save(LV2_Handle handle, LV2_State_Store_Function store, LV2_State_Handle state, uint32_t,
                      const LV2_Feature *const *)
{
    return instanceOf(handle)->save(store, state);
}

LV2_State_Status restore(LV2_Handle handle, LV2_State_Retrieve_Function retrieve, LV2_State_Handle state, uint32_t,
                         const LV2_Feature *const *)
{
    return instanceOf(handle)->restore(retrieve, state);
}

const LV2_State_Interface STATE_INTERFACE = {&save, &restore};

const void *extensionData(const char *uri)
{
    return std::strcmp(uri, LV2_STATE__interface) == 0 ? &STATE_INTERFACE : nullptr;
}

const LV2_Descriptor DESCRIPTOR = {
    Zelo::Lv2::Uris::PLUGIN, &instantiate, &connectPort, &activate, &run, &deactivate, &cleanup, &extensionData};

__attribute__((constructor)) void onModuleLoad()
{
    Zelo::Module::setIdentity(reinterpret_cast<void *>(&onModuleLoad));
}

__attribute__((destructor)) void onModuleUnload()
{
    Zelo::Module::releaseIdentity();
    Orvalite::Basics::shutdownClassRegistry(nullptr);
}
} // namespace

extern "C" __attribute__((visibility("default"))) const LV2_Descriptor *lv2_descriptor(uint32_t index)
{
    return index == 0 ? &DESCRIPTOR : nullptr;
}
