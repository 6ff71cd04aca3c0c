// Receives a window's mouse events (the control root, once a window has one).
// Positions are in the window's coordinates.
#pragma once

#include "foundation/basics/ICountedObject.h"

namespace Orvalite::GUI::Events
{
class CMouseEvent;
}

namespace Orvalite::GUI::Listeners
{
class IMouseListener : public ::Orvalite::Basics::ICountedObject
{
public:
    virtual void handleLeftButtonDown(const Events::CMouseEvent &event) = 0;
    virtual void handleLeftButtonUp(const Events::CMouseEvent &event) = 0;
    virtual void handleRightButtonDown(const Events::CMouseEvent &event) = 0;
    virtual void handleRightButtonUp(const Events::CMouseEvent &event) = 0;
    virtual void handleDoubleClick(const Events::CMouseEvent &event) = 0;
    virtual void handleMouseScroll(const Events::CMouseEvent &event) = 0;
    virtual void handleMouseMovement(const Events::CMouseEvent &event) = 0;
    virtual void handleMouseLeavingArea(const Events::CMouseEvent &event) = 0;
};
} // namespace Orvalite::GUI::Listeners
