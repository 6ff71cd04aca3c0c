// One MIDI message of an audio block: kind, note or controller, velocity or
// value, channel bits and its offset in frames from the start of the block.
#pragma once

#include "foundation/basics/CCountedObject.h"

#include <cstdint>

namespace Orvalite::Midi
{
class CMidiEvent : public Basics::CCountedObject
{
public:
    static constexpr long NOTE_OFF = 128;
    static constexpr long NOTE_ON = 144;
    static constexpr long CONTROL_CHANGE = 176;
    static constexpr long PITCH_BEND = 224;
    // Controllers 123 (all notes off) and 126 (mono mode) both arrive as this.
    static constexpr long ALL_NOTES_OFF = 123;

    CMidiEvent() : CMidiEvent(0, 0, 0, 1, 0) {}
    CMidiEvent(long status, long value, long subValue, long channel, long delta);
    CMidiEvent(const CMidiEvent &other) = default;
    CMidiEvent &operator=(const CMidiEvent &other);
    // Rewrites the event in place (no temporary counted object on the audio thread).
    void set(long status, long value, long subValue, long channel, long delta, double bend);

    // Events are ordered in time, so they compare by delta alone.
    virtual bool operator==(const CMidiEvent &other) const { return m_delta == other.m_delta; }
    virtual bool operator!=(const CMidiEvent &other) const { return m_delta != other.m_delta; }

    void getObjectDescription(char *buffer, long size) const override;

    long getStatus() const { return m_status; }
    long getValue() const { return m_value; }
    long getSubValue() const { return m_subValue; }
    long getChannel() const { return m_channel; }
    long getDelta() const { return m_delta; }
    // Pitch-bend amount, -1 to just under +1 (pitch-bend events only).
    double getBend() const { return m_bend; }

    ORVALITE_CLASS_RECORD(CMidiEvent)

private:
    int32_t m_status;
    int32_t m_value;
    int32_t m_subValue;
    int32_t m_channel;
    int32_t m_delta;
    double m_bend = 0.0;
};
} // namespace Orvalite::Midi
