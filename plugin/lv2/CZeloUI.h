// One open Zelo editor in an LV2 host: the skinned panel on its mirror effect,
// placed in the host's window (ui:parent). The panel's edits go to the host
// through the write function, bracketed by touch; the host's port values come
// back through portEvent. Every call comes on the host's user-interface thread.
#pragma once

#include "plugin/lv2/CZeloUIMirror.h"
#include "plugin/lv2/ZeloPorts.h"

#include <lv2/ui/ui.h>

#include <memory>

namespace Zelo::Lv2
{
class CZeloUI
{
public:
    // Throws CException when the host gives no parent window or the panel cannot be opened.
    CZeloUI(LV2UI_Write_Function writeFunction, LV2UI_Controller controller, const LV2_Feature *const *features);
    ~CZeloUI();
    CZeloUI(const CZeloUI &) = delete;
    CZeloUI &operator=(const CZeloUI &) = delete;

    // The panel's X window, the widget the host embeds.
    LV2UI_Widget getWidget() const;
    // A control port's value in its own units; other ports are ignored.
    void portEvent(uint32_t port, uint32_t bufferSize, uint32_t format, const void *buffer);
    // Delivers the panel's window events; true once the panel's window is gone.
    bool idle();

private:
    static VstIntPtr hostCallback(AEffect *effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr,
                                  float opt);
    void send(long index, float normalised);
    void write(long index, float normalised);
    void touch(long index, bool grabbed) const;

    LV2UI_Write_Function m_writeFunction;
    LV2UI_Controller m_controller;
    const LV2UI_Touch *m_touch = nullptr;
    std::unique_ptr<CZeloUIMirror> m_mirror;
    // The normalised value of each parameter port as the host holds it: the
    // live half's, as the host reported it or the panel last wrote it.
    float m_portValues[NUMBER_OF_PARAMETER_PORTS] = {};
};
} // namespace Zelo::Lv2
