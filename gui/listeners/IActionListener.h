// Receives the action events controls fire when the user changes them (the
// editor, which turns them into parameter changes).
#pragma once

#include "foundation/basics/ICountedObject.h"

namespace Orvalite::GUI::Events
{
class CActionEvent;
}

namespace Orvalite::GUI::Listeners
{
class IActionListener : public ::Orvalite::Basics::ICountedObject
{
public:
    virtual void handleActionEvent(const Events::CActionEvent &event) = 0;
};
} // namespace Orvalite::GUI::Listeners
