#include "gui/controls/menus/CMenuBar.h"

#include "gui/controls/menus/CMenu.h"
#include "gui/controls/menus/CMenuItem.h"
#include "gui/controls/menus/CMenuItemDisplay.h"
#include "gui/events/CMenuEvent.h"
#include "gui/events/CMouseEvent.h"
#include "gui/fonts/CFont.h"
#include "gui/graphics/CGraphics.h"
#include "gui/listeners/IActionListener.h"

namespace Orvalite::GUI::Controls
{
using MathTools::CPoint;
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CMenuBar, "CMenuBar", "CControl")

namespace
{
// Centred on one line.
constexpr long TITLE_ALIGNMENT = 10;
} // namespace

CMenuBar::CMenuBar(IControlRoot *root, long uniqueId, const CRect &area, Listeners::IActionListener *actionListener)
    : CControl(root, uniqueId, area, actionListener)
{
    setDefaultControlColours(CMenuItemDisplay::backgroundColour(), Basics::CAlphaColour(112, 112, 112));
}

CMenuBar::~CMenuBar()
{
    m_menuWindow.reset();
}

void CMenuBar::addMenu(CMenu *menu)
{
    if (!menu)
    {
        return;
    }
    m_menus.addElement(menu);
    update();
}

CRect CMenuBar::getTitleArea(long index) const
{
    long left = 0;
    long width = 0;
    for (long title = 0; title <= index && title < getNumberOfMenus(); ++title)
    {
        left += width;
        MathTools::CDimension size;
        const bool measured = Graphics::CGraphics::getTextExtent(m_menus.getElementAtIndex(title)->getTitle(), size,
                                                                 Fonts::CFont::getDefaultFont());
        width = (measured ? size.getWidth() : 0) + 2 * TITLE_PADDING;
    }
    return CRect(left, 0, width, getNormalisedArea().getHeight());
}

long CMenuBar::titleAt(const CPoint &point) const
{
    for (long index = 0; index < getNumberOfMenus(); ++index)
    {
        const CRect area = getTitleArea(index);
        if (point.getXPosition() >= area.getLeft() && point.getXPosition() < area.getRight() &&
            point.getYPosition() >= 0 && point.getYPosition() < area.getBottom())
        {
            return index;
        }
    }
    return -1;
}

void CMenuBar::open(long index)
{
    if (!m_menuWindow)
    {
        m_menuWindow = std::make_unique<CMenuWindow>(*this);
    }
    CRect anchor = getTitleArea(index);
    const CRect bar = CMenuWindow::screenAreaOf(*this);
    anchor.offset(CPoint(bar.getLeft(), bar.getTop()));
    m_openIndex = index;
    m_menuWindow->popUp(m_menus.getElementAtIndex(index), anchor);
    update();
}

void CMenuBar::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    const long index = titleAt(event.getMousePosition());
    if (index >= 0)
    {
        open(index);
    }
}

void CMenuBar::pointerOutsideMenu(const CPoint &screenPoint)
{
    const CRect bar = CMenuWindow::screenAreaOf(*this);
    const long index =
        titleAt(CPoint(screenPoint.getXPosition() - bar.getLeft(), screenPoint.getYPosition() - bar.getTop()));
    if (index >= 0 && index != m_openIndex)
    {
        open(index);
    }
}

void CMenuBar::menuItemChosen(CMenuItem &item)
{
    if (Listeners::IActionListener *listener = getActionListener())
    {
        listener->handleActionEvent(Events::CMenuEvent(this, item.getId()));
    }
}

void CMenuBar::menuClosed()
{
    m_openIndex = -1;
    update();
}

void CMenuBar::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    drawPrimaryImage(graphics, true);
    for (long index = 0; index < getNumberOfMenus(); ++index)
    {
        const CRect area = getTitleArea(index);
        const bool open = index == m_openIndex;
        if (open)
        {
            graphics.getBrush()->setColour(CMenuItemDisplay::highlightColour());
            graphics.fillRectangle(area);
        }
        graphics.setTextColour(open ? Basics::CAlphaColour(255, 255, 255) : Basics::CAlphaColour(0, 0, 0));
        graphics.drawText(m_menus.getElementAtIndex(index)->getTitle(), area, Fonts::CFont::getDefaultFont(),
                          TITLE_ALIGNMENT);
    }
}
} // namespace Orvalite::GUI::Controls
