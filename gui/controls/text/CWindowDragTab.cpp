#include "gui/controls/text/CWindowDragTab.h"

#include "foundation/basics/CException.h"
#include "gui/controls/base/IControlRoot.h"
#include "gui/events/CMouseEvent.h"
#include "gui/windowing/CWindowAttributes.h"
#include "gui/windowing/IWindow.h"

namespace Orvalite::GUI::Controls
{
using MathTools::CPoint;

ORVALITE_DEFINE_CLASS_RECORD(CWindowDragTab, "CWindowDragTab", "CControl")

namespace
{
// Win32's child-window style bit.
constexpr uint32_t CHILD_STYLE = 0x40000000;

bool isChildWindow(Windowing::IWindow &window)
{
    return window.getParentWindow() != nullptr || (window.getWindowAttributes().getWindowStyle() & CHILD_STYLE) != 0;
}
} // namespace

CWindowDragTab::CWindowDragTab(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                               Listeners::IActionListener *actionListener)
    : CControl(root, uniqueId, area, actionListener)
{
    setDefaultDrawing(true);
}

void CWindowDragTab::drawControl(Graphics::CGraphics &graphics)
{
    if (drawDisabledControl(graphics))
    {
        drawPrimaryImage(graphics, isDefaultDrawing());
    }
}

void CWindowDragTab::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    m_dragging = true;
    m_grab = event.getMousePosition();
    getControlRoot()->lockControl(this);
}

void CWindowDragTab::handleLeftButtonUp(const Events::CMouseEvent &)
{
    m_dragging = false;
    if (getControlRoot()->getLockedControl() == this)
    {
        getControlRoot()->unlockControl();
    }
}

void CWindowDragTab::handleMouseMovement(const Events::CMouseEvent &event)
{
    Windowing::IWindow *window = getControlRoot()->getParentWindow();
    if (!window)
    {
        throw Exceptions::CException("Root Window is NULL", "CWindowDragTab::handleMouseMovement(CMouseEvent &)",
                                     false);
    }
    if (!m_dragging || isChildWindow(*window))
    {
        return;
    }
    // The tab moves with the window, so the pointer's offset from the grab is how far to go.
    const CPoint &pointer = event.getMousePosition();
    const CPoint &position = window->getWindowPosition();
    window->setWindowPosition(CPoint(position.getXPosition() + pointer.getXPosition() - m_grab.getXPosition(),
                                     position.getYPosition() + pointer.getYPosition() - m_grab.getYPosition()));
}
} // namespace Orvalite::GUI::Controls
