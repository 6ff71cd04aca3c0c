// A menu entry that opens another menu beside it instead of being chosen;
// its id is -1. Holds a counted reference to that menu.
#pragma once

#include "gui/controls/menus/CMenuItem.h"

namespace Orvalite::GUI::Controls
{
class CSubMenuMenuItem : public CMenuItem
{
public:
    static constexpr long SUB_MENU_ID = -1;

    // Throws CException without a menu.
    CSubMenuMenuItem(const ::Orvalite::Basics::CString &text, CMenu *menu);
    ~CSubMenuMenuItem() override;

    CMenu *getSubMenu() const override { return m_menu; }

    ORVALITE_CLASS_RECORD(CSubMenuMenuItem)

private:
    CMenu *m_menu;
};
} // namespace Orvalite::GUI::Controls
