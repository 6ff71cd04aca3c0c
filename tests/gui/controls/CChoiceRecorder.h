// An action listener that keeps the id of every menu item chosen (-100 for an
// action that is no menu choice).
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "gui/events/CMenuEvent.h"
#include "gui/listeners/IActionListener.h"

#include <vector>

namespace Orvalite::Testing
{
class CChoiceRecorder : public Basics::CCountedObject, public GUI::Listeners::IActionListener
{
public:
    void referenced() override { CCountedObject::referenced(); }
    void dereference() override { CCountedObject::dereference(); }
    long getReferenceCount() const override { return CCountedObject::getReferenceCount(); }
    void getObjectDescription(char *, long) const override {}
    Basics::CClass &getClass() const override { return CCountedObject::getClass(); }
    void handleActionEvent(const GUI::Events::CActionEvent &event) override
    {
        const auto *choice = dynamic_cast<const GUI::Events::CMenuEvent *>(&event);
        m_ids.push_back(choice ? choice->getMenuItemId() : -100);
    }

    std::vector<long> m_ids;
};
} // namespace Orvalite::Testing
