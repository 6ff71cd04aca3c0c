#include "gui/controls/base/CControlRoot.h"

#include "foundation/basics/CException.h"
#include "foundation/collections/TAutomaticPointer.h"
#include "gui/controls/base/CControl.h"
#include "gui/events/CDropEvent.h"
#include "gui/events/CMouseEvent.h"
#include "gui/graphics/CGraphics.h"
#include "gui/graphics/IImage.h"
#include "gui/windowing/CMouse.h"
#include "gui/windowing/IWindow.h"

#include <cstdio>

namespace Orvalite::GUI::Controls
{
using Events::CMouseEvent;
using MathTools::CPoint;
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CControlRoot, "CControlRoot", "CCountedObject")

namespace
{
// A panel is a listener twice over (as a root and as a control): ask its control side.
template <class TListener> TListener *listenerOf(IControl *control)
{
    if (auto *base = dynamic_cast<CControl *>(control))
    {
        return base;
    }
    return dynamic_cast<TListener *>(control);
}

bool touches(const CRect &first, const CRect &second)
{
    return first.getLeft() <= second.getRight() && second.getLeft() <= first.getRight() &&
           first.getTop() <= second.getBottom() && second.getTop() <= first.getBottom();
}

bool isWithin(const CRect &inner, const CRect &outer)
{
    return inner.getLeft() >= outer.getLeft() && inner.getTop() >= outer.getTop() &&
           inner.getRight() <= outer.getRight() && inner.getBottom() <= outer.getBottom();
}
} // namespace

CControlRoot::CControlRoot(Windowing::IWindow *window) : m_window(window)
{
    if (!window)
    {
        throw Exceptions::CException("Parent window is NULL", "CControlRoot::CControlRoot(IWindow *)", false);
    }
}

CControlRoot::~CControlRoot()
{
    clearControls();
    setBackgroundImage(nullptr);
}

void CControlRoot::getObjectDescription(char *buffer, long size) const
{
    if (buffer && size > 0)
    {
        std::snprintf(buffer, static_cast<size_t>(size), "%s", "CControlRoot");
    }
}

void CControlRoot::handleLeftButtonDown(const CMouseEvent &event)
{
    dispatchMouseEvent(event, &IMouseListener::handleLeftButtonDown);
}

void CControlRoot::handleLeftButtonUp(const CMouseEvent &event)
{
    dispatchMouseEvent(event, &IMouseListener::handleLeftButtonUp);
}

void CControlRoot::handleRightButtonDown(const CMouseEvent &event)
{
    dispatchMouseEvent(event, &IMouseListener::handleRightButtonDown);
}

void CControlRoot::handleRightButtonUp(const CMouseEvent &event)
{
    dispatchMouseEvent(event, &IMouseListener::handleRightButtonUp);
}

void CControlRoot::handleDoubleClick(const CMouseEvent &event)
{
    dispatchMouseEvent(event, &IMouseListener::handleDoubleClick);
}

void CControlRoot::handleMouseScroll(const CMouseEvent &event)
{
    dispatchMouseEvent(event, &IMouseListener::handleMouseScroll);
}

void CControlRoot::handleMouseMovement(const CMouseEvent &event)
{
    dispatchMouseEvent(event, &IMouseListener::handleMouseMovement);
}

void CControlRoot::handleMouseLeavingArea(const CMouseEvent &event)
{
    dispatchMouseEvent(event, &IMouseListener::handleMouseLeavingArea);
}

IControl *CControlRoot::chooseMouseTarget(const CPoint &point) const
{
    if (m_modalControl)
    {
        const bool takesIt = isInside(m_modalControl->getArea(), point) && m_modalControl->isMouseEnabled();
        return takesIt ? m_modalControl : nullptr;
    }
    return m_lockedControl ? m_lockedControl : getMouseEnabledControlAtPoint(point);
}

void CControlRoot::dispatchMouseEvent(const CMouseEvent &event, THandler handler)
{
    m_lastPosition = event.getMousePosition();
    IControl *target = chooseMouseTarget(m_lastPosition);
    auto *listener = listenerOf<IMouseListener>(target);
    if (!listener)
    {
        return;
    }
    Windowing::CMouse mouse = event.getMouse() ? *event.getMouse() : Windowing::CMouse();
    const CRect &area = target->getArea();
    mouse.setPosition(
        CPoint(m_lastPosition.getXPosition() - area.getLeft(), m_lastPosition.getYPosition() - area.getTop()));
    CMouseEvent relative(&mouse, event.getEventType());
    relative.setModifiers(event.isControlDown(), event.isShiftDown(), event.isAltDown());
    relative.setWheelValue(event.getWheelValue());
    // Held for the handler's duration and let go however it ends, a throw included.
    Collections::TAutomaticPointer<IControl> hold;
    hold = target;
    (listener->*handler)(relative);
    // The handler may have removed the target; it is the last target only while attached.
    m_lastTarget = isControlAttached(target) ? target : nullptr;
}

IControl *CControlRoot::keyTarget() const
{
    return m_modalControl ? m_modalControl : m_lockedControl ? m_lockedControl : m_lastTarget;
}

bool CControlRoot::handleKeyDown(const Events::CKeyboardEvent &event)
{
    auto *listener = listenerOf<IKeyboardListener>(keyTarget());
    return listener && listener->handleKeyDown(event);
}

bool CControlRoot::handleKeyUp(const Events::CKeyboardEvent &event)
{
    auto *listener = listenerOf<IKeyboardListener>(keyTarget());
    return listener && listener->handleKeyUp(event);
}

bool CControlRoot::handleCharacter(const Events::CKeyboardEvent &event)
{
    auto *listener = listenerOf<IKeyboardListener>(keyTarget());
    return listener && listener->handleCharacter(event);
}

void CControlRoot::handleFileDrop(const Events::CDropEvent &event)
{
    const CPoint &point = event.getDropPoint();
    IControl *target = nullptr;
    if (m_modalControl && isInside(m_modalControl->getArea(), point) && m_modalControl->isDropFileEnabled())
    {
        target = m_modalControl;
    }
    else
    {
        target = getDropFileEnabledControlAtPoint(point);
    }
    if (auto *listener = listenerOf<IDropFileListener>(target))
    {
        const CRect &area = target->getArea();
        Events::CDropEvent relative(event);
        relative.setDropPoint(CPoint(point.getXPosition() - area.getLeft(), point.getYPosition() - area.getTop()));
        listener->handleFileDrop(relative);
    }
}

void CControlRoot::setModalControl(IControl *control)
{
    clearModalControl();
    m_modalControl = control;
    updateControl(control);
}

void CControlRoot::clearModalControl()
{
    IControl *previous = m_modalControl;
    m_modalControl = nullptr;
    updateControl(previous);
}

bool CControlRoot::isInside(const CRect &area, const CPoint &point)
{
    return area.getLeft() <= point.getXPosition() && point.getXPosition() <= area.getRight() &&
           area.getTop() <= point.getYPosition() && point.getYPosition() <= area.getBottom();
}

IControl *CControlRoot::findControlAtPoint(const CPoint &point, bool (IControl::*isEnabled)() const) const
{
    for (IControl *control : m_controls)
    {
        if (control && (!isEnabled || (control->*isEnabled)()) && isInside(control->getArea(), point))
        {
            return control;
        }
    }
    return nullptr;
}

IControl *CControlRoot::getControlAtPoint(const CPoint &point) const
{
    return findControlAtPoint(point, nullptr);
}

IControl *CControlRoot::getMouseEnabledControlAtPoint(const CPoint &point) const
{
    return findControlAtPoint(point, &IControl::isMouseEnabled);
}

IControl *CControlRoot::getDropFileEnabledControlAtPoint(const CPoint &point) const
{
    return findControlAtPoint(point, &IControl::isDropFileEnabled);
}

IControl *CControlRoot::getKeyboardEnabledControlAtPoint(const CPoint &point) const
{
    return findControlAtPoint(point, &IControl::isKeyboardEnabled);
}

IControl *CControlRoot::getControlByName(const ::Orvalite::Basics::CString &name) const
{
    for (IControl *control : m_controls)
    {
        if (!control)
        {
            continue;
        }
        if (control->getName() == name)
        {
            return control;
        }
        if (const auto *panel = dynamic_cast<const IControlRoot *>(control))
        {
            if (IControl *found = panel->getControlByName(name))
            {
                return found;
            }
        }
    }
    return nullptr;
}

void CControlRoot::buildControlTree(Collections::TTreeNode<IControl> &node) const
{
    for (IControl *control : m_controls)
    {
        if (!control)
        {
            continue;
        }
        auto *child = new Collections::TTreeNode<IControl>();
        child->setValue(control);
        node.addChild(child);
        if (const auto *panel = dynamic_cast<const IControlRoot *>(control))
        {
            panel->buildControlTree(*child);
        }
    }
}

IControl *CControlRoot::findControl(const ::Orvalite::Basics::CString &name, Listeners::IActionListener *listener,
                                    long uniqueId, const ::Orvalite::Basics::CClass &type) const
{
    IControl *control = getControlByName(name);
    if (!control || !control->getClass().isTypeOf(type))
    {
        return nullptr;
    }
    control->registerActionListener(listener);
    control->setUniqueId(uniqueId);
    return control;
}

void CControlRoot::addControl(IControl *control)
{
    if (!control || isControlAttached(control))
    {
        return;
    }
    control->referenced();
    m_controls.push_back(control);
    ++m_numberOfControls;
}

void CControlRoot::forgetControl(const IControl *control)
{
    if (m_lockedControl == control)
    {
        m_lockedControl = nullptr;
    }
    if (m_modalControl == control)
    {
        m_modalControl = nullptr;
    }
    if (m_lastTarget == control)
    {
        m_lastTarget = nullptr;
    }
}

void CControlRoot::removeControl(IControl *control)
{
    const long index = getControlIndex(control);
    if (index < 0)
    {
        return;
    }
    forgetControl(control);
    m_controls[static_cast<size_t>(index)] = nullptr;
    control->dereference();
}

void CControlRoot::clearControls()
{
    std::vector<IControl *> controls;
    controls.swap(m_controls);
    m_lockedControl = m_modalControl = m_lastTarget = nullptr;
    for (IControl *control : controls)
    {
        if (control)
        {
            control->dereference();
        }
    }
}

IControl *CControlRoot::getControlAtIndex(long value, bool isIndex) const
{
    if (isIndex)
    {
        return value >= 0 && value < getArraySize() ? m_controls[static_cast<size_t>(value)] : nullptr;
    }
    for (IControl *control : m_controls)
    {
        if (control && control->getUniqueId() == value)
        {
            return control;
        }
    }
    return nullptr;
}

long CControlRoot::getControlIndex(const IControl *control) const
{
    for (size_t index = 0; control && index < m_controls.size(); ++index)
    {
        if (m_controls[index] == control)
        {
            return static_cast<long>(index);
        }
    }
    return -1;
}

void CControlRoot::drawChild(Graphics::CGraphics &graphics, IControl &control, const CRect &updateArea)
{
    const CRect &area = control.getArea();
    if (!touches(area, updateArea))
    {
        return;
    }
    Graphics::CClip &clip = *graphics.getClip();
    const bool wasClipped = clip.isClipActive();
    CRect savedClip;
    clip.getClipRect(savedClip);
    const CPoint savedOffset = graphics.getDrawingOffset();
    const CRect &windowArea = control.getWindowArea();
    CRect part(0, 0, area.getWidth(), area.getHeight());
    if (!isWithin(area, updateArea))
    {
        CRect::getIntersection(area, updateArea, part);
        part.offset(CPoint(-area.getLeft(), -area.getTop()));
    }
    // Nested clips: a child reaching past its panel is cut at the panel's edge.
    CRect clipped(windowArea);
    if (wasClipped)
    {
        CRect::getIntersection(windowArea, savedClip, clipped);
    }
    if (clipped.getWidth() <= 0 || clipped.getHeight() <= 0)
    {
        return;
    }
    clip.setClip(clipped);
    graphics.setDrawingOffset(CPoint(windowArea.getLeft(), windowArea.getTop()));
    graphics.setUpdateArea(part);
    control.drawControl(graphics);
    graphics.setDrawingOffset(savedOffset);
    graphics.setUpdateArea(updateArea);
    if (wasClipped)
    {
        clip.setClip(savedClip);
    }
    else
    {
        clip.clearClip();
    }
}

void CControlRoot::drawControls(Graphics::CGraphics &graphics)
{
    const CRect updateArea = graphics.getUpdateArea();
    for (IControl *control : m_controls)
    {
        if (control)
        {
            drawChild(graphics, *control, updateArea);
        }
    }
    if (m_modalControl)
    {
        drawChild(graphics, *m_modalControl, updateArea);
    }
}

void CControlRoot::drawRootControl(Graphics::CGraphics &graphics)
{
    const CRect updateArea = graphics.getUpdateArea();
    const CPoint offset = graphics.getDrawingOffset();
    if (m_backgroundImage)
    {
        Graphics::CClip &clip = *graphics.getClip();
        CRect savedClip;
        clip.getClipRect(savedClip);
        const bool wasClipped = clip.isClipActive();
        clip.setClip(updateArea);
        graphics.drawImage(m_backgroundImage, updateArea, updateArea);
        if (wasClipped)
        {
            clip.setClip(savedClip);
        }
        else
        {
            clip.clearClip();
        }
    }
    drawControls(graphics);
    graphics.setDrawingOffset(offset);
    graphics.setUpdateArea(updateArea);
}

void CControlRoot::updateControl(long value, bool isIndex)
{
    updateControl(getControlAtIndex(value, isIndex));
}

void CControlRoot::updateControl(IControl *control)
{
    if (control && m_window)
    {
        m_window->redrawWindow(control->getWindowArea());
    }
}

void CControlRoot::updateArea(const CRect &area)
{
    if (m_window)
    {
        m_window->redrawWindow(area);
    }
}

void CControlRoot::getGlobalCoordinatesOfControl(const IControl *control, CPoint &pointOut) const
{
    if (!control || !m_window)
    {
        return;
    }
    const CRect &windowArea = m_window->getWindowArea();
    const CRect &controlArea = control->getWindowArea();
    pointOut = CPoint(windowArea.getLeft() + controlArea.getLeft(), windowArea.getTop() + controlArea.getTop());
}

void CControlRoot::getWindowCoordinatesOfControl(const IControl *control, CPoint &point) const
{
    if (control)
    {
        const CRect &area = control->getArea();
        point = CPoint(point.getXPosition() + area.getLeft(), point.getYPosition() + area.getTop());
    }
}

void CControlRoot::setBackgroundImage(Graphics::IImage *image)
{
    // Referenced first: setting the image already held must not free it.
    if (image)
    {
        image->referenced();
    }
    if (m_backgroundImage)
    {
        m_backgroundImage->dereference();
    }
    m_backgroundImage = image;
}
} // namespace Orvalite::GUI::Controls
