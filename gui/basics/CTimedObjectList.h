// The timed objects of one window, in the order they were added. Owns none of
// them. An expiry may add or remove objects (the expiring one included).
#pragma once

#include "gui/basics/ITimedObject.h"

#include <vector>

namespace Orvalite::GUI::Basics
{
class CTimedObjectList
{
public:
    void add(ITimedObject *object);
    void remove(const ITimedObject *object);
    // Empties the list and tells each object it was let go.
    void clear();
    bool containsTimer(long id) const;
    // The ids of the listed objects, each once.
    std::vector<long> getTimerIds() const;
    // Calls every object with the id that is still listed when its turn comes.
    void expire(long id);

private:
    bool contains(const ITimedObject *object) const;

    std::vector<ITimedObject *> m_objects;
};
} // namespace Orvalite::GUI::Basics
