#include "gui/controls/buttons/CRepeatingButton.h"

namespace Orvalite::GUI::Controls
{
ORVALITE_DEFINE_CLASS_RECORD(CRepeatingButton, "CRepeatingButton", "CRolloverButton")

CRepeatingButton::CRepeatingButton(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                                   Listeners::IActionListener *actionListener)
    : CRolloverButton(root, uniqueId, area, actionListener), m_timer(*this, [this] { repeat(); })
{
}

void CRepeatingButton::pressed()
{
    fireActionEvent();
    m_firstRepeat = true;
    m_timer.start(INITIAL_DELAY);
}

void CRepeatingButton::repeat()
{
    if (!isPressed())
    {
        m_timer.stop();
        return;
    }
    fireActionEvent();
    if (m_firstRepeat)
    {
        m_firstRepeat = false;
        m_timer.start(REPEAT_PERIOD);
    }
}

void CRepeatingButton::released(bool)
{
    m_timer.stop();
}

void CRepeatingButton::leftWhilePressed()
{
    m_timer.stop();
}
} // namespace Orvalite::GUI::Controls
