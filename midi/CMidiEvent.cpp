#include "midi/CMidiEvent.h"
#include "foundation/basics/CString.h"

namespace Orvalite::Midi
{
ORVALITE_DEFINE_CLASS_RECORD(CMidiEvent, "CMidiEvent", "CCountedObject")

CMidiEvent::CMidiEvent(long status, long value, long subValue, long channel, long delta)
    : m_status(static_cast<int32_t>(status)), m_value(static_cast<int32_t>(value)),
      m_subValue(static_cast<int32_t>(subValue)), m_channel(static_cast<int32_t>(channel)),
      m_delta(static_cast<int32_t>(delta))
{
}

void CMidiEvent::set(long status, long value, long subValue, long channel, long delta, double bend)
{
    m_status = static_cast<int32_t>(status);
    m_value = static_cast<int32_t>(value);
    m_subValue = static_cast<int32_t>(subValue);
    m_channel = static_cast<int32_t>(channel);
    m_delta = static_cast<int32_t>(delta);
    m_bend = bend;
}

// The bend travels with the event too, so a copied pitch-bend keeps its amount.
CMidiEvent &CMidiEvent::operator=(const CMidiEvent &other)
{
    m_status = other.m_status;
    m_value = other.m_value;
    m_subValue = other.m_subValue;
    m_channel = other.m_channel;
    m_delta = other.m_delta;
    m_bend = other.m_bend;
    return *this;
}

void CMidiEvent::getObjectDescription(char *buffer, long size) const
{
    const long status = m_status;
    const long value = m_value;
    const long subValue = m_subValue;
    const long channel = m_channel;
    const long delta = m_delta;
    Basics::CString text;
    if (status == NOTE_OFF || (status == NOTE_ON && subValue == 0))
    {
        text.setStringWithFormat("[Note Off       : Note(%03li), Velocity(%03li), Channel(%03li), Delta(%03li)]", value,
                                 subValue, channel, delta);
    }
    else if (status == NOTE_ON)
    {
        text.setStringWithFormat("[Note On        : Note(%03li), Velocity(%03li), Channel(%03li), Delta(%03li)]", value,
                                 subValue, channel, delta);
    }
    else if (status == CONTROL_CHANGE)
    {
        text.setStringWithFormat("[Control Change : CC(%03li), Value(%03li), Channel(%03li), Delta(%03li)]", value,
                                 subValue, channel, delta);
    }
    else
    {
        text.setStringWithFormat(
            "[Other Message  : Status(%03li), Value(%03li), SubValue(%03li), Channel(%03li), Delta(%03li)]", status,
            value, subValue, channel, delta);
    }
    text.getString(buffer, size);
}
} // namespace Orvalite::Midi
