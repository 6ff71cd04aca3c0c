#include "gui/controls/views/CTreeView.h"

#include "gui/events/CActionEvent.h"
#include "gui/events/CKeyboardEvent.h"
#include "gui/events/CMouseEvent.h"
#include "gui/fonts/CFont.h"
#include "gui/graphics/CGraphics.h"
#include "gui/listeners/IActionListener.h"

#include <algorithm>

namespace Orvalite::GUI::Controls
{
using Basics::CAlphaColour;
using MathTools::CDimension;
using MathTools::CPoint;
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CTreeView, "CTreeView", "CScrollPanel")

namespace
{
// Text alignment: left, centred vertically.
constexpr long LEFT_CENTRED = 3;
// The button's left edge within its indent, and the label's start past the indent.
constexpr long BUTTON_MARGIN = 3;
constexpr long LABEL_OFFSET = 16;
CAlphaColour selectionColour()
{
    return CAlphaColour(51, 153, 255, 255);
}
CAlphaColour selectedTextColour()
{
    return CAlphaColour(255, 255, 255, 255);
}
} // namespace

CTreeView::CTreeView(IControlRoot *root, long uniqueId, const CRect &area, Listeners::IActionListener *actionListener)
    : CScrollPanel(root, uniqueId, area, actionListener)
{
}

CDescriptorFields CTreeView::describe() const
{
    auto *self = const_cast<CTreeView *>(this);
    return CDescriptorFields()
        .flag("Single Click Select", self->m_singleClickSelect)
        .flag("Node Click Select", self->m_nodeClickSelect)
        .colour("Text Colour", self->m_textColour);
}

void CTreeView::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CScrollPanel::getDescriptors(list);
    describe().addTo(list);
}

bool CTreeView::setDescriptor(const CControlDescriptor &descriptor)
{
    const CDescriptorFields fields = describe();
    return fields.contains(descriptor) ? fields.apply(descriptor) : CScrollPanel::setDescriptor(descriptor);
}

void CTreeView::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (!describe().fill(descriptor))
    {
        CScrollPanel::fillDescriptor(descriptor);
    }
}

void CTreeView::setDataSource(ITreeViewDataSource *dataSource)
{
    m_dataSource = dataSource;
    reloadData();
}

void CTreeView::reloadData()
{
    m_expanded.clear();
    m_selected = nullptr;
    buildRows();
}

void CTreeView::addRows(TNode *parent, long depth)
{
    for (long index = 0; index < parent->getNumberOfChildren(); ++index)
    {
        TNode *child = parent->getChildAtIndex(index);
        m_rows.push_back(SRow{child, depth});
        if (isExpanded(child))
        {
            addRows(child, depth + 1);
        }
    }
}

void CTreeView::buildRows()
{
    m_rows.clear();
    if (TNode *root = m_dataSource ? m_dataSource->getRootNode() : nullptr)
    {
        addRows(root, 0);
    }
    if (rowOf(m_selected) < 0)
    {
        m_selected = nullptr;
    }
    updateScrollBars();
    update();
}

long CTreeView::rowOf(const TNode *node) const
{
    const auto found =
        std::find_if(m_rows.begin(), m_rows.end(), [node](const SRow &row) { return node && row.node == node; });
    return found == m_rows.end() ? -1 : static_cast<long>(found - m_rows.begin());
}

CTreeView::TNode *CTreeView::getNodeAtRow(long row) const
{
    return row >= 0 && row < getNumberOfVisibleRows() ? m_rows[static_cast<size_t>(row)].node : nullptr;
}

void CTreeView::setExpanded(TNode *node, bool expanded)
{
    if (!node || expanded == isExpanded(node) || (expanded && node->getNumberOfChildren() == 0))
    {
        return;
    }
    if (expanded)
    {
        m_expanded.insert(node);
    }
    else
    {
        m_expanded.erase(node);
    }
    buildRows();
}

void CTreeView::selectNode(TNode *node)
{
    const long row = rowOf(node);
    m_selected = row < 0 ? nullptr : node;
    if (row >= 0)
    {
        scrollToShow(CRect(getScrollPosition().getXPosition(), row * ROW_HEIGHT, 1, ROW_HEIGHT));
    }
    update();
}

void CTreeView::chooseNode(TNode *node)
{
    selectNode(node);
    Listeners::IActionListener *listener = getActionListener();
    if (listener && m_selected)
    {
        Events::CActionEvent event(this);
        event.setEventType(static_cast<uint32_t>(rowOf(node)));
        listener->handleActionEvent(event);
    }
}

CRect CTreeView::getButtonArea(long row) const
{
    const long depth = row >= 0 && row < getNumberOfVisibleRows() ? m_rows[static_cast<size_t>(row)].depth : 0;
    return CRect(depth * INDENT + BUTTON_MARGIN, row * ROW_HEIGHT + (ROW_HEIGHT - BUTTON_SIZE) / 2, BUTTON_SIZE,
                 BUTTON_SIZE);
}

CDimension CTreeView::getContentSize() const
{
    long width = 0;
    for (const SRow &row : m_rows)
    {
        CDimension text;
        const ::Orvalite::Basics::CString *label = row.node->getValue();
        const long extent = label && Graphics::CGraphics::getTextExtent(*label, text, Fonts::CFont::getDefaultFont())
                                ? text.getWidth()
                                : 0;
        width = std::max(width, row.depth * INDENT + LABEL_OFFSET + extent);
    }
    return CDimension(width, getNumberOfVisibleRows() * ROW_HEIGHT);
}

long CTreeView::rowAtPanelPoint(const Events::CMouseEvent &event, CPoint &onContent) const
{
    const CPoint &scroll = getScrollPosition();
    onContent = CPoint(event.getMousePosition().getXPosition() + scroll.getXPosition(),
                       event.getMousePosition().getYPosition() + scroll.getYPosition());
    if (getMouseEnabledControlAtPoint(onContent) || onContent.getYPosition() < 0)
    {
        return -1;
    }
    const long row = onContent.getYPosition() / ROW_HEIGHT;
    return row < getNumberOfVisibleRows() ? row : -1;
}

void CTreeView::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    CPoint point;
    const long row = rowAtPanelPoint(event, point);
    if (row < 0)
    {
        CScrollPanel::handleLeftButtonDown(event);
        return;
    }
    TNode *node = getNodeAtRow(row);
    const bool hasChildren = node->getNumberOfChildren() > 0;
    const bool onButton = isInside(getButtonArea(row), point);
    if (hasChildren && (onButton || !m_nodeClickSelect))
    {
        setExpanded(node, !isExpanded(node));
    }
    else if (!onButton && m_singleClickSelect)
    {
        chooseNode(node);
    }
}

void CTreeView::handleDoubleClick(const Events::CMouseEvent &event)
{
    CPoint point;
    const long row = rowAtPanelPoint(event, point);
    if (row < 0)
    {
        CScrollPanel::handleDoubleClick(event);
        return;
    }
    TNode *node = getNodeAtRow(row);
    const bool selectable = m_nodeClickSelect || node->getNumberOfChildren() == 0;
    if (selectable && !isInside(getButtonArea(row), point))
    {
        chooseNode(node);
    }
}

bool CTreeView::moveSelection(long keyCode)
{
    const long rows = getNumberOfVisibleRows();
    const long current = rowOf(m_selected);
    long row = current;
    switch (keyCode)
    {
    case e_right:
        if (m_selected && !isExpanded(m_selected))
        {
            setExpanded(m_selected, true);
            return true;
        }
        row = m_selected && m_selected->getNumberOfChildren() > 0 ? current + 1 : current;
        break;
    case e_left:
        if (m_selected && isExpanded(m_selected))
        {
            setExpanded(m_selected, false);
            return true;
        }
        if (m_selected && rowOf(m_selected->getParent()) >= 0)
        {
            row = rowOf(m_selected->getParent());
        }
        break;
    default:
        row = rowForKey(keyCode, current, rows, ROW_HEIGHT);
        if (row < 0)
        {
            return false;
        }
    }
    row = std::clamp(row, 0L, rows - 1);
    if (row != current)
    {
        chooseNode(getNodeAtRow(row));
    }
    return true;
}

bool CTreeView::handleKeyDown(const Events::CKeyboardEvent &event)
{
    if (isKeyboardEnabled() && getNumberOfVisibleRows() > 0 && moveSelection(event.getKeyCode()))
    {
        return true;
    }
    return CScrollPanel::handleKeyDown(event);
}

void CTreeView::drawContent(Graphics::CGraphics &graphics)
{
    const CPoint &scroll = getScrollPosition();
    const CRect view = getViewArea();
    const long first = std::max(view.getTop() / ROW_HEIGHT, 0L);
    const long last = std::min(view.getBottom() / ROW_HEIGHT + 1, getNumberOfVisibleRows());
    const CPoint shift(-scroll.getXPosition(), -scroll.getYPosition());
    graphics.getPen()->setColour(m_textColour);
    for (long row = first; row < last; ++row)
    {
        const SRow &entry = m_rows[static_cast<size_t>(row)];
        const bool selected = entry.node == m_selected;
        CRect label(entry.depth * INDENT + LABEL_OFFSET, row * ROW_HEIGHT, view.getRight(), ROW_HEIGHT);
        label.offset(shift);
        if (selected)
        {
            graphics.getBrush()->setColour(selectionColour());
            graphics.fillRectangle(label);
        }
        if (entry.node->getNumberOfChildren() > 0)
        {
            CRect button = getButtonArea(row);
            button.offset(shift);
            graphics.getBrush()->setColour(getBackgroundColour());
            graphics.drawFilledBorderedRectangle(button);
            graphics.getBrush()->setColour(m_textColour);
            const long middle = BUTTON_SIZE / 2;
            graphics.fillRectangle(CRect(button.getLeft() + 2, button.getTop() + middle, BUTTON_SIZE - 4, 1));
            if (!isExpanded(entry.node))
            {
                graphics.fillRectangle(CRect(button.getLeft() + middle, button.getTop() + 2, 1, BUTTON_SIZE - 4));
            }
        }
        if (const ::Orvalite::Basics::CString *text = entry.node->getValue())
        {
            graphics.setTextColour(selected ? selectedTextColour() : m_textColour);
            graphics.drawText(*text, label, nullptr, LEFT_CENTRED);
        }
    }
    CScrollPanel::drawContent(graphics);
}
} // namespace Orvalite::GUI::Controls
