#include "gui/controls/presets/CPresetList.h"

#include "gui/events/CActionEvent.h"
#include "gui/events/CMouseEvent.h"
#include "gui/fonts/CFont.h"
#include "gui/graphics/CBrush.h"
#include "gui/graphics/CGraphics.h"
#include "gui/listeners/IActionListener.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace Orvalite::GUI::Controls
{
using Basics::CAlphaColour;
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CPresetList, "CPresetList", "CControl")

namespace
{
// Made when drawn: a counted colour may not outlive the class registry as a static.
CAlphaColour selectedRowColour()
{
    return CAlphaColour(51, 153, 255, 255);
}
// One line from the left, centred vertically.
constexpr long ROW_TEXT_ALIGNMENT = 3;
constexpr long TEXT_INDENT = 4;
} // namespace

CPresetList::CPresetList(IControlRoot *root, long uniqueId, const CRect &area,
                         Listeners::IActionListener *actionListener)
    : CControl(root, uniqueId, area, actionListener)
{
    setDefaultDrawing(true);
}

void CPresetList::setNames(std::vector<std::string> names)
{
    m_names = std::move(names);
    m_selected = NO_SELECTION;
    m_firstRow = 0;
    update();
}

void CPresetList::select(long index)
{
    if (index >= NO_SELECTION && index < static_cast<long>(m_names.size()))
    {
        m_selected = index;
        update();
    }
}

long CPresetList::visibleRows() const
{
    return std::max(1L, getDimension().getHeight() / ROW_HEIGHT);
}

long CPresetList::rowAt(const MathTools::CPoint &point) const
{
    const long row = m_firstRow + point.getYPosition() / ROW_HEIGHT;
    return point.getYPosition() >= 0 && row < static_cast<long>(m_names.size()) ? row : NO_SELECTION;
}

void CPresetList::report(uint32_t type)
{
    if (Listeners::IActionListener *listener = getActionListener())
    {
        Events::CActionEvent event(this);
        event.setEventType(type);
        listener->handleActionEvent(event);
    }
}

void CPresetList::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    const long row = rowAt(event.getMousePosition());
    if (row != NO_SELECTION)
    {
        select(row);
        report(e_selected);
    }
}

void CPresetList::handleDoubleClick(const Events::CMouseEvent &event)
{
    const long row = rowAt(event.getMousePosition());
    if (row != NO_SELECTION)
    {
        select(row);
        report(e_chosen);
    }
}

void CPresetList::handleMouseScroll(const Events::CMouseEvent &event)
{
    // A notch away from the user shows earlier rows.
    const long rows = std::lround(event.getWheelValue());
    const long last = std::max(0L, static_cast<long>(m_names.size()) - visibleRows());
    m_firstRow = std::clamp(m_firstRow - rows, 0L, last);
    update();
}

void CPresetList::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    drawPrimaryImage(graphics, isDefaultDrawing());
    const long width = getDimension().getWidth();
    const long end = std::min(static_cast<long>(m_names.size()), m_firstRow + visibleRows());
    graphics.setTextColour(CAlphaColour(0, 0, 0, 255));
    for (long row = m_firstRow; row < end; ++row)
    {
        const CRect area(0, (row - m_firstRow) * ROW_HEIGHT, width, ROW_HEIGHT);
        if (row == m_selected)
        {
            graphics.getBrush()->setColour(selectedRowColour());
            graphics.fillRectangle(CRect(1, area.getTop() + 1, width - 2, ROW_HEIGHT - 1));
        }
        graphics.drawText(::Orvalite::Basics::CString(m_names[static_cast<size_t>(row)].c_str()),
                          CRect(TEXT_INDENT, area.getTop(), width - TEXT_INDENT, ROW_HEIGHT),
                          Fonts::CFont::getDefaultFont(), ROW_TEXT_ALIGNMENT);
    }
}
} // namespace Orvalite::GUI::Controls
