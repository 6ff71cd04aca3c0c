#include "gui/controls/menus/CPopupButton.h"

#include "foundation/basics/CException.h"
#include "gui/controls/base/CControlRoot.h"
#include "gui/controls/menus/CMenu.h"
#include "gui/controls/menus/CMenuItem.h"
#include "gui/events/CMenuEvent.h"
#include "gui/events/CMouseEvent.h"
#include "gui/listeners/IActionListener.h"

namespace Orvalite::GUI::Controls
{
ORVALITE_DEFINE_CLASS_RECORD(CPopupButton, "CPopupButton", "CLatchingButton")

CPopupButton::CPopupButton(IControlRoot *root, long uniqueId, const MathTools::CRect &area, CMenu *menu,
                           Listeners::IActionListener *actionListener)
    : CLatchingButton(root, uniqueId, area, actionListener), m_menu(menu)
{
    if (!m_menu)
    {
        throw Exceptions::CException(
            "Menu is NULL",
            "CPopupButton::CPopupButton(IControlRoot *, const long, const CRect &, CMenu *, IActionListener *)", false);
    }
    m_menu->referenced();
}

CPopupButton::~CPopupButton()
{
    m_menuWindow.reset();
    m_menu->dereference();
}

void CPopupButton::handleLeftButtonUp(const Events::CMouseEvent &event)
{
    setPressed(false);
    if (!trackPointer(event, false) || m_menu->getNumberOfItems() == 0)
    {
        return;
    }
    if (!m_menuWindow)
    {
        m_menuWindow = std::make_unique<CMenuWindow>(*this);
    }
    setValue(1.0);
    update();
    m_menuWindow->popUp(m_menu, CMenuWindow::screenAreaOf(*this));
}

void CPopupButton::menuItemChosen(CMenuItem &item)
{
    if (Listeners::IActionListener *listener = getActionListener())
    {
        listener->handleActionEvent(Events::CMenuEvent(this, item.getId()));
    }
}

void CPopupButton::menuClosed()
{
    setValue(0.0);
    update();
}
} // namespace Orvalite::GUI::Controls
