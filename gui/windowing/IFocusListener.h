// Told when a window gains or loses the keyboard focus; a window is its own
// listener until another is registered.
#pragma once

#include "foundation/basics/ICountedObject.h"

namespace Orvalite::GUI::Windowing
{
class IWindow;

class IFocusListener : public ::Orvalite::Basics::ICountedObject
{
public:
    virtual void gainedFocus(IWindow *window) = 0;
    virtual void lostFocus(IWindow *window) = 0;
};
} // namespace Orvalite::GUI::Windowing
