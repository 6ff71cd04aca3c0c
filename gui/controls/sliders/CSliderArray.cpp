#include "gui/controls/sliders/CSliderArray.h"

#include "gui/controls/base/IControlRoot.h"
#include "gui/events/CActionEvent.h"
#include "gui/events/CMouseEvent.h"
#include "gui/graphics/CGraphics.h"
#include "gui/listeners/IActionListener.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::GUI::Controls
{
using MathTools::CPoint;
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CSliderArray, "CSliderArray", "CControl")

CSliderArray::CSliderArray(IControlRoot *root, long uniqueId, const CRect &area,
                           Listeners::IActionListener *actionListener)
    : CControl(root, uniqueId, area, actionListener), m_values(static_cast<size_t>(m_sliderCount), 0.0)
{
    setDefaultDrawing(true);
}

CDescriptorFields CSliderArray::describe() const
{
    // One table serves reading and writing; fill only reads through it.
    auto *self = const_cast<CSliderArray *>(this);
    return CDescriptorFields()
        .colour("Handle Colour", self->m_handleColour)
        .colour("Handle Down Colour", self->m_handleDownColour)
        .integer("Slider Count", self->m_sliderCount, 1, MAXIMUM_SLIDERS)
        .integer("Slider Width", self->m_sliderWidth, 1, MAXIMUM_WIDTH)
        .integer("Gap Width", self->m_gapWidth, 0, MAXIMUM_WIDTH);
}

void CSliderArray::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CControl::getDescriptors(list);
    describe().addTo(list);
}

bool CSliderArray::setDescriptor(const CControlDescriptor &descriptor)
{
    const CDescriptorFields fields = describe();
    if (!fields.contains(descriptor))
    {
        return CControl::setDescriptor(descriptor);
    }
    const bool applied = fields.apply(descriptor);
    m_values.resize(static_cast<size_t>(m_sliderCount), 0.0);
    return applied;
}

void CSliderArray::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (!describe().fill(descriptor))
    {
        CControl::fillDescriptor(descriptor);
    }
}

bool CSliderArray::setLayout(long sliderCount, long sliderWidth, long gapWidth)
{
    const bool valid = sliderCount >= 1 && sliderCount <= MAXIMUM_SLIDERS && sliderWidth >= 1 &&
                       sliderWidth <= MAXIMUM_WIDTH && gapWidth >= 0 && gapWidth <= MAXIMUM_WIDTH;
    if (valid)
    {
        m_sliderCount = sliderCount;
        m_sliderWidth = sliderWidth;
        m_gapWidth = gapWidth;
        m_values.resize(static_cast<size_t>(sliderCount), 0.0);
        update();
    }
    return valid;
}

double CSliderArray::getSliderValue(long index) const
{
    return index >= 0 && index < m_sliderCount ? m_values[static_cast<size_t>(index)] : 0.0;
}

void CSliderArray::setSliderValue(long index, double value)
{
    if (index >= 0 && index < m_sliderCount && value >= 0.0 && value <= 1.0)
    {
        m_values[static_cast<size_t>(index)] = value;
        update();
    }
}

long CSliderArray::sliderAt(long x) const
{
    if (x < 0)
    {
        return -1;
    }
    const long pitch = m_sliderWidth + m_gapWidth;
    const long index = x / pitch;
    return index < m_sliderCount && x % pitch < m_sliderWidth ? index : -1;
}

void CSliderArray::paintAt(const CPoint &point)
{
    const long index = sliderAt(point.getXPosition());
    const long height = getDimension().getHeight();
    if (index < 0 || height <= 0)
    {
        return;
    }
    const double value = std::clamp(1.0 - static_cast<double>(point.getYPosition()) / height, 0.0, 1.0);
    m_activeSlider = index;
    m_values[static_cast<size_t>(index)] = value;
    CControl::setValue(value);
    update();
    if (Listeners::IActionListener *listener = getActionListener())
    {
        Events::CActionEvent event(this);
        event.setEventType(static_cast<uint32_t>(index));
        listener->handleActionEvent(event);
    }
}

void CSliderArray::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    m_isDragging = true;
    getControlRoot()->lockControl(this);
    paintAt(event.getMousePosition());
}

void CSliderArray::handleMouseMovement(const Events::CMouseEvent &event)
{
    if (m_isDragging)
    {
        paintAt(event.getMousePosition());
    }
}

void CSliderArray::handleLeftButtonUp(const Events::CMouseEvent &)
{
    m_isDragging = false;
    m_activeSlider = -1;
    getControlRoot()->unlockControl();
    update();
}

void CSliderArray::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    drawPrimaryImage(graphics, isDefaultDrawing());
    const long height = getDimension().getHeight();
    for (long index = 0; index < m_sliderCount; ++index)
    {
        const long filled = std::lround(m_values[static_cast<size_t>(index)] * static_cast<double>(height));
        graphics.getBrush()->setColour(index == m_activeSlider ? m_handleDownColour : m_handleColour);
        graphics.fillRectangle(CRect(index * (m_sliderWidth + m_gapWidth), height - filled, m_sliderWidth, filled));
    }
}
} // namespace Orvalite::GUI::Controls
