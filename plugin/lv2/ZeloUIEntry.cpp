// The LV2 UI module's entry points: its load and unload hooks, which set up the
// GUI toolkit on the X11 window system as the VST module's do (the module's
// folder, with Resources/ beside it, is the bundle), and lv2ui_descriptor.
#include "foundation/io/TraceLog.h"
#include "gui/windowing/x11/X11WindowSystemFactory.h"
#include "plugin/VeltrixModule.h"
#include "plugin/lv2/CZeloUI.h"
#include "plugin/lv2/ZeloLv2Uris.h"

#include <cstring>

namespace
{
// Opens no X connection until the panel's window: hosts may scan the module without a display.
const Zelo::Module::SPlatform PLATFORM = {&Orvalite::GUI::Windowing::makeX11WindowSystem};

__attribute__((constructor)) void onModuleLoad()
{
    Zelo::Module::load(PLATFORM, reinterpret_cast<void *>(&onModuleLoad));
}

__attribute__((destructor)) void onModuleUnload()
{
    Zelo::Module::unload();
}

// A failure leaves the host without the panel (null), never with an exception.
LV2UI_Handle instantiate(const LV2UI_Descriptor *, const char *, const char *, LV2UI_Write_Function writeFunction,
                         LV2UI_Controller controller, LV2UI_Widget *widget, const LV2_Feature *const *features)
{
    try
    {
        auto *ui = new Zelo::Lv2::CZeloUI(writeFunction, controller, features);
        *widget = ui->getWidget();
        return ui;
    }
    catch (...)
    {
        Orvalite::IO::traceMessage("The Zelo editor could not be opened for the LV2 host");
        return nullptr;
    }
}

void cleanup(LV2UI_Handle handle)
{
    delete static_cast<Zelo::Lv2::CZeloUI *>(handle);
}

void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t bufferSize, uint32_t format, const void *buffer)
{
    static_cast<Zelo::Lv2::CZeloUI *>(handle)->portEvent(port, bufferSize, format, buffer);
}

int idle(LV2UI_Handle handle)
{
    return static_cast<Zelo::Lv2::CZeloUI *>(handle)->idle() ? 1 : 0;
}

const LV2UI_Idle_Interface IDLE_INTERFACE = {&idle};

const void *extensionData(const char *uri)
{
    return std::strcmp(uri, LV2_UI__idleInterface) == 0 ? &IDLE_INTERFACE : nullptr;
}

const LV2UI_Descriptor DESCRIPTOR = {Zelo::Lv2::Uris::UI, &instantiate, &cleanup, &portEvent, &extensionData};
} // namespace

extern "C" __attribute__((visibility("default"))) const LV2UI_Descriptor *lv2ui_descriptor(uint32_t index)
{
    return index == 0 ? &DESCRIPTOR : nullptr;
}
