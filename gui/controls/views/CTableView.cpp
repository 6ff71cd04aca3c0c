#include "gui/controls/views/CTableView.h"

#include "foundation/io/CXMLNode.h"
#include "gui/controls/views/ITableViewDataSource.h"
#include "gui/events/CActionEvent.h"
#include "gui/events/CKeyboardEvent.h"
#include "gui/events/CMouseEvent.h"
#include "gui/graphics/CGraphics.h"
#include "gui/listeners/IActionListener.h"

#include <algorithm>
#include <cstdlib>

namespace Orvalite::GUI::Controls
{
using Basics::CAlphaColour;
using IO::CXMLNode;
using MathTools::CDimension;
using MathTools::CPoint;
using MathTools::CRect;
using ::Orvalite::Basics::CString;

ORVALITE_DEFINE_CLASS_RECORD(CTableView, "CTableView", "CScrollPanel")

namespace
{
// Text alignment: left, centred vertically.
constexpr long LEFT_CENTRED = 3;
constexpr long CELL_PADDING = 3;
CAlphaColour headerColour()
{
    return CAlphaColour(208, 208, 208, 255);
}
CAlphaColour selectionColour()
{
    return CAlphaColour(51, 153, 255, 255);
}
CAlphaColour textColour()
{
    return CAlphaColour(0, 0, 0, 255);
}
CAlphaColour selectedTextColour()
{
    return CAlphaColour(255, 255, 255, 255);
}

// A decimal attribute within minimum … maximum, with nothing after the digits.
bool readNumber(const CXMLNode &node, const char *name, long minimum, long maximum, long &out)
{
    if (!node.getAttribute(name))
    {
        return false;
    }
    const CString text = node.getAttributeValue(name);
    char *end = nullptr;
    const long value = std::strtol(text.getString(), &end, 10);
    if (end == text.getString() || *end != '\0' || value < minimum || value > maximum)
    {
        return false;
    }
    out = value;
    return true;
}
} // namespace

CTableView::CTableView(IControlRoot *root, long uniqueId, const CRect &area, Listeners::IActionListener *actionListener)
    : CScrollPanel(root, uniqueId, area, actionListener)
{
}

void CTableView::setDataSource(ITableViewDataSource *dataSource)
{
    m_dataSource = dataSource;
    reloadData();
}

void CTableView::reloadData()
{
    if (m_selectedRow >= numberOfRows())
    {
        m_selectedRow = -1;
    }
    updateScrollBars();
    update();
}

long CTableView::numberOfRows() const
{
    return m_dataSource ? std::max(m_dataSource->getNumberOfRows(), 0L) : 0;
}

bool CTableView::addColumn(const CString &title, long width)
{
    if (getNumberOfColumns() >= MAXIMUM_COLUMNS || width < 1 || width > MAXIMUM_COLUMN_WIDTH)
    {
        return false;
    }
    m_columns.push_back(SColumn{title, width});
    updateScrollBars();
    return true;
}

void CTableView::clearColumns()
{
    m_columns.clear();
    updateScrollBars();
}

void CTableView::setRowHeight(long height)
{
    if (height >= 1 && height <= MAXIMUM_ROW_HEIGHT)
    {
        m_rowHeight = height;
        updateScrollBars();
    }
}

CDimension CTableView::getContentSize() const
{
    long width = 0;
    for (const SColumn &column : m_columns)
    {
        width += column.width;
    }
    // The header is one row tall.
    return CDimension(width, (numberOfRows() + 1) * m_rowHeight);
}

long CTableView::rowAt(const CPoint &point) const
{
    const long row = point.getYPosition() / m_rowHeight - 1;
    const bool inside = point.getYPosition() >= m_rowHeight && point.getXPosition() >= 0 &&
                        point.getXPosition() < getContentSize().getWidth();
    return inside && row < numberOfRows() ? row : -1;
}

void CTableView::selectRow(long row)
{
    if (row < -1 || row >= numberOfRows())
    {
        return;
    }
    m_selectedRow = row;
    if (row >= 0)
    {
        // The first row brings the header back with it.
        const long top = row == 0 ? 0 : (row + 1) * m_rowHeight;
        scrollToShow(CRect(getScrollPosition().getXPosition(), top, 1, (row + 2) * m_rowHeight - top));
    }
    update();
}

void CTableView::chooseRow(long row)
{
    selectRow(row);
    if (Listeners::IActionListener *listener = getActionListener())
    {
        Events::CActionEvent event(this);
        event.setEventType(static_cast<uint32_t>(row));
        listener->handleActionEvent(event);
    }
}

void CTableView::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    const CPoint &scroll = getScrollPosition();
    const CPoint point(event.getMousePosition().getXPosition() + scroll.getXPosition(),
                       event.getMousePosition().getYPosition() + scroll.getYPosition());
    if (getMouseEnabledControlAtPoint(point))
    {
        CScrollPanel::handleLeftButtonDown(event);
        return;
    }
    const long row = rowAt(point);
    if (row >= 0)
    {
        chooseRow(row);
    }
}

bool CTableView::handleKeyDown(const Events::CKeyboardEvent &event)
{
    const long rows = numberOfRows();
    if (!isKeyboardEnabled() || rows == 0)
    {
        return CScrollPanel::handleKeyDown(event);
    }
    const long row = rowForKey(event.getKeyCode(), m_selectedRow, rows, m_rowHeight);
    if (row < 0)
    {
        return CScrollPanel::handleKeyDown(event);
    }
    if (row != m_selectedRow)
    {
        chooseRow(row);
    }
    return true;
}

void CTableView::drawContent(Graphics::CGraphics &graphics)
{
    const CPoint &scroll = getScrollPosition();
    const CRect view = getViewArea();
    const long first = std::max(view.getTop() / m_rowHeight - 1, 0L);
    const long last = std::min(view.getBottom() / m_rowHeight, numberOfRows());
    graphics.getPen()->setColour(getFrameColour());
    // Row −1 is the header; every cell is drawn in the panel's coordinates.
    const auto drawRow = [&](long row) {
        const bool selected = row >= 0 && row == m_selectedRow;
        graphics.getBrush()->setColour(row < 0 ? headerColour() : selected ? selectionColour() : getBackgroundColour());
        graphics.setTextColour(selected ? selectedTextColour() : textColour());
        long left = -scroll.getXPosition();
        for (long column = 0; column < getNumberOfColumns(); ++column)
        {
            const SColumn &entry = m_columns[static_cast<size_t>(column)];
            const CRect cell(left, (row + 1) * m_rowHeight - scroll.getYPosition(), entry.width, m_rowHeight);
            graphics.drawFilledBorderedRectangle(cell);
            const CString text = row < 0 ? entry.title : m_dataSource->getCellText(row, column);
            graphics.drawText(
                text, CRect(cell.getLeft() + CELL_PADDING, cell.getTop(), entry.width - CELL_PADDING, m_rowHeight),
                nullptr, LEFT_CENTRED);
            left += entry.width;
        }
    };
    drawRow(-1);
    for (long row = first; row < last; ++row)
    {
        drawRow(row);
    }
    CScrollPanel::drawContent(graphics);
}

bool CTableView::serialiseToXML(CXMLNode &node)
{
    const bool written = CScrollPanel::serialiseToXML(node);
    CXMLNode *columns = node.addChildNode("columns");
    columns->addAttribute("number_of_columns", CString::fromLong(getNumberOfColumns()));
    columns->addAttribute("row_height", CString::fromLong(m_rowHeight));
    for (const SColumn &entry : m_columns)
    {
        CXMLNode *column = columns->addChildNode("column");
        column->addAttribute("title", entry.title);
        column->addAttribute("width", CString::fromLong(entry.width));
    }
    return written;
}

bool CTableView::readColumns(const CXMLNode &columns)
{
    long declared = 0;
    long rowHeight = 0;
    if (!readNumber(columns, "number_of_columns", 0, MAXIMUM_COLUMNS, declared) ||
        !readNumber(columns, "row_height", 1, MAXIMUM_ROW_HEIGHT, rowHeight))
    {
        return false;
    }
    std::vector<SColumn> read;
    for (long index = 0; index < columns.getNumberOfChildNodes(); ++index)
    {
        const CXMLNode &column = *columns.getChildNode(index);
        long width = 0;
        if (column.getNodeName() != "column")
        {
            continue;
        }
        if (static_cast<long>(read.size()) == declared || !column.getAttribute("title") ||
            !readNumber(column, "width", 1, MAXIMUM_COLUMN_WIDTH, width))
        {
            return false;
        }
        read.push_back(SColumn{column.getAttributeValue("title"), width});
    }
    if (static_cast<long>(read.size()) != declared)
    {
        return false;
    }
    m_columns.swap(read);
    m_rowHeight = rowHeight;
    updateScrollBars();
    return true;
}

bool CTableView::readFromXML(const CXMLNode &node)
{
    const CXMLNode *columns = node.getChildNode("columns");
    return CScrollPanel::readFromXML(node) && (!columns || readColumns(*columns));
}
} // namespace Orvalite::GUI::Controls
