#include "gui/controls/sliders/CCenterSlider.h"

#include "gui/controls/base/CControlRoot.h"
#include "gui/events/CMouseEvent.h"
#include "gui/graphics/CGraphics.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::GUI::Controls
{
using MathTools::CPoint;
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CCenterSlider, "CCenterSlider", "CControl")

namespace
{
constexpr double CENTRE = 0.5;
} // namespace

CCenterSlider::CCenterSlider(IControlRoot *root, long uniqueId, const CRect &area,
                             Listeners::IActionListener *actionListener)
    : CControl(root, uniqueId, area, actionListener)
{
    setDefaultDrawing(true);
    CControl::setValue(CENTRE);
}

CDescriptorFields CCenterSlider::describe() const
{
    // One table serves reading and writing; fill only reads through it.
    auto *self = const_cast<CCenterSlider *>(this);
    return CDescriptorFields()
        .colour("Off Colour", self->m_offColour)
        .colour("Over Colour", self->m_overColour)
        .colour("Down Colour", self->m_downColour);
}

void CCenterSlider::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CControl::getDescriptors(list);
    describe().addTo(list);
}

bool CCenterSlider::setDescriptor(const CControlDescriptor &descriptor)
{
    const CDescriptorFields fields = describe();
    return fields.contains(descriptor) ? fields.apply(descriptor) : CControl::setDescriptor(descriptor);
}

void CCenterSlider::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (!describe().fill(descriptor))
    {
        CControl::fillDescriptor(descriptor);
    }
}

void CCenterSlider::setValue(double value)
{
    if (value >= 0.0 && value <= 1.0)
    {
        CControl::setValue(value);
        update();
    }
}

long CCenterSlider::positionOf(double value) const
{
    const long length = isVertical() ? getDimension().getHeight() : getDimension().getWidth();
    const double along = isVertical() ? 1.0 - value : value;
    return std::lround(along * static_cast<double>(length));
}

void CCenterSlider::followPointer(const CPoint &point)
{
    const long length = isVertical() ? getDimension().getHeight() : getDimension().getWidth();
    if (length <= 0)
    {
        return;
    }
    const double along = static_cast<double>(isVertical() ? point.getYPosition() : point.getXPosition()) / length;
    setValue(std::clamp(isVertical() ? 1.0 - along : along, 0.0, 1.0));
    fireActionEvent();
}

void CCenterSlider::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    m_isDragging = true;
    getControlRoot()->lockControl(this);
    followPointer(event.getMousePosition());
}

void CCenterSlider::handleMouseMovement(const Events::CMouseEvent &event)
{
    if (m_isDragging)
    {
        followPointer(event.getMousePosition());
        return;
    }
    const bool inside = CControlRoot::isInside(getNormalisedArea(), event.getMousePosition());
    if (inside)
    {
        getControlRoot()->lockControl(this);
    }
    else
    {
        getControlRoot()->unlockControl();
    }
    if (inside != m_isOver)
    {
        m_isOver = inside;
        update();
    }
}

void CCenterSlider::handleLeftButtonUp(const Events::CMouseEvent &event)
{
    m_isDragging = false;
    m_isOver = CControlRoot::isInside(getNormalisedArea(), event.getMousePosition());
    if (!m_isOver)
    {
        getControlRoot()->unlockControl();
    }
    update();
}

void CCenterSlider::handleMouseLeavingArea(const Events::CMouseEvent &)
{
    if (!m_isDragging && getControlRoot()->getLockedControl() == this)
    {
        getControlRoot()->unlockControl();
        m_isOver = false;
        update();
    }
}

void CCenterSlider::handleDoubleClick(const Events::CMouseEvent &)
{
    setValue(CENTRE);
    fireActionEvent();
}

void CCenterSlider::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    drawPrimaryImage(graphics, isDefaultDrawing());
    const long centre = positionOf(CENTRE);
    const long value = positionOf(getValue());
    const long from = std::min(centre, value);
    const long extent = std::abs(value - centre);
    const long width = getDimension().getWidth();
    const long height = getDimension().getHeight();
    graphics.getBrush()->setColour(m_isDragging ? m_downColour : m_isOver ? m_overColour : m_offColour);
    graphics.fillRectangle(isVertical() ? CRect(0, from, width, extent) : CRect(from, 0, extent, height));
    graphics.getPen()->setColour(getFrameColour());
    graphics.drawLine(isVertical() ? CPoint(0, centre) : CPoint(centre, 0),
                      isVertical() ? CPoint(width, centre) : CPoint(centre, height));
}
} // namespace Orvalite::GUI::Controls
