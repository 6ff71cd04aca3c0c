// A control that shows one frame of a film strip (frames stacked vertically)
// chosen by its value; the knob's base. Owned by its root like any control.
#pragma once

#include "gui/controls/base/CControl.h"
#include "gui/graphics/CFilmStrip.h"
#include "gui/graphics/CImageManager.h"

namespace Orvalite::GUI::Controls
{
class CAnimation : public CControl
{
public:
    CAnimation(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
               Listeners::IActionListener *actionListener = nullptr);

    // The image becomes the primary image; without one only the invert flag is kept.
    void setAnimation(Graphics::IImage *image, long frameHeight, long numberOfFrames, bool invert);
    void setAnimationReference(const Graphics::CImageManager::CAnimationReference *reference, bool invert);
    bool isInverted() const { return m_strip.isInverted(); }
    const Graphics::CFilmStrip &getFilmStrip() const { return m_strip; }

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;
    void drawControl(Graphics::CGraphics &graphics) override;

    ORVALITE_CLASS_RECORD(CAnimation)

private:
    Graphics::CFilmStrip m_strip;
};
} // namespace Orvalite::GUI::Controls
