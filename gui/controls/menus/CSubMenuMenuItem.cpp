#include "gui/controls/menus/CSubMenuMenuItem.h"

#include "foundation/basics/CException.h"
#include "gui/controls/menus/CMenu.h"

namespace Orvalite::GUI::Controls
{
ORVALITE_DEFINE_CLASS_RECORD(CSubMenuMenuItem, "CSubMenuMenuItem", "CMenuItem")

CSubMenuMenuItem::CSubMenuMenuItem(const ::Orvalite::Basics::CString &text, CMenu *menu)
    : CMenuItem(text, SUB_MENU_ID), m_menu(menu)
{
    if (!m_menu)
    {
        throw Exceptions::CException("Sub-menu is null", "CSubMenuMenuItem::CSubMenuMenuItem(const CString &, CMenu *)",
                                     false);
    }
    m_menu->referenced();
}

CSubMenuMenuItem::~CSubMenuMenuItem()
{
    m_menu->dereference();
}
} // namespace Orvalite::GUI::Controls
