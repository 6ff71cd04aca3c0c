// The MIDI messages of one audio block, in arrival order, at most 128.
// Filled before the block, read during it and cleared after it, all on the
// audio thread: a fixed array, so nothing is allocated there.
#pragma once

#include "midi/CMidiEvent.h"

namespace Orvalite::Midi
{
class CMidiEventList : public Basics::CCountedObject
{
public:
    static constexpr long MAXIMUM_EVENTS = 128;

    // Appends the event; false when the list is full.
    bool addEvent(long status, long value, long subValue, long channel, long delta, double bend = 0.0);
    void clear();
    long getNumberOfEvents() const { return m_numberOfEvents; }
    // The event at `index`, or null outside 0 .. number of events - 1.
    const CMidiEvent *getEvent(long index) const;
    long getChannel() const { return m_channel; }
    void setChannel(long channel) { m_channel = static_cast<int32_t>(channel); }
    bool isFull() const { return m_numberOfEvents >= MAXIMUM_EVENTS; }

    void getObjectDescription(char *buffer, long size) const override;

    ORVALITE_CLASS_RECORD(CMidiEventList)

private:
    CMidiEvent m_events[MAXIMUM_EVENTS];
    int32_t m_channel = 0;
    int32_t m_numberOfEvents = 0;
    int32_t m_readPosition = 0;
};
} // namespace Orvalite::Midi
