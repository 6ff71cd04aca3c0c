// The block's MIDI list filled from the host's VST events: only MIDI events,
// only on the list's channel bits, only note, controller and pitch-bend kinds.
#pragma once

#include "midi/CMidiEventList.h"
#include "vst/VstAbi.h"

namespace Orvalite::Vst
{
class CVstMidiEventList : public Midi::CMidiEventList
{
public:
    // Audio thread: appends the accepted events of `events`, keeping the first 128.
    void fillFromVstEvents(const VstEvents *events);

    ORVALITE_CLASS_RECORD(CVstMidiEventList)

private:
    void addMidiEvent(const VstMidiEvent &event);
};
} // namespace Orvalite::Vst
