#include "gui/controls/menus/CMenuWindow.h"

#include "foundation/host/CDisplayMetrics.h"
#include "gui/basics/CColour.h"
#include "gui/controls/menus/CMenu.h"
#include "gui/controls/menus/CMenuItemDisplay.h"
#include "gui/controls/menus/IMenuWindowOwner.h"
#include "gui/events/CKeyboardEvent.h"
#include "gui/events/CMouseEvent.h"
#include "gui/graphics/CGraphics.h"
#include "gui/windowing/WindowMessage.h"

#include <algorithm>
#include <atomic>

namespace Orvalite::GUI::Controls
{
using Events::CKeyboardEvent;
using MathTools::CDimension;
using MathTools::CPoint;
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CMenuWindow, "CMenuWindow", "CWindow")

namespace
{
// A pop-up without border or caption, top-most and never activated.
constexpr uint32_t POP_UP_STYLE = 0x80000000;
constexpr uint32_t TOPMOST_NO_ACTIVATE_STYLE = 0x08000008;
// Win32 virtual keys.
constexpr uint32_t RETURN_KEY = 0x0D;
constexpr uint32_t ESCAPE_KEY = 0x1B;
constexpr uint32_t LEFT_KEY = 0x25;
constexpr uint32_t UP_KEY = 0x26;
constexpr uint32_t RIGHT_KEY = 0x27;
constexpr uint32_t DOWN_KEY = 0x28;

std::atomic<long> s_instances{0};

bool contains(const CRect &area, const CPoint &point)
{
    return point.getXPosition() >= area.getLeft() && point.getXPosition() < area.getRight() &&
           point.getYPosition() >= area.getTop() && point.getYPosition() < area.getBottom();
}

// Moves the area inside the primary screen; unchanged while the screen size is unknown.
CRect keepInsideScreen(CRect area)
{
    const Host::SDisplayMetrics screen = Host::CDisplayMetrics::getMetrics();
    if (screen.screenWidth <= 0 || screen.screenHeight <= 0)
    {
        return area;
    }
    area.setLeft(std::clamp(area.getLeft(), 0L, std::max(0L, screen.screenWidth - area.getWidth())));
    area.setTop(std::clamp(area.getTop(), 0L, std::max(0L, screen.screenHeight - area.getHeight())));
    return area;
}

// The pointer and key messages: the ones that can choose an item. Messages sent
// while a window is torn down (its owner may be mid-destruction) are never these.
bool isInputMessage(uint32_t message)
{
    return (message >= Windowing::e_keyDown && message <= Windowing::e_character) ||
           (message >= Windowing::e_mouseMove && message <= Windowing::e_mouseWheel);
}

bool fitsOnScreen(long end, bool horizontal)
{
    const Host::SDisplayMetrics screen = Host::CDisplayMetrics::getMetrics();
    const long size = horizontal ? screen.screenWidth : screen.screenHeight;
    return size <= 0 || end <= size;
}
} // namespace

CPoint CMenuWindow::CMenuRoot::toScreen(const Events::CMouseEvent &event) const
{
    CPoint point = event.getMousePosition();
    point.offset(m_menuWindow.getWindowArea().getLeft(), m_menuWindow.getWindowArea().getTop());
    return point;
}

void CMenuWindow::CMenuRoot::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    m_menuWindow.outermost().buttonPressed(toScreen(event));
}

void CMenuWindow::CMenuRoot::handleRightButtonDown(const Events::CMouseEvent &event)
{
    m_menuWindow.outermost().buttonPressed(toScreen(event));
}

void CMenuWindow::CMenuRoot::handleLeftButtonUp(const Events::CMouseEvent &event)
{
    m_menuWindow.outermost().buttonReleased(toScreen(event));
}

void CMenuWindow::CMenuRoot::handleMouseMovement(const Events::CMouseEvent &event)
{
    m_menuWindow.outermost().pointerMoved(toScreen(event));
}

bool CMenuWindow::CMenuRoot::handleKeyDown(const CKeyboardEvent &event)
{
    return m_menuWindow.outermost().keyPressed(event.getKeyCode());
}

void CMenuWindow::CMenuRoot::drawRootControl(Graphics::CGraphics &graphics)
{
    const CDimension &size = m_menuWindow.getWindowSize();
    graphics.getPen()->setColour(Basics::CAlphaColour(112, 112, 112));
    graphics.drawRectangle(CRect(0, 0, size.getWidth(), size.getHeight()));
    CControlRoot::drawRootControl(graphics);
}

CMenuWindow::CMenuWindow(IMenuWindowOwner &owner) : CMenuWindow(owner, nullptr) {}

CMenuWindow::CMenuWindow(IMenuWindowOwner &owner, CMenuWindow *parent)
    : CWindow(CRect(0, 0, 100, 100)), m_owner(owner), m_parent(parent), m_depth(parent ? parent->m_depth + 1 : 0)
{
    m_name.setStringWithFormat("Menu_%li_%li", m_depth, s_instances++);
    replaceControlRoot(new CMenuRoot(*this));
    getWindowAttributes().set(m_name, Basics::CColour(240, 240, 240), 1.0, nullptr, true, true);
    getWindowAttributes().setWindowStyles(POP_UP_STYLE, TOPMOST_NO_ACTIVATE_STYLE);
}

CMenuWindow::~CMenuWindow()
{
    close(false);
    m_subMenu.reset();
    uninitialiseWindow();
    if (m_menu)
    {
        m_menu->dereference();
    }
}

intptr_t CMenuWindow::handleNativeMessage(Basics::NativeWindowHandle handle, uint32_t message, uintptr_t wParam,
                                          intptr_t lParam)
{
    if (!isInputMessage(message))
    {
        return CWindow::handleNativeMessage(handle, message, wParam, lParam);
    }
    // Releasing the owner may destroy this window: nothing of it is used afterwards.
    IMenuWindowOwner &owner = m_owner;
    owner.holdOwner();
    const intptr_t result = CWindow::handleNativeMessage(handle, message, wParam, lParam);
    owner.releaseOwner();
    return result;
}

void CMenuWindow::popUp(CMenu *menu, const CRect &anchor)
{
    if (!menu || menu->getNumberOfItems() == 0)
    {
        return;
    }
    close(false);
    layOut(menu);
    show(placeBelow(anchor));
    getMouse().captureMouse(*this);
}

void CMenuWindow::layOut(CMenu *menu)
{
    menu->referenced();
    if (m_menu)
    {
        m_menu->dereference();
    }
    m_menu = menu;
    CControlRoot &root = getControlRoot();
    root.clearControls();
    long width = 0;
    for (long index = 0; index < menu->getNumberOfItems(); ++index)
    {
        width = std::max(width, CMenuItemDisplay::preferredWidth(*menu->getItem(index)));
    }
    for (long index = 0; index < menu->getNumberOfItems(); ++index)
    {
        const CRect area(BORDER, BORDER + index * CMenuItemDisplay::ITEM_HEIGHT, width, CMenuItemDisplay::ITEM_HEIGHT);
        root.addControl(new CMenuItemDisplay(&root, area, menu->getItem(index)));
    }
    setWindowSize(
        CDimension(width + 2 * BORDER, menu->getNumberOfItems() * CMenuItemDisplay::ITEM_HEIGHT + 2 * BORDER));
}

void CMenuWindow::show(const CRect &area)
{
    setWindowArea(area);
    if (!getWindowHandle())
    {
        intialiseWindow(getWindowAttributes(), false);
    }
    m_highlighted = -1;
    m_subMenuIndex = -1;
    m_open = true;
    CWindow::showWindow();
    if (Windowing::INativeWindowSystem *system = Windowing::INativeWindowSystem::current(); system && getWindowHandle())
    {
        system->bringToFront(getWindowHandle());
    }
    redrawWindow();
}

CRect CMenuWindow::placeBelow(const CRect &anchor) const
{
    const CDimension &size = getWindowSize();
    CRect area(anchor.getLeft(), anchor.getBottom(), size.getWidth(), size.getHeight());
    if (!fitsOnScreen(area.getBottom(), false) && anchor.getTop() >= size.getHeight())
    {
        area.setTop(anchor.getTop() - size.getHeight());
    }
    return keepInsideScreen(area);
}

CRect CMenuWindow::placeBeside(const CRect &item) const
{
    const CDimension &size = getWindowSize();
    CRect area(item.getRight() + BORDER, item.getTop() - BORDER, size.getWidth(), size.getHeight());
    if (!fitsOnScreen(area.getRight(), true))
    {
        area.setLeft(item.getLeft() - size.getWidth());
    }
    return keepInsideScreen(area);
}

CRect CMenuWindow::screenAreaOf(const IControl &control)
{
    const Windowing::IWindow *window = control.getControlRoot()->getParentWindow();
    return window ? screenAreaOf(*window, control.getWindowArea()) : control.getWindowArea();
}

CRect CMenuWindow::screenAreaOf(const Windowing::IWindow &window, const CRect &areaInWindow)
{
    Windowing::INativeWindowSystem *system = Windowing::INativeWindowSystem::current();
    const CRect windowArea =
        system && window.getWindowHandle() ? system->getScreenArea(window.getWindowHandle()) : window.getWindowArea();
    CRect area = areaInWindow;
    area.offset(CPoint(windowArea.getLeft(), windowArea.getTop()));
    return area;
}

void CMenuWindow::hideWindow()
{
    close(true);
}

void CMenuWindow::close(bool tellOwner)
{
    if (!m_open)
    {
        return;
    }
    closeSubMenu();
    m_open = false;
    if (getMouse().isCapturedBy(*this))
    {
        getMouse().releaseMouse();
    }
    CWindow::hideWindow();
    if (tellOwner && !m_parent)
    {
        m_owner.menuClosed();
    }
}

CMenuItemDisplay *CMenuWindow::getItemDisplay(long index) const
{
    return dynamic_cast<CMenuItemDisplay *>(
        const_cast<CMenuWindow *>(this)->getControlRoot().getControlAtIndex(index, true));
}

CMenuWindow *CMenuWindow::getOpenSubMenu() const
{
    return m_subMenu && m_subMenu->m_open ? m_subMenu.get() : nullptr;
}

CMenuWindow &CMenuWindow::outermost()
{
    return m_parent ? m_parent->outermost() : *this;
}

CMenuWindow &CMenuWindow::innermost()
{
    CMenuWindow *subMenu = getOpenSubMenu();
    return subMenu ? subMenu->innermost() : *this;
}

CMenuWindow *CMenuWindow::windowAt(const CPoint &screenPoint)
{
    for (CMenuWindow *window = &innermost(); window; window = window->m_parent)
    {
        if (window->m_open && contains(window->getWindowArea(), screenPoint))
        {
            return window;
        }
    }
    return nullptr;
}

long CMenuWindow::itemAt(const CPoint &screenPoint) const
{
    const long y = screenPoint.getYPosition() - getWindowArea().getTop() - BORDER;
    const long index = y / CMenuItemDisplay::ITEM_HEIGHT;
    return y >= 0 && m_menu && index < m_menu->getNumberOfItems() ? index : -1;
}

void CMenuWindow::highlight(long index)
{
    if (index == m_highlighted)
    {
        return;
    }
    if (CMenuItemDisplay *display = getItemDisplay(m_highlighted))
    {
        display->setHighlighted(false);
    }
    m_highlighted = index;
    if (CMenuItemDisplay *display = getItemDisplay(index))
    {
        display->setHighlighted(true);
    }
}

void CMenuWindow::stepHighlight(long step)
{
    const long count = m_menu ? m_menu->getNumberOfItems() : 0;
    const long start = m_highlighted >= 0 ? m_highlighted : (step > 0 ? -1 : count);
    for (long moved = 1; moved <= count; ++moved)
    {
        const long index = ((start + step * moved) % count + count) % count;
        if (m_menu->getItem(index)->isEnabled())
        {
            highlight(index);
            return;
        }
    }
}

CMenuItem *CMenuWindow::highlightedItem() const
{
    return m_menu ? m_menu->getItem(m_highlighted) : nullptr;
}

bool CMenuWindow::openHighlightedSubMenu()
{
    CMenuItem *item = highlightedItem();
    CMenu *subMenu = item && item->isEnabled() ? item->getSubMenu() : nullptr;
    if (!subMenu || subMenu->getNumberOfItems() == 0 || m_depth >= MAXIMUM_DEPTH)
    {
        closeSubMenu();
        return false;
    }
    if (getOpenSubMenu() && m_subMenuIndex == m_highlighted)
    {
        return true;
    }
    closeSubMenu();
    if (!m_subMenu)
    {
        m_subMenu.reset(new CMenuWindow(m_owner, this));
    }
    CRect itemArea = getItemDisplay(m_highlighted)->getArea();
    itemArea.offset(CPoint(getWindowArea().getLeft(), getWindowArea().getTop()));
    m_subMenu->layOut(subMenu);
    m_subMenu->show(m_subMenu->placeBeside(itemArea));
    m_subMenuIndex = m_highlighted;
    return true;
}

void CMenuWindow::closeSubMenu()
{
    if (m_subMenu)
    {
        m_subMenu->close(false);
    }
    m_subMenuIndex = -1;
}

void CMenuWindow::pointerMoved(const CPoint &screenPoint)
{
    CMenuWindow *window = windowAt(screenPoint);
    if (!window)
    {
        m_owner.pointerOutsideMenu(screenPoint);
        return;
    }
    const long index = window->itemAt(screenPoint);
    if (index >= 0)
    {
        window->highlight(index);
        window->openHighlightedSubMenu();
    }
}

void CMenuWindow::buttonPressed(const CPoint &screenPoint)
{
    if (!windowAt(screenPoint))
    {
        close(true);
    }
}

void CMenuWindow::buttonReleased(const CPoint &screenPoint)
{
    CMenuWindow *window = windowAt(screenPoint);
    CMenuItem *item = window ? window->m_menu->getItem(window->itemAt(screenPoint)) : nullptr;
    if (item && item->isEnabled() && !item->getSubMenu())
    {
        choose(*item);
    }
}

bool CMenuWindow::keyPressed(long keyCode)
{
    CMenuWindow &target = innermost();
    const auto is = [keyCode](uint32_t virtualKey) { return keyCode == CKeyboardEvent::keyCodeOf(virtualKey); };
    if (is(UP_KEY) || is(DOWN_KEY))
    {
        target.stepHighlight(is(UP_KEY) ? -1 : 1);
    }
    else if (is(LEFT_KEY) || is(ESCAPE_KEY))
    {
        if (target.m_parent)
        {
            target.m_parent->closeSubMenu();
        }
        else if (is(ESCAPE_KEY))
        {
            close(true);
        }
    }
    else if (is(RIGHT_KEY) || is(RETURN_KEY))
    {
        CMenuItem *item = target.highlightedItem();
        if (target.openHighlightedSubMenu())
        {
            target.m_subMenu->stepHighlight(1);
        }
        else if (item && is(RETURN_KEY) && item->isEnabled() && !item->getSubMenu())
        {
            choose(*item);
        }
    }
    else
    {
        return false;
    }
    return true;
}

void CMenuWindow::choose(CMenuItem &item)
{
    item.referenced();
    close(false);
    m_owner.menuItemChosen(item);
    m_owner.menuClosed();
    item.dereference();
}
} // namespace Orvalite::GUI::Controls
