// A window timer that belongs to one control: an id of its own (so that two
// controls never stop each other's timers), started and stopped through the
// window of the control's root, and listed with that window only while it
// runs. A member of its control: destroying the control stops it, and an
// expiry after the control has left its root stops it instead of ticking.
// A window that lets it go (its timers all stopped, or the window destroyed)
// is forgotten, so a control outliving its window never calls it.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "gui/basics/ITimedObject.h"

#include <functional>

namespace Orvalite::GUI::Windowing
{
class IWindow;
}

namespace Orvalite::GUI::Controls
{
class IControl;

class CControlTimer : public ::Orvalite::Basics::CCountedObject, public Basics::ITimedObject
{
public:
    CControlTimer(IControl &control, std::function<void()> tick);
    CControlTimer(const CControlTimer &) = delete;
    CControlTimer &operator=(const CControlTimer &) = delete;
    ~CControlTimer() override;

    void referenced() override { CCountedObject::referenced(); }
    void dereference() override { CCountedObject::dereference(); }
    long getReferenceCount() const override { return CCountedObject::getReferenceCount(); }
    void getObjectDescription(char *buffer, long size) const override;

    // (Re)starts with this period; nothing while the control's root has no window.
    void start(long milliseconds);
    void stop();
    bool isRunning() const { return m_window != nullptr; }
    void timerExpired() override;
    long getTimerId() const override { return m_id; }
    void delisted() override { m_window = nullptr; }

    ORVALITE_CLASS_RECORD(CControlTimer)

private:
    IControl &m_control;
    std::function<void()> m_tick;
    long m_id;
    Windowing::IWindow *m_window = nullptr;
};
} // namespace Orvalite::GUI::Controls
