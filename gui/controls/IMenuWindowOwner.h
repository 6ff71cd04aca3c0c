// What a menu window reports to the control that opened it: the item chosen,
// the menu closed (after a choice too), and where the pointer moves outside
// every open menu (a menu bar switches menus there). The window does not own it.
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

protected:
    ~IMenuWindowOwner() = default;
};
} // namespace Orvalite::GUI::Controls
