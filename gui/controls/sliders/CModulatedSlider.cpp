#include "gui/controls/sliders/CModulatedSlider.h"

#include "gui/graphics/CGraphics.h"

#include <algorithm>

namespace Orvalite::GUI::Controls
{
ORVALITE_DEFINE_CLASS_RECORD(CModulatedSlider, "CModulatedSlider", "CRangeSlider")

CModulatedSlider::CModulatedSlider(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                                   Listeners::IActionListener *actionListener)
    : CRangeSlider(root, uniqueId, area, actionListener)
{
}

CDescriptorFields CModulatedSlider::describe() const
{
    // One table serves reading and writing; fill only reads through it.
    auto *self = const_cast<CModulatedSlider *>(this);
    return CRangeSlider::describe().colour("Mod Mark Colour", self->m_modMarkColour);
}

void CModulatedSlider::setModulationValue(double value)
{
    if (value >= 0.0 && value <= 1.0)
    {
        m_modulationValue = value;
        update();
    }
}

MathTools::CRect CModulatedSlider::getMarkArea() const
{
    const long centre = bandPosition(std::clamp(m_modulationValue, getMinimum(), getMaximum()));
    return acrossTrack(centre - MARK_SIZE / 2, centre - MARK_SIZE / 2 + MARK_SIZE);
}

void CModulatedSlider::drawControl(Graphics::CGraphics &graphics)
{
    CRangeSlider::drawControl(graphics);
    if (isEnabled())
    {
        graphics.getBrush()->setColour(m_modMarkColour);
        graphics.fillRectangle(getMarkArea());
    }
}
} // namespace Orvalite::GUI::Controls
