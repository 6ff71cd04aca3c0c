#include "gui/controls/base/CControlTimer.h"

#include "gui/controls/base/IControl.h"
#include "gui/controls/base/IControlRoot.h"
#include "gui/windowing/IWindow.h"

#include <atomic>
#include <cstdio>
#include <utility>

namespace Orvalite::GUI::Controls
{
ORVALITE_DEFINE_CLASS_RECORD(CControlTimer, "CControlTimer", "CCountedObject")

namespace
{
// Control timers count up from here; ids are never reused while the process runs
// (controls are made on whichever thread makes their editor).
constexpr long FIRST_TIMER_ID = 0x4F00;

long nextTimerId()
{
    static std::atomic<long> next{FIRST_TIMER_ID};
    return next++;
}
} // namespace

CControlTimer::CControlTimer(IControl &control, std::function<void()> tick)
    : m_control(control), m_tick(std::move(tick)), m_id(nextTimerId())
{
}

CControlTimer::~CControlTimer()
{
    stop();
}

void CControlTimer::getObjectDescription(char *buffer, long size) const
{
    if (buffer && size > 0)
    {
        std::snprintf(buffer, static_cast<size_t>(size), "Control timer %ld", m_id);
    }
}

void CControlTimer::start(long milliseconds)
{
    Windowing::IWindow *window = m_control.getControlRoot()->getParentWindow();
    if (window != m_window)
    {
        stop();
    }
    if (!window)
    {
        return;
    }
    if (!m_window)
    {
        window->addTimedObject(this);
        m_window = window;
    }
    window->startTimer(m_id, milliseconds);
}

void CControlTimer::stop()
{
    if (m_window)
    {
        m_window->stopTimer(m_id);
        m_window->removeTimedObject(this);
        m_window = nullptr;
    }
}

void CControlTimer::timerExpired()
{
    if (!m_control.getControlRoot()->isControlAttached(&m_control))
    {
        stop();
        return;
    }
    m_tick();
}
} // namespace Orvalite::GUI::Controls
