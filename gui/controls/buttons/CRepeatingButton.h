// A rollover button that acts as soon as it is pressed and then, while held
// on the button, again after INITIAL_DELAY and every REPEAT_PERIOD (a spin
// box's arrows). The repeats run on a window timer of its own; they stop on
// release, when the pointer leaves the button or the window (they do not
// resume on return), when the window loses the mouse capture (the window
// turns that into a release) and when the button leaves its root.
#pragma once

#include "gui/controls/base/CControlTimer.h"
#include "gui/controls/buttons/CRolloverButton.h"

namespace Orvalite::GUI::Controls
{
class CRepeatingButton : public CRolloverButton
{
public:
    // Milliseconds before the first repeat and between repeats.
    static constexpr long INITIAL_DELAY = 400;
    static constexpr long REPEAT_PERIOD = 100;

    CRepeatingButton(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                     Listeners::IActionListener *actionListener = nullptr);

    bool isRepeating() const { return m_timer.isRunning(); }
    long getTimerId() const { return m_timer.getTimerId(); }

    ORVALITE_CLASS_RECORD(CRepeatingButton)

protected:
    void pressed() override;
    void released(bool inside) override;
    void leftWhilePressed() override;

private:
    void repeat();

    CControlTimer m_timer;
    bool m_firstRepeat = true;
};
} // namespace Orvalite::GUI::Controls
