#include "gui/controls/menus/CMenuItem.h"

namespace Orvalite::GUI::Controls
{
ORVALITE_DEFINE_CLASS_RECORD(CMenuItem, "CMenuItem", "CCountedObject")

CMenuItem::CMenuItem(const ::Orvalite::Basics::CString &text, long id, long ticked, long enabled)
    : m_text(text), m_id(id), m_ticked(ticked), m_enabled(enabled)
{
}
} // namespace Orvalite::GUI::Controls
