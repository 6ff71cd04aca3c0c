// Shows its primary image at the image's own size, centred in the control
// (a logo, an icon); without one, the background and frame when default
// drawing is on. Display only: the mouse passes through.
#pragma once

#include "gui/controls/base/CControl.h"

namespace Orvalite::GUI::Controls
{
class CImageLabel : public CControl
{
public:
    CImageLabel(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                Listeners::IActionListener *actionListener = nullptr);

    // Where the image is drawn, in control coordinates; empty without one.
    MathTools::CRect getImageArea() const;
    void drawControl(Graphics::CGraphics &graphics) override;

    ORVALITE_CLASS_RECORD(CImageLabel)
};
} // namespace Orvalite::GUI::Controls
