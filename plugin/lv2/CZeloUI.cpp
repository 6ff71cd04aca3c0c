#include "plugin/lv2/CZeloUI.h"

#include "effect/VeltrixParameterTable.h"
#include "foundation/basics/CException.h"
#include "plugin/lv2/ZeloPorts.h"

#include <lv2/core/lv2_util.h>

#include <cstring>

namespace Zelo::Lv2
{
namespace
{
} // namespace

CZeloUI::CZeloUI(LV2UI_Write_Function writeFunction, LV2UI_Controller controller, const LV2_Feature *const *features)
    : m_writeFunction(writeFunction), m_controller(controller),
      m_touch(static_cast<const LV2UI_Touch *>(lv2_features_data(features, LV2_UI__touch)))
{
    void *parent = const_cast<void *>(lv2_features_data(features, LV2_UI__parent));
    if (!parent)
    {
        throw Orvalite::Exceptions::CException("The host gives no parent window", "CZeloUI::CZeloUI", true);
    }
    m_mirror = std::make_unique<CZeloUIMirror>(&hostCallback);
    AEffect *effect = m_mirror->getAeffect();
    effect->user = this;
    for (uint32_t control = 0; control < NUMBER_OF_PARAMETER_PORTS; ++control)
    {
        m_portValues[control] = m_mirror->getParameter(static_cast<VstInt32>(control));
    }
    if (effect->dispatcher(effect, effEditOpen, 0, 0, parent, 0.0f) != 1)
    {
        throw Orvalite::Exceptions::CException("The panel cannot be opened", "CZeloUI::CZeloUI", true);
    }
    if (const auto *resize = static_cast<const LV2UI_Resize *>(lv2_features_data(features, LV2_UI__resize)))
    {
        ERect *area = nullptr;
        m_mirror->getPanel().getRect(&area);
        resize->ui_resize(resize->handle, area->right - area->left, area->bottom - area->top);
    }
}

CZeloUI::~CZeloUI()
{
    AEffect *effect = m_mirror->getAeffect();
    effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
    effect->user = nullptr;
}

LV2UI_Widget CZeloUI::getWidget() const
{
    return reinterpret_cast<LV2UI_Widget>(m_mirror->getPanel().getWindowHandle());
}

void CZeloUI::portEvent(uint32_t port, uint32_t bufferSize, uint32_t format, const void *buffer)
{
    const long index = parameterOfPort(port);
    if (index < 0 || format != 0 || bufferSize != sizeof(float) || !buffer)
    {
        return;
    }
    float value = 0.0f;
    std::memcpy(&value, buffer, sizeof(value));
    const float normalised = toNormalised(index, value);
    if (index == Orvalite::Veltrix::AB_SELECTOR_INDEX)
    {
        // Switching loads the mirror's own copy of that half; the ports carry the live half's values.
        m_mirror->followHost(index, normalised);
        for (uint32_t control = 0; control < NUMBER_OF_PARAMETER_PORTS; ++control)
        {
            m_mirror->followHost(static_cast<long>(control), m_portValues[control]);
        }
        return;
    }
    m_portValues[index] = normalised;
    m_mirror->followHost(index, normalised);
}

bool CZeloUI::idle()
{
    AEffect *effect = m_mirror->getAeffect();
    effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
    return m_mirror->getPanel().getWindowHandle() == 0;
}

VstIntPtr CZeloUI::hostCallback(AEffect *effect, VstInt32 opcode, VstInt32 index, VstIntPtr, void *, float opt)
{
    auto *ui = effect ? static_cast<CZeloUI *>(effect->user) : nullptr;
    switch (opcode)
    {
    case audioMasterVersion:
        return kVstVersion;
    case audioMasterAutomate:
        if (ui)
        {
            ui->send(index, opt);
        }
        return 0;
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
        if (ui)
        {
            ui->touch(index, opcode == audioMasterBeginEdit);
        }
        return 1;
    default:
        return 0;
    }
}

// A switch of the panel's A/B half sends the half first, then the new half's
// values: the plug-in switches before it takes them, and the host's controls
// (and what it saves) keep showing what plays.
void CZeloUI::send(long index, float normalised)
{
    write(index, normalised);
    if (index != Orvalite::Veltrix::AB_SELECTOR_INDEX)
    {
        return;
    }
    for (uint32_t control = 0; control < NUMBER_OF_PARAMETER_PORTS; ++control)
    {
        write(static_cast<long>(control), m_mirror->getParameter(static_cast<VstInt32>(control)));
    }
}

void CZeloUI::write(long index, float normalised)
{
    const uint32_t port = portOfParameter(index);
    if (port != NO_PORT)
    {
        if (index >= 0 && index < static_cast<long>(NUMBER_OF_PARAMETER_PORTS))
        {
            m_portValues[index] = normalised;
        }
        const float portValue = toPortValue(index, normalised);
        m_writeFunction(m_controller, port, sizeof(portValue), 0, &portValue);
    }
}

void CZeloUI::touch(long index, bool grabbed) const
{
    const uint32_t port = portOfParameter(index);
    if (m_touch && port != NO_PORT)
    {
        m_touch->touch(m_touch->handle, port, grabbed);
    }
}
} // namespace Zelo::Lv2
