// Receives a window's key events; answers true when it used the key.
#pragma once

#include "foundation/basics/ICountedObject.h"

namespace Orvalite::GUI::Events
{
class CKeyboardEvent;
}

namespace Orvalite::GUI::Listeners
{
class IKeyboardListener : public ::Orvalite::Basics::ICountedObject
{
public:
    virtual bool handleKeyDown(const Events::CKeyboardEvent &event) = 0;
    virtual bool handleKeyUp(const Events::CKeyboardEvent &event) = 0;
};
} // namespace Orvalite::GUI::Listeners
