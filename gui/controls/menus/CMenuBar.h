// A bar of menus: their titles side by side from the left; a click on a title
// opens its menu below it, and while a menu is open, moving the pointer onto
// another title opens that one instead. A chosen item reaches the listener as
// a CMenuEvent with the item's id. Holds counted references to its menus and
// owns their window.
#pragma once

#include "foundation/collections/TCountedPointerArray.h"
#include "gui/controls/base/CControl.h"
#include "gui/controls/menus/CMenuWindow.h"
#include "gui/controls/menus/IMenuWindowOwner.h"

#include <memory>

namespace Orvalite::GUI::Controls
{
class CMenu;

class CMenuBar : public CControl, public IMenuWindowOwner
{
public:
    // Space on either side of a title.
    static constexpr long TITLE_PADDING = 8;

    CMenuBar(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
             Listeners::IActionListener *actionListener = nullptr);
    ~CMenuBar() override;

    // Appends the menu (taking a reference); its title is shown on the bar. Null is ignored.
    void addMenu(CMenu *menu);
    long getNumberOfMenus() const { return m_menus.getInsertIndex(); }
    // The title's area in control coordinates.
    MathTools::CRect getTitleArea(long index) const;
    // The menu open now; -1 for none.
    long getOpenIndex() const { return m_openIndex; }
    // Null until a menu first opens.
    CMenuWindow *getMenuWindow() const { return m_menuWindow.get(); }

    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void drawControl(Graphics::CGraphics &graphics) override;

    void menuItemChosen(CMenuItem &item) override;
    void menuClosed() override;
    void pointerOutsideMenu(const MathTools::CPoint &screenPoint) override;
    void holdOwner() override { referenced(); }
    void releaseOwner() override { dereference(); }

    ORVALITE_CLASS_RECORD(CMenuBar)

private:
    long titleAt(const MathTools::CPoint &point) const;
    void open(long index);

    Collections::TCountedPointerArray<CMenu> m_menus;
    std::unique_ptr<CMenuWindow> m_menuWindow;
    long m_openIndex = -1;
};
} // namespace Orvalite::GUI::Controls
