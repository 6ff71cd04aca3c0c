// What a scroll bar tells its scroll listeners when the user moves it: which
// bar, along which axis, and the new position as pixels of content scrolled
// past, in 0 … maximum. Made on the stack by the bar for each change.
#pragma once

#include "foundation/basics/CCountedObject.h"

namespace Orvalite::GUI::Controls
{
class CScrollBar;

class CScrollEvent : public ::Orvalite::Basics::CCountedObject
{
public:
    CScrollEvent(CScrollBar &scrollBar, bool isVertical, long position, long maximum);

    CScrollBar &getScrollBar() const { return m_scrollBar; }
    bool isVertical() const { return m_isVertical; }
    long getPosition() const { return m_position; }
    long getMaximum() const { return m_maximum; }

    ORVALITE_CLASS_RECORD(CScrollEvent)

private:
    CScrollBar &m_scrollBar;
    bool m_isVertical;
    long m_position;
    long m_maximum;
};
} // namespace Orvalite::GUI::Controls
