#include "gui/events/CMenuEvent.h"

namespace Orvalite::GUI::Events
{
ORVALITE_DEFINE_CLASS_RECORD(CMenuEvent, "CMenuEvent", "CActionEvent")

CMenuEvent::CMenuEvent(Controls::IControl *control, long menuItemId) : CActionEvent(control), m_menuItemId(menuItemId)
{
}
} // namespace Orvalite::GUI::Events
