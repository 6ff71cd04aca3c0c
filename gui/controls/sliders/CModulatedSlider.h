// A range slider that also shows where a modulation source has taken the
// value: a mark in the mod mark colour across the track, kept inside the
// range. The mark follows setModulationValue (from the host or an LFO); the
// mouse moves only the range.
#pragma once

#include "gui/controls/sliders/CRangeSlider.h"

namespace Orvalite::GUI::Controls
{
class CModulatedSlider : public CRangeSlider
{
public:
    // The mark's thickness along the track, in pixels.
    static constexpr long MARK_SIZE = 2;

    CModulatedSlider(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                     Listeners::IActionListener *actionListener = nullptr);

    // Ignored outside 0 … 1; redraws.
    void setModulationValue(double value);
    double getModulationValue() const { return m_modulationValue; }
    // The mark's area: the modulation value held within the range.
    MathTools::CRect getMarkArea() const;

    void drawControl(Graphics::CGraphics &graphics) override;

    ORVALITE_CLASS_RECORD(CModulatedSlider)

protected:
    CDescriptorFields describe() const override;

private:
    Basics::CAlphaColour m_modMarkColour{32, 160, 240, 255};
    double m_modulationValue = 0.5;
};
} // namespace Orvalite::GUI::Controls
