// Receives a window's key events and the characters typed; answers true
// when it used them.
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
    // A character typed (through the input method where there is one), after
    // its key's down. Only text entry wants them, so the default ignores them.
    virtual bool handleCharacter(const Events::CKeyboardEvent &) { return false; }
};
} // namespace Orvalite::GUI::Listeners
