#include "gui/controls/views/CScrollEvent.h"

namespace Orvalite::GUI::Controls
{
ORVALITE_DEFINE_CLASS_RECORD(CScrollEvent, "CScrollEvent", "CCountedObject")

CScrollEvent::CScrollEvent(CScrollBar &scrollBar, bool isVertical, long position, long maximum)
    : m_scrollBar(scrollBar), m_isVertical(isVertical), m_position(position), m_maximum(maximum)
{
}
} // namespace Orvalite::GUI::Controls
