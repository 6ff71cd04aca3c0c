// Something a window's timer calls back: on each expiry every object listed
// with the window whose id matches. Owned by whoever lists it, which removes
// it from the window before destroying it; a window that lets its objects go
// unasked (all its timers stopped, or itself going) tells each one.
#pragma once

#include "foundation/basics/ICountedObject.h"

namespace Orvalite::GUI::Basics
{
class ITimedObject : public ::Orvalite::Basics::ICountedObject
{
public:
    virtual void timerExpired() = 0;
    virtual long getTimerId() const = 0;
    // No longer listed: the window is not to be called for this timer again.
    virtual void delisted() = 0;
};
} // namespace Orvalite::GUI::Basics
