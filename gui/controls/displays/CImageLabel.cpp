#include "gui/controls/displays/CImageLabel.h"

#include "gui/graphics/CGraphics.h"
#include "gui/graphics/IImage.h"

namespace Orvalite::GUI::Controls
{
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CImageLabel, "CImageLabel", "CControl")

CImageLabel::CImageLabel(IControlRoot *root, long uniqueId, const CRect &area,
                         Listeners::IActionListener *actionListener)
    : CControl(root, uniqueId, area, actionListener)
{
    setMouseEnabled(false);
}

CRect CImageLabel::getImageArea() const
{
    const Graphics::IImage *image = getPrimaryImage();
    if (!image)
    {
        return CRect();
    }
    const long width = image->getImageSize().getWidth();
    const long height = image->getImageSize().getHeight();
    return CRect((getDimension().getWidth() - width) / 2, (getDimension().getHeight() - height) / 2, width, height);
}

void CImageLabel::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    if (Graphics::IImage *image = getPrimaryImage())
    {
        graphics.drawImage(image, getImageArea(), image->getImageSizeArea());
        return;
    }
    drawPrimaryImage(graphics, isDefaultDrawing());
}
} // namespace Orvalite::GUI::Controls
