#include "midi/CMidiEventList.h"

#include <cstdio>

namespace Orvalite::Midi
{
ORVALITE_DEFINE_CLASS_RECORD(CMidiEventList, "CMidiEventList", "CCountedObject")

bool CMidiEventList::addEvent(long status, long value, long subValue, long channel, long delta, double bend)
{
    if (isFull())
    {
        return false;
    }
    m_events[m_numberOfEvents++].set(status, value, subValue, channel, delta, bend);
    return true;
}

void CMidiEventList::clear()
{
    m_numberOfEvents = 0;
    m_readPosition = 0;
}

const CMidiEvent *CMidiEventList::getEvent(long index) const
{
    return index >= 0 && index < m_numberOfEvents ? &m_events[index] : nullptr;
}

void CMidiEventList::getObjectDescription(char *buffer, long size) const
{
    if (buffer && size > 0)
    {
        std::snprintf(buffer, static_cast<size_t>(size), "[Number Of Events(%li), Channel(%li)]",
                      static_cast<long>(m_numberOfEvents), static_cast<long>(m_channel));
    }
}
} // namespace Orvalite::Midi
