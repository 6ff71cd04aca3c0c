// A latching button that opens its menu below itself when clicked on; it
// stays on while the menu is open and goes off when it closes. The chosen
// item reaches the listener as a CMenuEvent with the item's id. Holds a
// counted reference to the menu and owns the menu's window.
#pragma once

#include "gui/controls/buttons/CLatchingButton.h"
#include "gui/controls/menus/CMenuWindow.h"
#include "gui/controls/menus/IMenuWindowOwner.h"

#include <memory>

namespace Orvalite::GUI::Controls
{
class CMenu;

class CPopupButton : public CLatchingButton, public IMenuWindowOwner
{
public:
    // Throws CException without a menu.
    CPopupButton(IControlRoot *root, long uniqueId, const MathTools::CRect &area, CMenu *menu,
                 Listeners::IActionListener *actionListener = nullptr);
    ~CPopupButton() override;

    CMenu *getMenu() const { return m_menu; }
    // Null until the menu first opens.
    CMenuWindow *getMenuWindow() const { return m_menuWindow.get(); }

    void handleLeftButtonUp(const Events::CMouseEvent &event) override;

    void menuItemChosen(CMenuItem &item) override;
    void menuClosed() override;
    void pointerOutsideMenu(const MathTools::CPoint &) override {}
    void holdOwner() override { referenced(); }
    void releaseOwner() override { dereference(); }

    ORVALITE_CLASS_RECORD(CPopupButton)

private:
    CMenu *m_menu;
    std::unique_ptr<CMenuWindow> m_menuWindow;
};
} // namespace Orvalite::GUI::Controls
