// The editor's right-click menus. It hears the editor window's mouse before
// the controls do: a right-click on a parameter's knob, button or read-out
// opens "Default value" and "Type a value…" for that parameter, anywhere else
// "Size" ▸ 100 % / 150 % / 200 %; every other event goes on to the control
// root. The editor holds it (counted) and registers it as its window's mouse
// listener.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "gui/controls/menus/CMenuWindow.h"
#include "gui/controls/menus/IMenuWindowOwner.h"
#include "gui/listeners/IMouseListener.h"

#include <memory>

namespace Orvalite::Veltrix
{
class CVeltrixEditor;

class CContextMenus : public ::Orvalite::Basics::CCountedObject,
                      public GUI::Listeners::IMouseListener,
                      public GUI::Controls::IMenuWindowOwner
{
public:
    // The ids of the parameter menu's items; the size items' ids are their percentages.
    static constexpr long DEFAULT_VALUE_ITEM = 1;
    static constexpr long TYPE_A_VALUE_ITEM = 2;

    explicit CContextMenus(CVeltrixEditor &editor);
    ~CContextMenus() override;

    void referenced() override { CCountedObject::referenced(); }
    void dereference() override { CCountedObject::dereference(); }
    long getReferenceCount() const override { return CCountedObject::getReferenceCount(); }
    void getObjectDescription(char *buffer, long size) const override;

    // Opens the menu for what lies at `point` (window coordinates), below the point.
    void openAt(const MathTools::CPoint &point);
    void close();
    // Null until a menu first opens.
    GUI::Controls::CMenuWindow *getMenuWindow() const { return m_menuWindow.get(); }

    void handleLeftButtonDown(const GUI::Events::CMouseEvent &event) override;
    void handleLeftButtonUp(const GUI::Events::CMouseEvent &event) override;
    void handleRightButtonDown(const GUI::Events::CMouseEvent &event) override;
    // Opens a menu unless a control holds the mouse or the keys (a drag, an edit).
    void handleRightButtonUp(const GUI::Events::CMouseEvent &event) override;
    void handleDoubleClick(const GUI::Events::CMouseEvent &event) override;
    void handleMouseScroll(const GUI::Events::CMouseEvent &event) override;
    void handleMouseMovement(const GUI::Events::CMouseEvent &event) override;
    void handleMouseLeavingArea(const GUI::Events::CMouseEvent &event) override;

    void menuItemChosen(GUI::Controls::CMenuItem &item) override;
    void menuClosed() override {}
    void pointerOutsideMenu(const MathTools::CPoint &) override {}
    void holdOwner() override { referenced(); }
    void releaseOwner() override { dereference(); }

    ORVALITE_CLASS_RECORD(CContextMenus)

private:
    GUI::Controls::CMenu *createParameterMenu() const;
    GUI::Controls::CMenu *createPanelMenu() const;

    CVeltrixEditor &m_editor;
    // The parameter the open menu is for; -1 for the panel's menu.
    long m_parameter = -1;
    std::unique_ptr<GUI::Controls::CMenuWindow> m_menuWindow;
};
} // namespace Orvalite::Veltrix
