// What a menu window reports to the control that opened it: the item chosen,
// the menu closed (after a choice too), and where the pointer moves outside
// every open menu (a menu bar switches menus there). The window does not own it,
// but holds it through each input message, so that a listener that destroys the
// owner (and with it the menu window) while it hears of a choice frees them
// only once the message is over.
#pragma once

#include "foundation/mathtools/CPoint.h"

namespace Orvalite::GUI::Controls
{
class CMenuItem;

class IMenuWindowOwner
{
public:
    virtual void menuItemChosen(CMenuItem &item) = 0;
    virtual void menuClosed() = 0;
    // The point is in screen coordinates.
    virtual void pointerOutsideMenu(const MathTools::CPoint &screenPoint) = 0;
    // A counted reference to the owner; releaseOwner may delete it.
    virtual void holdOwner() = 0;
    virtual void releaseOwner() = 0;

protected:
    ~IMenuWindowOwner() = default;
};
} // namespace Orvalite::GUI::Controls
