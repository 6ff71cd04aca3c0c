// One frame of a film strip (frames stacked vertically, frame 0 at the top),
// chosen by index or by value (value × (frames − 1), rounded), drawn over the
// whole control; a "Primary Image" naming an animation takes its frames, a
// plain image is one frame. Display only: the mouse passes through.
#pragma once

#include "gui/controls/base/CControl.h"

namespace Orvalite::GUI::Controls
{
class CAnimationFrame : public CControl
{
public:
    CAnimationFrame(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                    Listeners::IActionListener *actionListener = nullptr);

    // The image becomes the primary image; frames the image cannot hold are dropped.
    void setAnimation(Graphics::IImage *image, long frameHeight, long numberOfFrames);
    long getNumberOfFrames() const { return m_numberOfFrames; }
    // Clamped to the frames there are; redraws.
    void setFrame(long frame);
    long getFrame() const { return m_frame; }
    // Ignored outside 0 … 1.
    void setValue(double value) override;

    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void drawControl(Graphics::CGraphics &graphics) override;

    ORVALITE_CLASS_RECORD(CAnimationFrame)

private:
    long m_frameHeight = 0;
    long m_numberOfFrames = 1;
    long m_frame = 0;
};
} // namespace Orvalite::GUI::Controls
