#include "gui/controls/displays/CAreaBox.h"

namespace Orvalite::GUI::Controls
{
ORVALITE_DEFINE_CLASS_RECORD(CAreaBox, "CAreaBox", "CControl")

CAreaBox::CAreaBox(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                   Listeners::IActionListener *actionListener)
    : CControl(root, uniqueId, area, actionListener)
{
    setMouseEnabled(false);
    setDefaultDrawing(true);
}

void CAreaBox::drawControl(Graphics::CGraphics &graphics)
{
    if (drawDisabledControl(graphics))
    {
        drawPrimaryImage(graphics, isDefaultDrawing());
    }
}
} // namespace Orvalite::GUI::Controls
