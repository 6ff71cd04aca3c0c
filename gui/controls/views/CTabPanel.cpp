#include "gui/controls/views/CTabPanel.h"

#include "foundation/basics/CString.h"
#include "foundation/io/CXMLNode.h"
#include "gui/events/CActionEvent.h"
#include "gui/events/CMouseEvent.h"
#include "gui/graphics/CGraphics.h"
#include "gui/listeners/IActionListener.h"

#include <algorithm>

namespace Orvalite::GUI::Controls
{
using Basics::CAlphaColour;
using MathTools::CPoint;
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CTabPanel, "CTabPanel", "CControlPanel")

const char *const CTabPanel::POSITION_NAMES[e_numberOfPositions] = {"Top", "Bottom", "Left", "Right"};

namespace
{
// The text alignment of a single centred line.
constexpr long CENTRED_LINE = 10;
CAlphaColour chosenTab()
{
    return CAlphaColour(255, 255, 255, 255);
}
CAlphaColour otherTab()
{
    return CAlphaColour(208, 208, 208, 255);
}
CAlphaColour tabText()
{
    return CAlphaColour(0, 0, 0, 255);
}
} // namespace

CTabPanel::CTabPanel(IControlRoot *root, long uniqueId, const CRect &area, Listeners::IActionListener *actionListener)
    : CControlPanel(root, uniqueId, area, actionListener)
{
    rebuild();
}

CTabPanel::~CTabPanel()
{
    for (CControlPanel *tab : m_tabs)
    {
        tab->dereference();
    }
}

CDescriptorFields CTabPanel::describe() const
{
    auto *self = const_cast<CTabPanel *>(this);
    return CDescriptorFields()
        .integer("Tab Buttons", self->m_tabCount, 1, MAXIMUM_TABS)
        .integer("Tab View", self->m_selected, 0, MAXIMUM_TABS - 1)
        .integer("Tab Dimension", self->m_dimension, 0, MAXIMUM_DIMENSION)
        .selection("Tab Position", self->m_position, e_numberOfPositions);
}

void CTabPanel::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CControlPanel::getDescriptors(list);
    describe().addTo(list);
}

bool CTabPanel::setDescriptor(const CControlDescriptor &descriptor)
{
    const CDescriptorFields fields = describe();
    if (!fields.contains(descriptor))
    {
        return CControlPanel::setDescriptor(descriptor);
    }
    const long selected = m_selected;
    if (!fields.apply(descriptor))
    {
        return false;
    }
    // A view past the last tab is refused; fewer tabs move the view onto the last.
    const bool valid = descriptor.getName() != "Tab View" || m_selected < m_tabCount;
    m_selected = valid ? std::min(m_selected, m_tabCount - 1) : selected;
    rebuild();
    return valid;
}

void CTabPanel::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (!describe().fill(descriptor))
    {
        CControlPanel::fillDescriptor(descriptor);
    }
}

bool CTabPanel::setTabCount(long count)
{
    if (count < 1 || count > MAXIMUM_TABS)
    {
        return false;
    }
    m_tabCount = count;
    m_selected = std::min(m_selected, count - 1);
    rebuild();
    return true;
}

CControlPanel *CTabPanel::getTab(long index) const
{
    return index >= 0 && index < getTabCount() ? m_tabs[static_cast<size_t>(index)] : nullptr;
}

IControl *CTabPanel::getControlByName(const ::Orvalite::Basics::CString &name) const
{
    // Every page is searched, not only the one shown (the panel's only child).
    for (CControlPanel *tab : m_tabs)
    {
        if (tab->getName() == name)
        {
            return tab;
        }
        if (IControl *found = tab->getControlByName(name))
        {
            return found;
        }
    }
    return nullptr;
}

void CTabPanel::selectTab(long index)
{
    if (index >= 0 && index < getTabCount())
    {
        m_selected = index;
        rebuild();
    }
}

void CTabPanel::setTabPosition(long position)
{
    if (position >= 0 && position < e_numberOfPositions)
    {
        m_position = position;
        rebuild();
    }
}

void CTabPanel::setTabDimension(long dimension)
{
    if (dimension >= 0 && dimension <= MAXIMUM_DIMENSION)
    {
        m_dimension = dimension;
        rebuild();
    }
}

void CTabPanel::rebuild()
{
    while (getTabCount() > m_tabCount)
    {
        CControlPanel *last = m_tabs.back();
        m_tabs.pop_back();
        if (last == m_shown)
        {
            removeControl(last);
            m_shown = nullptr;
        }
        last->dereference();
    }
    while (getTabCount() < m_tabCount)
    {
        auto *tab = new CControlPanel(this, getTabCount(), CRect(0, 0, 0, 0));
        tab->referenced();
        // Hidden panels keep the tab panel as parent, so nesting stays bounded in XML.
        tab->setParentControl(this);
        ::Orvalite::Basics::CString name;
        name.setStringWithFormat("Tab %li", getTabCount() + 1);
        tab->setName(name);
        m_tabs.push_back(tab);
    }
    CControlPanel *chosen = m_tabs[static_cast<size_t>(m_selected)];
    if (chosen != m_shown)
    {
        removeControl(m_shown);
        m_shown = chosen;
        addControl(chosen);
    }
    const long width = getDimension().getWidth();
    const long height = getDimension().getHeight();
    const long strip = std::min(m_dimension, isStripHorizontal() ? height : width);
    const CRect page = m_position == e_top      ? CRect(0, strip, width, height - strip)
                       : m_position == e_bottom ? CRect(0, 0, width, height - strip)
                       : m_position == e_left   ? CRect(strip, 0, width - strip, height)
                                                : CRect(0, 0, width - strip, height);
    for (CControlPanel *tab : m_tabs)
    {
        tab->setArea(page);
    }
    update();
}

CRect CTabPanel::getTabButtonArea(long index) const
{
    const long width = getDimension().getWidth();
    const long height = getDimension().getHeight();
    const long count = std::max(getTabCount(), 1L);
    if (isStripHorizontal())
    {
        const long strip = std::min(m_dimension, height);
        const long size = width / count;
        return CRect(index * size, m_position == e_top ? 0 : height - strip, size, strip);
    }
    const long strip = std::min(m_dimension, width);
    const long size = height / count;
    return CRect(m_position == e_left ? 0 : width - strip, index * size, strip, size);
}

long CTabPanel::tabAt(const CPoint &point) const
{
    for (long index = 0; index < getTabCount(); ++index)
    {
        const CRect button = getTabButtonArea(index);
        if (button.getWidth() > 0 && button.getHeight() > 0 && isInside(button, point))
        {
            return index;
        }
    }
    return -1;
}

void CTabPanel::setArea(const CRect &area)
{
    CControlPanel::setArea(area);
    rebuild();
}

void CTabPanel::enable()
{
    CControlPanel::enable();
    for (CControlPanel *tab : m_tabs)
    {
        tab->enable();
    }
}

void CTabPanel::disable()
{
    CControlPanel::disable();
    for (CControlPanel *tab : m_tabs)
    {
        tab->disable();
    }
}

void CTabPanel::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    drawPrimaryImage(graphics, isDefaultDrawing());
    graphics.getPen()->setColour(getFrameColour());
    graphics.setTextColour(tabText());
    for (long index = 0; index < getTabCount(); ++index)
    {
        const CRect button = getTabButtonArea(index);
        graphics.getBrush()->setColour(index == m_selected ? chosenTab() : otherTab());
        graphics.drawFilledBorderedRectangle(button);
        graphics.drawText(m_tabs[static_cast<size_t>(index)]->getName(), button, nullptr, CENTRED_LINE);
    }
    drawControls(graphics);
}

void CTabPanel::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    const long index = tabAt(event.getMousePosition());
    if (index < 0)
    {
        CControlPanel::handleLeftButtonDown(event);
        return;
    }
    selectTab(index);
    if (Listeners::IActionListener *listener = getActionListener())
    {
        Events::CActionEvent chosen(this, event);
        chosen.setEventType(static_cast<uint32_t>(index));
        listener->handleActionEvent(chosen);
    }
}

bool CTabPanel::serialiseToXML(IO::CXMLNode &node)
{
    bool written = CControl::serialiseToXML(node);
    for (CControlPanel *tab : m_tabs)
    {
        written = written && tab->serialiseToXML(*node.addChildNode("tab"));
    }
    return written;
}

bool CTabPanel::readFromXML(const IO::CXMLNode &node)
{
    if (!CControl::readFromXML(node))
    {
        return false;
    }
    std::vector<const IO::CXMLNode *> tabNodes;
    for (long index = 0; index < node.getNumberOfChildNodes(); ++index)
    {
        if (node.getChildNode(index)->getNodeName() == "tab")
        {
            tabNodes.push_back(node.getChildNode(index));
        }
    }
    if (static_cast<long>(tabNodes.size()) != getTabCount())
    {
        return false;
    }
    bool read = true;
    for (size_t index = 0; read && index < tabNodes.size(); ++index)
    {
        read = m_tabs[index]->readFromXML(*tabNodes[index]);
    }
    rebuild();
    return read;
}
} // namespace Orvalite::GUI::Controls
