// A progress bar: the part of the bar up to the value, from the left, drawn
// from the same part of the primary image (the full bar) or else filled in
// the frame colour over the background; with "Draw Text" the percentage
// ("%li%%", rounded) centred over it in the label's font and text colour.
// Display only: the mouse passes through.
#pragma once

#include "gui/controls/text/CTextLabel.h"

namespace Orvalite::GUI::Controls
{
class CProgressBar : public CTextLabel
{
public:
    CProgressBar(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                 const ::Orvalite::Basics::CString &text = "Text");

    // Ignored outside 0 … 1; redraws.
    void setValue(double value) override;
    void setDrawText(bool flag) { m_drawText = flag; }
    // The text drawn at the present value.
    ::Orvalite::Basics::CString getPercentageText() const;
    // The filled part of the bar, in control coordinates.
    MathTools::CRect getBarArea() const;

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;
    void drawControl(Graphics::CGraphics &graphics) override;

    ORVALITE_CLASS_RECORD(CProgressBar)

private:
    bool m_drawText = true;
};
} // namespace Orvalite::GUI::Controls
