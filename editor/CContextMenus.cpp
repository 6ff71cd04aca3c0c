#include "editor/CContextMenus.h"

#include "editor/CVeltrixEditor.h"
#include "editor/VeltrixEditorLayout.h"
#include "effect/VeltrixParameterTable.h"
#include "gui/controls/menus/CMenu.h"
#include "gui/controls/menus/CSubMenuMenuItem.h"
#include "gui/events/CMouseEvent.h"

#include <cstdio>

namespace Orvalite::Veltrix
{
ORVALITE_DEFINE_CLASS_RECORD(CContextMenus, "CContextMenus", "CCountedObject")

using GUI::Controls::CMenu;
using GUI::Controls::CMenuItem;
using GUI::Events::CMouseEvent;
using MathTools::CRect;

namespace
{
// The parameter's value when its object is made, from its definition, within 0 … 1.
double factoryDefault(long id)
{
    const SParameterDefinition *definition = findParameterDefinition(static_cast<int>(id));
    if (!definition || definition->kind == SParameterDefinition::EKind::Select)
    {
        return 0.0;
    }
    return normalisedWithin(definition->minimum, definition->maximum, definition->initialReal);
}
} // namespace

CContextMenus::CContextMenus(CVeltrixEditor &editor) : m_editor(editor) {}

CContextMenus::~CContextMenus()
{
    m_menuWindow.reset();
}

void CContextMenus::getObjectDescription(char *buffer, long size) const
{
    if (buffer && size > 0)
    {
        std::snprintf(buffer, static_cast<size_t>(size), "%s", "CContextMenus");
    }
}

void CContextMenus::openAt(const MathTools::CPoint &point)
{
    GUI::Controls::IControl *target = m_editor.getControlRoot().getMouseEnabledControlAtPoint(point);
    m_parameter = target && isRecordedParameter(target->getUniqueId()) ? target->getUniqueId() : -1;
    CMenu *menu = m_parameter >= 0 ? createParameterMenu() : createPanelMenu();
    menu->referenced();
    if (!m_menuWindow)
    {
        m_menuWindow = std::make_unique<GUI::Controls::CMenuWindow>(*this);
    }
    m_menuWindow->popUp(menu, GUI::Controls::CMenuWindow::screenAreaOf(
                                  m_editor, CRect(point.getXPosition(), point.getYPosition(), 0, 0)));
    menu->dereference();
}

void CContextMenus::close()
{
    if (m_menuWindow)
    {
        m_menuWindow->hideWindow();
    }
}

CMenu *CContextMenus::createParameterMenu() const
{
    auto *menu = new CMenu();
    menu->addItem(new CMenuItem("Default value", DEFAULT_VALUE_ITEM));
    menu->addItem(new CMenuItem("Type a value\u2026", TYPE_A_VALUE_ITEM));
    return menu;
}

CMenu *CContextMenus::createPanelMenu() const
{
    auto *sizes = new CMenu("Size");
    for (long percent : CEditorScale::SIZES)
    {
        char text[16];
        std::snprintf(text, sizeof(text), "%ld %%", percent);
        sizes->addItem(new CMenuItem(text, percent, m_editor.getScale().getPercent() == percent ? 1 : 0));
    }
    auto *menu = new CMenu();
    menu->addSubMenu("Size", sizes);
    return menu;
}

void CContextMenus::menuItemChosen(CMenuItem &item)
{
    if (m_parameter < 0)
    {
        m_editor.setScale(item.getId());
    }
    else if (item.getId() == DEFAULT_VALUE_ITEM)
    {
        m_editor.editParameter(m_parameter, factoryDefault(m_parameter));
    }
    else if (GUI::Controls::CTextEdit *edit = m_editor.getReadout(m_parameter))
    {
        edit->startEditing();
    }
}

void CContextMenus::handleRightButtonUp(const CMouseEvent &event)
{
    GUI::Controls::CControlRoot &root = m_editor.getControlRoot();
    if (root.getModalControl() || root.controlIsLocked())
    {
        root.handleRightButtonUp(event);
        return;
    }
    openAt(event.getMousePosition());
}

void CContextMenus::handleLeftButtonDown(const CMouseEvent &event)
{
    m_editor.getControlRoot().handleLeftButtonDown(event);
}

void CContextMenus::handleLeftButtonUp(const CMouseEvent &event)
{
    m_editor.getControlRoot().handleLeftButtonUp(event);
}

void CContextMenus::handleRightButtonDown(const CMouseEvent &event)
{
    m_editor.getControlRoot().handleRightButtonDown(event);
}

void CContextMenus::handleDoubleClick(const CMouseEvent &event)
{
    m_editor.getControlRoot().handleDoubleClick(event);
}

void CContextMenus::handleMouseScroll(const CMouseEvent &event)
{
    m_editor.getControlRoot().handleMouseScroll(event);
}

void CContextMenus::handleMouseMovement(const CMouseEvent &event)
{
    m_editor.getControlRoot().handleMouseMovement(event);
}

void CContextMenus::handleMouseLeavingArea(const CMouseEvent &event)
{
    m_editor.getControlRoot().handleMouseLeavingArea(event);
}
} // namespace Orvalite::Veltrix
