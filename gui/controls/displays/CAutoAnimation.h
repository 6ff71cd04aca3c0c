// Plays a film strip by itself, one frame per period on a window timer of
// its own, in one of five styles: once forwards or once backwards (stopping
// on the end frame), bouncing between the ends, or looping either way. It
// plays from play() until stop(), the end of a one-way style, its leaving
// the root or its destruction; the value follows the frame shown.
#pragma once

#include "gui/controls/base/CControlTimer.h"
#include "gui/controls/base/CDescriptorFields.h"
#include "gui/controls/displays/CAnimation.h"

namespace Orvalite::GUI::Controls
{
class CAutoAnimation : public CAnimation
{
public:
    // The "AnimationStyle" choices, in order.
    enum EStyle : long
    {
        e_forward,
        e_backward,
        e_bounce,
        e_forwardLoop,
        e_backwardLoop,
    };
    static constexpr long NUMBER_OF_STYLES = 5;
    // Milliseconds per frame unless play is told otherwise (25 frames a second).
    static constexpr long DEFAULT_FRAME_PERIOD = 40;

    CAutoAnimation(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                   Listeners::IActionListener *actionListener = nullptr);

    // Ignored outside the five styles; takes effect at the next play.
    void setStyle(long style);
    long getStyle() const { return m_style; }
    // From the style's first frame; nothing with fewer than two frames.
    void play(long milliseconds = DEFAULT_FRAME_PERIOD);
    void stop() { m_timer.stop(); }
    bool isPlaying() const { return m_timer.isRunning(); }
    long getFrame() const { return m_frame; }

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;
    void drawControl(Graphics::CGraphics &graphics) override;

    ORVALITE_CLASS_RECORD(CAutoAnimation)

private:
    CDescriptorFields describe() const;
    void advance();
    void showFrame(long frame);

    CControlTimer m_timer;
    long m_style = e_forward;
    long m_frame = 0;
    long m_direction = 1;
};
} // namespace Orvalite::GUI::Controls
