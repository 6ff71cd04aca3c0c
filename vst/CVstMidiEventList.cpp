#include "vst/CVstMidiEventList.h"

namespace Orvalite::Vst
{
ORVALITE_DEFINE_CLASS_RECORD(CVstMidiEventList, "CVstMidiEventList", "CMidiEventList")

namespace
{
// A 14-bit bend value scaled to -1 ... just under +1 (1 / 8192).
const double BEND_SCALE = 0.0001220703125;
const long ALL_NOTES_OFF_CONTROLLER = 123;
const long MONO_MODE_CONTROLLER = 126;
} // namespace

void CVstMidiEventList::fillFromVstEvents(const VstEvents *events)
{
    if (!events)
    {
        return;
    }
    // The host allocates as many pointers as it has events; the declared array has two.
    VstEvent *const *pointers = events->events;
    for (VstInt32 index = 0; index < events->numEvents && !isFull(); ++index)
    {
        const VstEvent *event = pointers[index];
        if (event && event->type == kVstMidiType)
        {
            addMidiEvent(*reinterpret_cast<const VstMidiEvent *>(event));
        }
    }
}

void CVstMidiEventList::addMidiEvent(const VstMidiEvent &event)
{
    const long status = static_cast<unsigned char>(event.midiData[0]);
    const long data1 = static_cast<unsigned char>(event.midiData[1]) & 127;
    const long data2 = static_cast<unsigned char>(event.midiData[2]) & 127;
    // Only bit 3 of the status byte is compared with the list's channel.
    const long channelBits = static_cast<signed char>(event.midiData[0]) & 8;
    const long kind = status & 0xF0;
    const long delta = event.deltaFrames;
    if (channelBits != getChannel() || kind < 0x80 || kind > 0xE0)
    {
        return;
    }
    switch (kind)
    {
    case 0x80:
    case 0x90:
        addEvent(kind, data1, data2, channelBits, delta);
        break;
    case 0xB0:
        if (data1 == MONO_MODE_CONTROLLER || data1 == ALL_NOTES_OFF_CONTROLLER)
        {
            addEvent(Midi::CMidiEvent::ALL_NOTES_OFF, 0, 0, channelBits, delta);
        }
        else
        {
            addEvent(Midi::CMidiEvent::CONTROL_CHANGE, data1, data2, channelBits, delta);
        }
        break;
    case 0xE0:
        addEvent(Midi::CMidiEvent::PITCH_BEND, 0, 0, channelBits, delta, (data2 * 128 + data1) * BEND_SCALE - 1.0);
        break;
    default:
        break;
    }
}
} // namespace Orvalite::Vst
