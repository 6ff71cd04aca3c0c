// A titled list of menu items, some of which open further menus. Counted;
// held by the controls that show it and by the items that open it. A menu is
// never reachable from itself: adding a sub-menu that would close a loop is
// refused, so walking the sub-menus always ends.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "foundation/basics/CString.h"
#include "foundation/collections/TCountedPointerArray.h"
#include "gui/controls/base/CControlDescriptor.h"
#include "gui/controls/menus/CMenuItem.h"

namespace Orvalite::GUI::Controls
{
class CDescriptorFields;

class CMenu : public ::Orvalite::Basics::CCountedObject
{
public:
    explicit CMenu(const ::Orvalite::Basics::CString &title = "");

    const ::Orvalite::Basics::CString &getTitle() const { return m_title; }
    void setTitle(const ::Orvalite::Basics::CString &title) { m_title = title; }

    // Appends the item (taking a reference). False, and the item released,
    // when it opens this menu or a menu from which this one can be reached;
    // false for no item.
    bool addItem(CMenuItem *item);
    // Appends an item that opens `menu`; refused as addItem refuses.
    bool addSubMenu(const ::Orvalite::Basics::CString &text, CMenu *menu);
    long getNumberOfItems() const { return m_items.getInsertIndex(); }
    // Null outside 0 … number of items - 1.
    CMenuItem *getItem(long index) const;
    // Whether `menu` is this menu or is opened, at any depth, from its items.
    bool reaches(const CMenu *menu) const;

    // "Menu Title" (string).
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const;
    bool setDescriptor(const CControlDescriptor &descriptor);
    bool fillDescriptor(CControlDescriptor &descriptor) const;

    ORVALITE_CLASS_RECORD(CMenu)

private:
    CDescriptorFields describe() const;

    ::Orvalite::Basics::CString m_title;
    Collections::TCountedPointerArray<CMenuItem> m_items;
};
} // namespace Orvalite::GUI::Controls
