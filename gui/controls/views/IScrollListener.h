// Receives the scroll events of the scroll bars it was added to (a scroll
// panel listens to its own bars).
#pragma once

#include "foundation/basics/ICountedObject.h"

namespace Orvalite::GUI::Controls
{
class CScrollEvent;

class IScrollListener : public ::Orvalite::Basics::ICountedObject
{
public:
    virtual void handleScrollEvent(const CScrollEvent &event) = 0;
};
} // namespace Orvalite::GUI::Controls
