#include "gui/basics/CTimedObjectList.h"

#include <algorithm>

namespace Orvalite::GUI::Basics
{
void CTimedObjectList::add(ITimedObject *object)
{
    if (object)
    {
        m_objects.push_back(object);
    }
}

void CTimedObjectList::remove(const ITimedObject *object)
{
    m_objects.erase(std::remove(m_objects.begin(), m_objects.end(), object), m_objects.end());
}

void CTimedObjectList::clear()
{
    std::vector<ITimedObject *> objects;
    objects.swap(m_objects);
    for (ITimedObject *object : objects)
    {
        object->delisted();
    }
}

bool CTimedObjectList::containsTimer(long id) const
{
    return std::any_of(m_objects.begin(), m_objects.end(),
                       [id](const ITimedObject *object) { return object->getTimerId() == id; });
}

std::vector<long> CTimedObjectList::getTimerIds() const
{
    std::vector<long> ids;
    for (const ITimedObject *object : m_objects)
    {
        if (std::find(ids.begin(), ids.end(), object->getTimerId()) == ids.end())
        {
            ids.push_back(object->getTimerId());
        }
    }
    return ids;
}

void CTimedObjectList::expire(long id)
{
    // A snapshot, so that objects removed (and perhaps destroyed) on the way are skipped, never called.
    const std::vector<ITimedObject *> snapshot = m_objects;
    for (ITimedObject *object : snapshot)
    {
        if (contains(object) && object->getTimerId() == id)
        {
            object->timerExpired();
        }
    }
}

bool CTimedObjectList::contains(const ITimedObject *object) const
{
    return std::find(m_objects.begin(), m_objects.end(), object) != m_objects.end();
}
} // namespace Orvalite::GUI::Basics
