// A button that is on only while it is held down; its release is the action.
#pragma once

#include "gui/controls/buttons/CButton.h"

namespace Orvalite::GUI::Controls
{
class CMomentaryButton : public CButton
{
public:
    CMomentaryButton(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                     Listeners::IActionListener *actionListener = nullptr);

    // On exactly at 1.0; redraws.
    void setValue(double value) override;
    void setDrawText(bool flag) { m_drawText = flag; }
    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleLeftButtonUp(const Events::CMouseEvent &event) override;
    void handleMouseMovement(const Events::CMouseEvent &event) override;

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;

    ORVALITE_CLASS_RECORD(CMomentaryButton)

protected:
    bool drawsLabelOverImages() const override { return true; }
    bool drawsLabel() const override { return m_drawText; }

private:
    void show(bool on);

    bool m_drawText = true;
};
} // namespace Orvalite::GUI::Controls
