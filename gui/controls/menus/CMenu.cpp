#include "gui/controls/menus/CMenu.h"

#include "gui/controls/base/CDescriptorFields.h"
#include "gui/controls/menus/CSubMenuMenuItem.h"

namespace Orvalite::GUI::Controls
{
ORVALITE_DEFINE_CLASS_RECORD(CMenu, "CMenu", "CCountedObject")

CMenu::CMenu(const ::Orvalite::Basics::CString &title) : m_title(title) {}

bool CMenu::addItem(CMenuItem *item)
{
    if (!item)
    {
        return false;
    }
    item->referenced();
    const CMenu *subMenu = item->getSubMenu();
    const bool accepted = !subMenu || !subMenu->reaches(this);
    if (accepted)
    {
        m_items.addElement(item);
    }
    item->dereference();
    return accepted;
}

bool CMenu::addSubMenu(const ::Orvalite::Basics::CString &text, CMenu *menu)
{
    return addItem(new CSubMenuMenuItem(text, menu));
}

CMenuItem *CMenu::getItem(long index) const
{
    return index >= 0 && index < getNumberOfItems() ? m_items.getElementAtIndex(index) : nullptr;
}

bool CMenu::reaches(const CMenu *menu) const
{
    if (menu == this)
    {
        return true;
    }
    for (long index = 0; index < getNumberOfItems(); ++index)
    {
        const CMenu *subMenu = m_items.getElementAtIndex(index)->getSubMenu();
        if (subMenu && subMenu->reaches(menu))
        {
            return true;
        }
    }
    return false;
}

CDescriptorFields CMenu::describe() const
{
    // One table serves reading and writing; fill only reads through it.
    auto *self = const_cast<CMenu *>(this);
    return CDescriptorFields().text("Menu Title", self->m_title);
}

void CMenu::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    describe().addTo(list);
}

bool CMenu::setDescriptor(const CControlDescriptor &descriptor)
{
    return describe().apply(descriptor);
}

bool CMenu::fillDescriptor(CControlDescriptor &descriptor) const
{
    return describe().fill(descriptor);
}
} // namespace Orvalite::GUI::Controls
