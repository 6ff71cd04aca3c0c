// What a control that shows a menu tells its action listener when the user
// chose an item: the control, as for every action, and the chosen item's id.
#pragma once

#include "gui/events/CActionEvent.h"

namespace Orvalite::GUI::Events
{
class CMenuEvent : public CActionEvent
{
public:
    // Throws CException without a control, as every action event.
    CMenuEvent(Controls::IControl *control, long menuItemId);

    long getMenuItemId() const { return m_menuItemId; }

    ORVALITE_CLASS_RECORD(CMenuEvent)

private:
    long m_menuItemId;
};
} // namespace Orvalite::GUI::Events
