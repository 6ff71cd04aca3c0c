#include "gui/controls/sliders/CRangeSlider.h"

#include "gui/controls/base/CControlRoot.h"
#include "gui/events/CActionEvent.h"
#include "gui/events/CMouseEvent.h"
#include "gui/graphics/CGraphics.h"
#include "gui/listeners/IActionListener.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::GUI::Controls
{
using Basics::CAlphaColour;
using MathTools::CPoint;
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CRangeSlider, "CRangeSlider", "CControl")

CRangeSlider::CRangeSlider(IControlRoot *root, long uniqueId, const CRect &area,
                           Listeners::IActionListener *actionListener)
    : CControl(root, uniqueId, area, actionListener)
{
    setDefaultDrawing(true);
}

CDescriptorFields CRangeSlider::describe() const
{
    // One table serves reading and writing; fill only reads through it.
    auto *self = const_cast<CRangeSlider *>(this);
    return CDescriptorFields()
        .real("Minimum Value", self->m_minimum, 0.0, 1.0)
        .real("Maximum Value", self->m_maximum, m_minimum, 1.0)
        .flag("Lock Minimum", self->m_lockMinimum)
        .flag("Lock Maximum", self->m_lockMaximum)
        .flag("Jump To Max", self->m_jumpToMax)
        .colour("Handle Colour", self->m_handleColour)
        .colour("Handle Over Colour", self->m_handleOverColour)
        .colour("Handle Down Colour", self->m_handleDownColour);
}

void CRangeSlider::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CControl::getDescriptors(list);
    describe().addTo(list);
}

bool CRangeSlider::setDescriptor(const CControlDescriptor &descriptor)
{
    const CDescriptorFields fields = describe();
    if (!fields.contains(descriptor))
    {
        return CControl::setDescriptor(descriptor);
    }
    // A minimum above the maximum pushes the maximum up, so that a range read
    // minimum first is never refused for the order it arrives in.
    const bool applied = fields.apply(descriptor);
    m_maximum = std::max(m_maximum, m_minimum);
    return applied;
}

void CRangeSlider::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (!describe().fill(descriptor))
    {
        CControl::fillDescriptor(descriptor);
    }
}

void CRangeSlider::setRange(double minimum, double maximum)
{
    if (minimum >= 0.0 && minimum <= maximum && maximum <= 1.0)
    {
        m_minimum = minimum;
        m_maximum = maximum;
        update();
    }
}

void CRangeSlider::setLocks(bool lockMinimum, bool lockMaximum)
{
    m_lockMinimum = lockMinimum;
    m_lockMaximum = lockMaximum;
}

long CRangeSlider::getTrack() const
{
    const long length = isVertical() ? getDimension().getHeight() : getDimension().getWidth();
    return length - 2 * HANDLE_SIZE;
}

long CRangeSlider::bandPosition(double value) const
{
    return HANDLE_SIZE + std::lround(value * static_cast<double>(std::max(getTrack(), 0L)));
}

CRect CRangeSlider::acrossTrack(long from, long to) const
{
    if (isVertical())
    {
        const long height = getDimension().getHeight();
        return CRect(0, height - to, getDimension().getWidth(), to - from);
    }
    return CRect(from, 0, to - from, getDimension().getHeight());
}

CRect CRangeSlider::getHandleArea(long handle) const
{
    const long start = handle == e_minimumHandle ? bandPosition(m_minimum) - HANDLE_SIZE : bandPosition(m_maximum);
    return acrossTrack(start, start + HANDLE_SIZE);
}

long CRangeSlider::handleAt(const CPoint &point) const
{
    for (long handle : {e_minimumHandle, e_maximumHandle})
    {
        if (CControlRoot::isInside(getHandleArea(handle), point))
        {
            return handle;
        }
    }
    return e_noHandle;
}

long CRangeSlider::along(const CPoint &point) const
{
    return isVertical() ? getDimension().getHeight() - point.getYPosition() : point.getXPosition();
}

void CRangeSlider::dragTo(long position)
{
    const double track = static_cast<double>(getTrack());
    if (track <= 0.0)
    {
        return;
    }
    const bool minimum = m_dragHandle == e_minimumHandle;
    const double wanted = static_cast<double>(minimum ? position : position - HANDLE_SIZE) / track;
    const double value = minimum ? std::clamp(wanted, 0.0, m_maximum) : std::clamp(wanted, m_minimum, 1.0);
    double &held = minimum ? m_minimum : m_maximum;
    if (value == held)
    {
        return;
    }
    held = value;
    CControl::setValue(value);
    update();
    if (Listeners::IActionListener *listener = getActionListener())
    {
        Events::CActionEvent event(this);
        event.setEventType(static_cast<uint32_t>(m_dragHandle));
        listener->handleActionEvent(event);
    }
}

void CRangeSlider::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    const CPoint point = event.getMousePosition();
    long handle = handleAt(point);
    const long position = along(point);
    if (handle == e_noHandle)
    {
        const bool minimumNearer = std::labs(position - bandPosition(m_minimum) + HANDLE_SIZE / 2) <
                                   std::labs(position - bandPosition(m_maximum) - HANDLE_SIZE / 2);
        handle = (m_jumpToMax || !minimumNearer) ? e_maximumHandle : e_minimumHandle;
        m_grab = HANDLE_SIZE / 2;
    }
    else
    {
        const CRect area = getHandleArea(handle);
        m_grab = position - (isVertical() ? getDimension().getHeight() - area.getBottom() : area.getLeft());
    }
    if (handle == e_minimumHandle ? m_lockMinimum : m_lockMaximum)
    {
        return;
    }
    m_dragHandle = handle;
    getControlRoot()->lockControl(this);
    dragTo(position - m_grab);
    update();
}

void CRangeSlider::handleMouseMovement(const Events::CMouseEvent &event)
{
    if (m_dragHandle != e_noHandle)
    {
        dragTo(along(event.getMousePosition()) - m_grab);
        return;
    }
    setHover(handleAt(event.getMousePosition()));
}

void CRangeSlider::setHover(long handle)
{
    if (handle != e_noHandle)
    {
        getControlRoot()->lockControl(this);
    }
    else if (getControlRoot()->getLockedControl() == this)
    {
        getControlRoot()->unlockControl();
    }
    if (handle != m_hoverHandle)
    {
        m_hoverHandle = handle;
        update();
    }
}

void CRangeSlider::handleLeftButtonUp(const Events::CMouseEvent &event)
{
    m_dragHandle = e_noHandle;
    m_hoverHandle = e_noHandle;
    setHover(handleAt(event.getMousePosition()));
    update();
}

void CRangeSlider::handleMouseLeavingArea(const Events::CMouseEvent &)
{
    if (m_dragHandle == e_noHandle)
    {
        setHover(e_noHandle);
    }
}

void CRangeSlider::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    drawPrimaryImage(graphics, isDefaultDrawing());
    graphics.getBrush()->setColour(m_handleColour);
    graphics.fillRectangle(acrossTrack(bandPosition(m_minimum), bandPosition(m_maximum)));
    graphics.getPen()->setColour(CAlphaColour(0, 0, 0, 255));
    for (long handle : {e_minimumHandle, e_maximumHandle})
    {
        const bool down = handle == m_dragHandle;
        const bool over = handle == m_hoverHandle;
        graphics.getBrush()->setColour(down ? m_handleDownColour : over ? m_handleOverColour : m_handleColour);
        graphics.drawFilledBorderedRectangle(getHandleArea(handle));
    }
}
} // namespace Orvalite::GUI::Controls
