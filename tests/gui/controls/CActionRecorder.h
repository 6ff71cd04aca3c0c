// An action listener for the control tests: it keeps, for every event, the
// event type, its control and the value the control had at that moment.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "gui/controls/base/IControl.h"
#include "gui/events/CActionEvent.h"
#include "gui/listeners/IActionListener.h"

#include <vector>

namespace Orvalite::Testing
{
class CActionRecorder : public Basics::CCountedObject, public GUI::Listeners::IActionListener
{
public:
    struct SAction
    {
        long type;
        double value;
        const GUI::Controls::IControl *control;
    };

    void referenced() override { CCountedObject::referenced(); }
    void dereference() override { CCountedObject::dereference(); }
    long getReferenceCount() const override { return CCountedObject::getReferenceCount(); }
    void getObjectDescription(char *, long) const override {}
    Basics::CClass &getClass() const override { return CCountedObject::getClass(); }
    void handleActionEvent(const GUI::Events::CActionEvent &event) override
    {
        m_actions.push_back(
            SAction{static_cast<long>(event.getEventType()), event.getControl()->getValue(), event.getControl()});
    }

    std::vector<SAction> m_actions;
};
} // namespace Orvalite::Testing
