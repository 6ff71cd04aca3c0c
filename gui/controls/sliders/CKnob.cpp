#include "gui/controls/sliders/CKnob.h"

#include "foundation/basics/CFloat.h"
#include "gui/controls/base/CControlDescriptor.h"
#include "gui/controls/base/IControlRoot.h"
#include "gui/events/CMouseEvent.h"

#include <algorithm>

namespace Orvalite::GUI::Controls
{
using MathTools::CPoint;
using ::Orvalite::Basics::CFloat;

ORVALITE_DEFINE_CLASS_RECORD(CKnob, "CKnob", "CAnimation")

CKnob::CKnob(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
             Listeners::IActionListener *actionListener)
    : CAnimation(root, uniqueId, area, actionListener)
{
    CControl::setValue(0.0);
}

double CKnob::clamp(double value)
{
    return std::clamp(value, 0.0, 1.0);
}

void CKnob::setValue(double value)
{
    CControl::setValue(clamp(value));
    update();
}

void CKnob::changeValue(double value)
{
    const double clamped = clamp(value);
    if (clamped != getValue())
    {
        setValue(clamped);
        fireActionEvent();
    }
}

void CKnob::stepValue(double value)
{
    if (clamp(value) != getValue())
    {
        const CGesture gesture(*this);
        changeValue(value);
    }
}

void CKnob::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    m_dragging = true;
    m_dragStart = event.getMousePosition();
    m_dragStartValue = getValue();
    m_coefficient = COARSE_STEP;
    getControlRoot()->lockControl(this);
    beginGesture();
}

void CKnob::handleMouseMovement(const Events::CMouseEvent &event)
{
    if (!m_dragging)
    {
        return;
    }
    const CPoint position = event.getMousePosition();
    const double distance = static_cast<double>((position.getXPosition() - m_dragStart.getXPosition()) +
                                                (m_dragStart.getYPosition() - position.getYPosition())) /
                            m_dragScale;
    const double step = event.isShiftDown() ? FINE_STEP : COARSE_STEP;
    // Moving the start value keeps the value where it is when the step changes mid-drag.
    m_dragStartValue += (m_coefficient - step) * distance;
    m_coefficient = step;
    changeValue(m_dragStartValue + distance * step);
}

void CKnob::handleLeftButtonUp(const Events::CMouseEvent &)
{
    m_dragging = false;
    m_dragStart = CPoint(0, 0);
    getControlRoot()->unlockControl();
    endGesture();
}

void CKnob::handleMouseScroll(const Events::CMouseEvent &event)
{
    const double notches = event.getWheelValue();
    if (notches == 0.0)
    {
        return;
    }
    const double step = event.isShiftDown() ? FINE_WHEEL_STEP : WHEEL_STEP;
    stepValue(getValue() + (notches > 0.0 ? step : -step));
}

void CKnob::handleDoubleClick(const Events::CMouseEvent &)
{
    const CGesture gesture(*this);
    setValue(m_defaultValue);
    fireActionEvent();
}

void CKnob::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CAnimation::getDescriptors(list);
    list.addElement(new CControlDescriptor("Default Value", CControlDescriptor::e_float));
    list.addElement(new CControlDescriptor("Coefficient", CControlDescriptor::e_float));
}

bool CKnob::setDescriptor(const CControlDescriptor &descriptor)
{
    if (descriptor.getName() == "Default Value")
    {
        return descriptor.apply<CFloat>([&](const CFloat &value) { setDefaultValue(value.getValue()); });
    }
    if (descriptor.getName() == "Coefficient")
    {
        return descriptor.apply<CFloat>([&](const CFloat &value) { setCoefficient(value.getValue()); });
    }
    return CAnimation::setDescriptor(descriptor);
}

void CKnob::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (descriptor.getName() == "Default Value")
    {
        descriptor.setValue(new CFloat(static_cast<float>(m_defaultValue)));
    }
    else if (descriptor.getName() == "Coefficient")
    {
        descriptor.setValue(new CFloat(static_cast<float>(m_coefficient)));
    }
    else
    {
        CAnimation::fillDescriptor(descriptor);
    }
}
} // namespace Orvalite::GUI::Controls
