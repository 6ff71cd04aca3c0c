// A plain area that frames or backs a group of controls: its primary image,
// or its background filled and its frame outlined. It takes no mouse events,
// so the controls over it get their clicks whichever was added first.
#pragma once

#include "gui/controls/base/CControl.h"

namespace Orvalite::GUI::Controls
{
class CAreaBox : public CControl
{
public:
    CAreaBox(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
             Listeners::IActionListener *actionListener = nullptr);

    void drawControl(Graphics::CGraphics &graphics) override;

    ORVALITE_CLASS_RECORD(CAreaBox)
};
} // namespace Orvalite::GUI::Controls
