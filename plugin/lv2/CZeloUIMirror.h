// The effect the LV2 editor shows: a Zelo that processes no audio and mirrors
// the host's port values for the skinned panel made on it. The plug-in's own
// instance lives in the host's DSP module; the UI never reaches it. Owned by CZeloUI.
#pragma once

#include "editor/CVeltrixEditor.h"
#include "effect/CVeltrix.h"

namespace Zelo::Lv2
{
class CZeloUIMirror : public Orvalite::Veltrix::CVeltrix
{
public:
    // The panel is made on the mirror at once; `hostCallback` hears the
    // panel's edits (audioMasterAutomate, audioMasterBeginEdit/EndEdit).
    explicit CZeloUIMirror(audioMasterCallback hostCallback);

    Orvalite::Veltrix::CVeltrixEditor &getPanel();

    // A value the host reports (normalised; the A/B selector as 0 or 1): the
    // panel shows it and nothing goes back to the host.
    void followHost(long index, float value);
    // The panel's A/B switch is news to the host as well, reported as the
    // automation of the selector; every other change goes through the effect.
    void setParameter(VstInt32 index, float value) override;

private:
    bool m_followingHost = false;
};
} // namespace Zelo::Lv2
