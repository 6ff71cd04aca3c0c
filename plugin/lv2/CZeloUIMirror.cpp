#include "plugin/lv2/CZeloUIMirror.h"

#include "effect/VeltrixParameterTable.h"

namespace Zelo::Lv2
{
namespace
{
void createEditor(Orvalite::Veltrix::CVeltrix *effect)
{
    Orvalite::Veltrix::CVeltrixEditor::createFor(effect);
}
} // namespace

CZeloUIMirror::CZeloUIMirror(audioMasterCallback hostCallback) : CVeltrix(hostCallback, &createEditor) {}

Orvalite::Veltrix::CVeltrixEditor &CZeloUIMirror::getPanel()
{
    return *static_cast<Orvalite::Veltrix::CVeltrixEditor *>(getEditor());
}

void CZeloUIMirror::followHost(long index, float value)
{
    m_followingHost = true;
    setParameter(static_cast<VstInt32>(index), value);
    m_followingHost = false;
}

void CZeloUIMirror::setParameter(VstInt32 index, float value)
{
    CVeltrix::setParameter(index, value);
    if (index == Orvalite::Veltrix::AB_SELECTOR_INDEX && !m_followingHost)
    {
        callHost(audioMasterAutomate, index, 0, nullptr, value);
    }
}
} // namespace Zelo::Lv2
