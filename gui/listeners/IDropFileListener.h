// Receives the files dropped on a window.
#pragma once

#include "foundation/basics/ICountedObject.h"

namespace Orvalite::GUI::Events
{
class CDropEvent;
}

namespace Orvalite::GUI::Listeners
{
class IDropFileListener : public ::Orvalite::Basics::ICountedObject
{
public:
    virtual void handleFileDrop(const Events::CDropEvent &event) = 0;
};
} // namespace Orvalite::GUI::Listeners
