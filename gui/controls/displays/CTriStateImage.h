// A three-state switch (off, half, full; a filter slope or a mode): each
// click moves to the next state, round to the first, and reports the value
// state / 2. Each state shows its image ("Image 1" … "Image 3"); without one,
// the background and frame with the inside filled in the frame colour to
// half or full width.
#pragma once

#include "gui/controls/base/CControl.h"
#include "gui/controls/base/CDescriptorFields.h"

namespace Orvalite::GUI::Controls
{
class CTriStateImage : public CControl
{
public:
    static constexpr long NUMBER_OF_STATES = 3;

    CTriStateImage(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                   Listeners::IActionListener *actionListener = nullptr);
    ~CTriStateImage() override;

    // Ignored outside 0 … 1; redraws.
    void setValue(double value) override;
    // 0, 1 or 2: the nearest to value × 2.
    long getState() const;
    void setImages(Graphics::IImage *first, Graphics::IImage *second, Graphics::IImage *third);

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;
    void drawControl(Graphics::CGraphics &graphics) override;
    void handleLeftButtonDown(const Events::CMouseEvent &event) override;

    ORVALITE_CLASS_RECORD(CTriStateImage)

private:
    CDescriptorFields describe() const;

    Graphics::IImage *m_images[NUMBER_OF_STATES] = {nullptr, nullptr, nullptr};
};
} // namespace Orvalite::GUI::Controls
