// A text field with a drop-down menu: a click opens the menu below it, and
// the chosen item's text becomes the field's text and reaches the listener as
// a CMenuEvent with the item's id. With "Use Icons" the chosen item is ticked
// in the menu. The arrow box at the right shows the down image, when there is
// one, while the menu is open. Holds a counted reference to the menu and owns
// the menu's window.
#pragma once

#include "gui/controls/base/CDescriptorFields.h"
#include "gui/controls/menus/CMenuWindow.h"
#include "gui/controls/menus/IMenuWindowOwner.h"
#include "gui/controls/text/CTextLabel.h"

#include <memory>

namespace Orvalite::GUI::Controls
{
class CMenu;

class CComboBox : public CTextLabel, public IMenuWindowOwner
{
public:
    // Throws CException without a menu.
    CComboBox(IControlRoot *root, long uniqueId, const MathTools::CRect &area, const ::Orvalite::Basics::CString &text,
              CMenu *menu);
    ~CComboBox() override;

    CMenu *getMenu() const { return m_menu; }
    // Null until the menu first opens.
    CMenuWindow *getMenuWindow() const { return m_menuWindow.get(); }
    void setUseIcons(bool flag) { m_useIcons = flag; }

    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void drawControl(Graphics::CGraphics &graphics) override;
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;

    void menuItemChosen(CMenuItem &item) override;
    void menuClosed() override { update(); }
    void pointerOutsideMenu(const MathTools::CPoint &) override {}
    void holdOwner() override { referenced(); }
    void releaseOwner() override { dereference(); }

    ORVALITE_CLASS_RECORD(CComboBox)

private:
    CDescriptorFields describe() const;
    void drawArrowBox(Graphics::CGraphics &graphics) const;

    CMenu *m_menu;
    std::unique_ptr<CMenuWindow> m_menuWindow;
    bool m_useIcons = false;
    Graphics::IImage *m_downImage = nullptr;
};
} // namespace Orvalite::GUI::Controls
