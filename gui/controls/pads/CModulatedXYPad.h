// An XY pad that also shows where modulation has taken its two values: a
// second handle, drawn under the user's handle as the mod handle image or an
// outline in the over colour, that follows setModulatedValues (from the host
// or an LFO). The mouse moves only the user's handle.
#pragma once

#include "gui/controls/pads/CXYPad.h"

namespace Orvalite::GUI::Controls
{
class CModulatedXYPad : public CXYPad
{
public:
    CModulatedXYPad(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                    Listeners::IActionListener *actionListener = nullptr);
    ~CModulatedXYPad() override;

    // Ignored unless both lie in 0 … 1; redraws.
    void setModulatedValues(double x, double y);
    MathTools::CRect getModHandleArea() const { return handleAreaFor(m_modX, m_modY); }

    void drawControl(Graphics::CGraphics &graphics) override;

    ORVALITE_CLASS_RECORD(CModulatedXYPad)

protected:
    CDescriptorFields describe() const override;

private:
    Graphics::IImage *m_modHandleImage = nullptr;
    double m_modX = 0.5;
    double m_modY = 0.5;
};
} // namespace Orvalite::GUI::Controls
