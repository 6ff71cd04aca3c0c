#include "gui/controls/menus/CMenuItemDisplay.h"

#include "foundation/basics/CException.h"
#include "foundation/mathtools/CPolygon.h"
#include "gui/controls/menus/CMenuItem.h"
#include "gui/fonts/CFont.h"
#include "gui/graphics/CGraphics.h"

#include <algorithm>

namespace Orvalite::GUI::Controls
{
using Basics::CAlphaColour;
using MathTools::CPoint;
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CMenuItemDisplay, "CMenuItemDisplay", "CControl")

namespace
{
// Left aligned, vertically centred on one line.
constexpr long TEXT_ALIGNMENT = 3;
constexpr long MINIMUM_WIDTH = 80;
} // namespace

CMenuItemDisplay::CMenuItemDisplay(IControlRoot *root, const CRect &area, CMenuItem *item) : CControl(root, -1, area)
{
    setMenuItem(item);
    setExcludedFromXML(true);
}

CMenuItemDisplay::~CMenuItemDisplay()
{
    m_item->dereference();
}

void CMenuItemDisplay::setMenuItem(CMenuItem *item)
{
    if (!item)
    {
        throw Exceptions::CException("Menu item is null", "CMenuItemDisplay::setMenuItem(CMenuItem *)", false);
    }
    item->referenced();
    if (m_item)
    {
        m_item->dereference();
    }
    m_item = item;
}

void CMenuItemDisplay::setHighlighted(bool highlighted)
{
    if (highlighted != m_highlighted)
    {
        m_highlighted = highlighted;
        update();
    }
}

long CMenuItemDisplay::preferredWidth(const CMenuItem &item)
{
    MathTools::CDimension size;
    const long text =
        Graphics::CGraphics::getTextExtent(item.getText(), size, Fonts::CFont::getDefaultFont()) ? size.getWidth() : 0;
    return std::max(MINIMUM_WIDTH, TICK_WIDTH + text + ARROW_WIDTH);
}

void CMenuItemDisplay::drawControl(Graphics::CGraphics &graphics)
{
    const CRect &area = getNormalisedArea();
    graphics.getBrush()->setColour(m_highlighted ? highlightColour() : backgroundColour());
    graphics.fillRectangle(area);
    const CAlphaColour ink = !m_item->isEnabled() ? CAlphaColour(150, 150, 150)
                             : m_highlighted      ? CAlphaColour(255, 255, 255)
                                                  : CAlphaColour(0, 0, 0);
    graphics.getBrush()->setColour(ink);
    graphics.getPen()->setColour(ink);
    graphics.setTextColour(ink);
    graphics.drawText(m_item->getText(),
                      CRect(TICK_WIDTH, 0, area.getWidth() - TICK_WIDTH - ARROW_WIDTH, area.getHeight()),
                      Fonts::CFont::getDefaultFont(), TEXT_ALIGNMENT);
    if (m_item->isTicked())
    {
        drawTick(graphics);
    }
    if (m_item->getSubMenu())
    {
        drawArrow(graphics);
    }
}

void CMenuItemDisplay::drawTick(Graphics::CGraphics &graphics) const
{
    const long middle = getNormalisedArea().getHeight() / 2;
    graphics.drawLine(CPoint(5, middle), CPoint(8, middle + 4));
    graphics.drawLine(CPoint(8, middle + 4), CPoint(14, middle - 4));
}

void CMenuItemDisplay::drawArrow(Graphics::CGraphics &graphics) const
{
    const long middle = getNormalisedArea().getHeight() / 2;
    const long left = getNormalisedArea().getWidth() - ARROW_WIDTH + 6;
    MathTools::CPolygon arrow(3);
    arrow.getPoint(0)->setPoint(left, middle - 4);
    arrow.getPoint(1)->setPoint(left + 5, middle);
    arrow.getPoint(2)->setPoint(left, middle + 4);
    graphics.fillPolygon(arrow);
}
} // namespace Orvalite::GUI::Controls
