// A label that steps through a list of texts (a waveform or mode chooser): a
// left click or a wheel notch up shows the next text, a right click or a notch
// down the previous one, and each step is reported with the value index /
// (count − 1). At either end it wraps round when "Wrap" is set and stays (and
// reports nothing) otherwise. Without texts it shows its own text.
#pragma once

#include "gui/controls/text/CTextLabel.h"

#include <vector>

namespace Orvalite::GUI::Controls
{
class CStepLabel : public CTextLabel
{
public:
    CStepLabel(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
               const ::Orvalite::Basics::CString &text = "Text");

    // Shows the first of the texts.
    void setTexts(const std::vector<::Orvalite::Basics::CString> &texts);
    void setWrap(bool wrap) { m_wrap = wrap; }
    long getStep() const { return m_step; }
    // Shows the nearest text; ignored outside 0 … 1.
    void setValue(double value) override;

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;
    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleRightButtonDown(const Events::CMouseEvent &event) override;
    bool takesMouseWheel() const override { return true; }
    void handleMouseScroll(const Events::CMouseEvent &event) override;

    ORVALITE_CLASS_RECORD(CStepLabel)

private:
    void show(long step);
    // Moves by one text either way; reports a change.
    void stepBy(long direction);

    std::vector<::Orvalite::Basics::CString> m_texts;
    long m_step = 0;
    bool m_wrap = false;
};
} // namespace Orvalite::GUI::Controls
