// A level meter: "Step Count" segments that light from the bottom (from the
// left when the meter is wider than tall) up to the value, the first in the
// base colour and each further one a step closer to the max colour; unlit
// segments show the background colour, one pixel apart. Display only: the
// mouse passes through to what lies below. "Step Count" lies in 1 … 256.
#pragma once

#include "gui/controls/base/CControl.h"
#include "gui/controls/base/CDescriptorFields.h"

namespace Orvalite::GUI::Controls
{
class CLevelMeter : public CControl
{
public:
    static constexpr long MAXIMUM_STEPS = 256;

    CLevelMeter(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                Listeners::IActionListener *actionListener = nullptr);

    // Ignored outside 0 … 1; redraws.
    void setValue(double value) override;
    // Ignored outside 1 … MAXIMUM_STEPS.
    void setStepCount(long steps);
    long getStepCount() const { return m_stepCount; }
    // The segments lit at the present value.
    long getLitSteps() const;
    // Segment `step` (0 at the bottom or left) in control coordinates.
    MathTools::CRect getStepArea(long step) const;
    Basics::CAlphaColour getStepColour(long step) const;

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;
    void drawControl(Graphics::CGraphics &graphics) override;

    ORVALITE_CLASS_RECORD(CLevelMeter)

private:
    CDescriptorFields describe() const;

    long m_stepCount = 10;
    Basics::CAlphaColour m_baseColour{102, 200, 85, 255};
    Basics::CAlphaColour m_maxColour{243, 32, 32, 255};
};
} // namespace Orvalite::GUI::Controls
