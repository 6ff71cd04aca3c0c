// A toggle: each click flips it between off (value below 0.5) and on.
#pragma once

#include "gui/controls/buttons/CButton.h"

namespace Orvalite::GUI::Controls
{
class CLatchingButton : public CButton
{
public:
    CLatchingButton(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                    Listeners::IActionListener *actionListener = nullptr);

    // On from 0.5 up; neither redraws nor fires.
    void setValue(double value) override;
    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleLeftButtonUp(const Events::CMouseEvent &event) override;
    void handleMouseMovement(const Events::CMouseEvent &event) override;

    ORVALITE_CLASS_RECORD(CLatchingButton)
};
} // namespace Orvalite::GUI::Controls
