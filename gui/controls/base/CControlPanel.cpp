#include "gui/controls/base/CControlPanel.h"

#include "foundation/io/CXMLNode.h"
#include "foundation/io/TraceLog.h"
#include "gui/controls/base/CControlFactory.h"
#include "gui/graphics/CGraphics.h"
#include "gui/windowing/IWindow.h"

namespace Orvalite::GUI::Controls
{
using Events::CMouseEvent;
using MathTools::CPoint;
using MathTools::CRect;
using ::Orvalite::Basics::CString;

ORVALITE_DEFINE_CLASS_RECORD(CControlPanel, "CControlPanel", "CControl")

CControlPanel::CControlPanel(IControlRoot *root, long uniqueId, const CRect &area,
                             Listeners::IActionListener *actionListener)
    : CControlRoot(root ? root->getParentWindow() : nullptr), CControl(root, uniqueId, area, actionListener)
{
}

CControlPanel::~CControlPanel()
{
    clearControls();
}

void CControlPanel::addControl(IControl *control)
{
    for (const IControl *ancestor = this; ancestor; ancestor = ancestor->getParentControl())
    {
        if (ancestor == control)
        {
            return;
        }
    }
    if (!control || isControlAttached(control))
    {
        return;
    }
    control->setControlRoot(this);
    control->setParentControl(this);
    CControlRoot::addControl(control);
    control->setArea(control->getArea());
}

IControl *CControlPanel::getControlAtPoint(const CPoint &point) const
{
    IControl *child = CControlRoot::getControlAtPoint(point);
    const auto *panel = dynamic_cast<const CControlPanel *>(child);
    if (!panel)
    {
        return child;
    }
    const CRect &area = child->getArea();
    IControl *inner =
        panel->getControlAtPoint(CPoint(point.getXPosition() - area.getLeft(), point.getYPosition() - area.getTop()));
    return inner ? inner : child;
}

void CControlPanel::updateArea(const CRect &area)
{
    CRect moved(area);
    moved.offset(getWindowOffset());
    getControlRoot()->updateArea(moved);
}

CPoint CControlPanel::getWindowOffset() const
{
    return CPoint(getWindowArea().getLeft(), getWindowArea().getTop());
}

void CControlPanel::setArea(const CRect &area)
{
    CControl::setArea(area);
    for (IControl *child : getControls())
    {
        if (child)
        {
            child->setArea(child->getArea());
        }
    }
}

void CControlPanel::enable()
{
    CControl::enable();
    for (IControl *child : getControls())
    {
        if (child)
        {
            child->enable();
        }
    }
}

void CControlPanel::disable()
{
    CControl::disable();
    for (IControl *child : getControls())
    {
        if (child)
        {
            child->disable();
        }
    }
}

void CControlPanel::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    drawPrimaryImage(graphics, isDefaultDrawing());
    drawControls(graphics);
}

void CControlPanel::lockControl(IControl *control)
{
    CControlRoot::lockControl(control);
    getControlRoot()->lockControl(this);
}

void CControlPanel::unlockControl()
{
    CControlRoot::unlockControl();
    IControlRoot *root = getControlRoot();
    if (root->getLockedControl() == this)
    {
        root->unlockControl();
    }
}

void CControlPanel::dispatchToChildren(const CMouseEvent &event, THandler handler)
{
    dispatchMouseEvent(event, handler);
    IControlRoot *root = getControlRoot();
    if (controlIsLocked())
    {
        root->lockControl(this);
    }
    else if (root->getLockedControl() == this)
    {
        root->unlockControl();
    }
}

void CControlPanel::handleLeftButtonDown(const CMouseEvent &event)
{
    dispatchToChildren(event, &IMouseListener::handleLeftButtonDown);
}

void CControlPanel::handleLeftButtonUp(const CMouseEvent &event)
{
    dispatchToChildren(event, &IMouseListener::handleLeftButtonUp);
}

void CControlPanel::handleRightButtonDown(const CMouseEvent &event)
{
    dispatchToChildren(event, &IMouseListener::handleRightButtonDown);
}

void CControlPanel::handleRightButtonUp(const CMouseEvent &event)
{
    dispatchToChildren(event, &IMouseListener::handleRightButtonUp);
}

void CControlPanel::handleDoubleClick(const CMouseEvent &event)
{
    dispatchToChildren(event, &IMouseListener::handleDoubleClick);
}

void CControlPanel::handleMouseScroll(const CMouseEvent &event)
{
    dispatchToChildren(event, &IMouseListener::handleMouseScroll);
}

void CControlPanel::handleMouseMovement(const CMouseEvent &event)
{
    dispatchToChildren(event, &IMouseListener::handleMouseMovement);
}

void CControlPanel::handleMouseLeavingArea(const CMouseEvent &event)
{
    dispatchToChildren(event, &IMouseListener::handleMouseLeavingArea);
}

long CControlPanel::nestingDepth() const
{
    long depth = 0;
    for (const IControl *ancestor = getParentControl(); ancestor; ancestor = ancestor->getParentControl())
    {
        ++depth;
    }
    return depth;
}

bool CControlPanel::serialiseToXML(IO::CXMLNode &node)
{
    bool written = CControl::serialiseToXML(node);
    IO::CXMLNode *children = node.addChildNode("child_controls");
    long count = 0;
    for (IControl *child : getControls())
    {
        if (!child || child->isExcludedFromXML())
        {
            continue;
        }
        IO::CXMLNode *childNode = children->addChildNode("control");
        childNode->addAttribute("type", child->getClass().getClassName());
        if (written && child->serialiseToXML(*childNode))
        {
            ++count;
        }
        else
        {
            written = false;
        }
    }
    children->addAttribute("number_of_children", CString::fromLong(count));
    return written;
}

bool CControlPanel::readChildren(const IO::CXMLNode &node)
{
    const IO::CXMLNode *children = node.getChildNode("child_controls");
    if (!children)
    {
        return true;
    }
    for (long index = 0; index < children->getNumberOfChildNodes(); ++index)
    {
        const IO::CXMLNode *childNode = children->getChildNode(index);
        if (childNode->getNodeName() != "control")
        {
            continue;
        }
        IControl *child = nullptr;
        if (!CControlFactory::createControl(childNode->getAttributeValue("type"), child, this))
        {
            IO::traceMessage("Unknown control type \"%s\" in a panel",
                             childNode->getAttributeValue("type").getString());
            return false;
        }
        child->referenced();
        addControl(child);
        const bool read = child->readFromXML(*childNode);
        if (!read)
        {
            removeControl(child);
        }
        child->dereference();
        if (!read)
        {
            return false;
        }
    }
    return true;
}

bool CControlPanel::readFromXML(const IO::CXMLNode &node)
{
    if (nestingDepth() >= MAXIMUM_NESTING)
    {
        IO::traceMessage("%s", "Control panels nested too deeply");
        return false;
    }
    clearControls();
    return CControl::readFromXML(node) && readChildren(node);
}
} // namespace Orvalite::GUI::Controls
