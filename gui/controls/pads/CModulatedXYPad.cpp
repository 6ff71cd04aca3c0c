#include "gui/controls/pads/CModulatedXYPad.h"

#include "gui/graphics/CGraphics.h"
#include "gui/graphics/IImage.h"

namespace Orvalite::GUI::Controls
{
ORVALITE_DEFINE_CLASS_RECORD(CModulatedXYPad, "CModulatedXYPad", "CXYPad")

CModulatedXYPad::CModulatedXYPad(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                                 Listeners::IActionListener *actionListener)
    : CXYPad(root, uniqueId, area, actionListener)
{
}

CModulatedXYPad::~CModulatedXYPad()
{
    CDescriptorFields::replaceImage(m_modHandleImage, nullptr);
}

CDescriptorFields CModulatedXYPad::describe() const
{
    // One table serves reading and writing; fill only reads through it.
    auto *self = const_cast<CModulatedXYPad *>(this);
    return CXYPad::describe().image("Mod Handle Image", self->m_modHandleImage);
}

void CModulatedXYPad::setModulatedValues(double x, double y)
{
    if (x >= 0.0 && x <= 1.0 && y >= 0.0 && y <= 1.0)
    {
        m_modX = x;
        m_modY = y;
        update();
    }
}

void CModulatedXYPad::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    drawPrimaryImage(graphics, isDefaultDrawing());
    const MathTools::CRect area = getModHandleArea();
    if (m_modHandleImage)
    {
        graphics.drawImage(m_modHandleImage, area, m_modHandleImage->getImageSizeArea());
    }
    else
    {
        graphics.getPen()->setColour(getOverColour());
        graphics.drawRectangle(area);
    }
    drawHandle(graphics);
}
} // namespace Orvalite::GUI::Controls
