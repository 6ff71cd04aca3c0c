// Told when the user begins and ends one edit of a control: a drag from press
// to release, or a single step (a wheel notch, a reset, a click). Hosts record
// touch automation only between the two.
#pragma once

#include "foundation/basics/ICountedObject.h"

namespace Orvalite::GUI::Controls
{
class IControl;
}

namespace Orvalite::GUI::Listeners
{
class IGestureListener : public ::Orvalite::Basics::ICountedObject
{
public:
    virtual void handleGestureBegin(Controls::IControl &control) = 0;
    virtual void handleGestureEnd(Controls::IControl &control) = 0;
};
} // namespace Orvalite::GUI::Listeners
