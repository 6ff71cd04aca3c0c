#include "gui/controls/displays/CLevelMeter.h"

#include "gui/graphics/CGraphics.h"

#include <cmath>

namespace Orvalite::GUI::Controls
{
using Basics::CAlphaColour;
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CLevelMeter, "CLevelMeter", "CControl")

namespace
{
// Absorbs rounding in value × steps, so that 0.7 of 10 steps lights 7.
constexpr double STEP_TOLERANCE = 1e-9;
} // namespace

CLevelMeter::CLevelMeter(IControlRoot *root, long uniqueId, const CRect &area,
                         Listeners::IActionListener *actionListener)
    : CControl(root, uniqueId, area, actionListener)
{
    setMouseEnabled(false);
    setDefaultDrawing(true);
    CControl::setValue(0.0);
}

CDescriptorFields CLevelMeter::describe() const
{
    // One table serves reading and writing; fill only reads through it.
    auto *self = const_cast<CLevelMeter *>(this);
    return CDescriptorFields()
        .integer("Step Count", self->m_stepCount, 1, MAXIMUM_STEPS)
        .colour("Base Colour", self->m_baseColour)
        .colour("Max Colour", self->m_maxColour);
}

void CLevelMeter::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CControl::getDescriptors(list);
    describe().addTo(list);
}

bool CLevelMeter::setDescriptor(const CControlDescriptor &descriptor)
{
    const CDescriptorFields fields = describe();
    return fields.contains(descriptor) ? fields.apply(descriptor) : CControl::setDescriptor(descriptor);
}

void CLevelMeter::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (!describe().fill(descriptor))
    {
        CControl::fillDescriptor(descriptor);
    }
}

void CLevelMeter::setValue(double value)
{
    if (value >= 0.0 && value <= 1.0)
    {
        CControl::setValue(value);
        update();
    }
}

void CLevelMeter::setStepCount(long steps)
{
    if (steps >= 1 && steps <= MAXIMUM_STEPS)
    {
        m_stepCount = steps;
        update();
    }
}

long CLevelMeter::getLitSteps() const
{
    return static_cast<long>(std::floor(getValue() * static_cast<double>(m_stepCount) + STEP_TOLERANCE));
}

CRect CLevelMeter::getStepArea(long step) const
{
    const long width = getDimension().getWidth();
    const long height = getDimension().getHeight();
    const bool vertical = width <= height;
    const long length = vertical ? height : width;
    const long from = step * length / m_stepCount;
    const long to = (step + 1) * length / m_stepCount;
    // A one-pixel gap after every segment that has room for it.
    const long size = to - from > 1 ? to - from - 1 : to - from;
    return vertical ? CRect(0, height - from - size, width, size) : CRect(from, 0, size, height);
}

CAlphaColour CLevelMeter::getStepColour(long step) const
{
    const long span = m_stepCount > 1 ? m_stepCount - 1 : 1;
    const auto mix = [&](uint32_t base, uint32_t top) {
        return static_cast<long>(base) + (static_cast<long>(top) - static_cast<long>(base)) * step / span;
    };
    return CAlphaColour(
        mix(m_baseColour.getRed(), m_maxColour.getRed()), mix(m_baseColour.getGreen(), m_maxColour.getGreen()),
        mix(m_baseColour.getBlue(), m_maxColour.getBlue()), mix(m_baseColour.getAlpha(), m_maxColour.getAlpha()));
}

void CLevelMeter::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    drawPrimaryImage(graphics, isDefaultDrawing());
    const long lit = getLitSteps();
    for (long step = 0; step < lit; ++step)
    {
        graphics.getBrush()->setColour(getStepColour(step));
        graphics.fillRectangle(getStepArea(step));
    }
}
} // namespace Orvalite::GUI::Controls
