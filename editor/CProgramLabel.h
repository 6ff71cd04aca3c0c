// The current program's name in the panel's header. A click opens the menu of
// the effect's programs, the current one ticked; choosing one changes the
// program as a host does (effSetProgram) and tells the host to read the
// programs again (audioMasterUpdateDisplay). Changes from elsewhere (the
// host, MIDI) are recorded from any thread and shown by the user-interface
// thread. Held by the editor's control root like every control.
#pragma once

#include "gui/controls/menus/CMenuWindow.h"
#include "gui/controls/menus/IMenuWindowOwner.h"
#include "gui/controls/text/CTextLabel.h"

#include <atomic>
#include <memory>

class AudioEffect;

namespace Orvalite::Veltrix
{
class CProgramLabel : public GUI::Controls::CTextLabel, public GUI::Controls::IMenuWindowOwner
{
public:
    // Shows the effect's current program; the effect is not owned.
    CProgramLabel(GUI::Controls::IControlRoot *root, long uniqueId, const MathTools::CRect &area, AudioEffect *effect);
    ~CProgramLabel() override;

    // Any thread: the program the effect plays now. Never allocates or waits.
    void record(long program);
    // User-interface thread: shows the name of the program recorded last, once
    // something was recorded since the last call.
    void showRecorded();
    // Null until the menu first opens.
    GUI::Controls::CMenuWindow *getMenuWindow() const { return m_menuWindow.get(); }
    void openMenu();
    void closeMenu();

    void handleLeftButtonUp(const GUI::Events::CMouseEvent &event) override;
    void menuItemChosen(GUI::Controls::CMenuItem &item) override;
    void menuClosed() override {}
    void pointerOutsideMenu(const MathTools::CPoint &) override {}
    void holdOwner() override { referenced(); }
    void releaseOwner() override { dereference(); }

    ORVALITE_CLASS_RECORD(CProgramLabel)

private:
    long programCount() const;

    AudioEffect *m_effect;
    std::atomic<long> m_recorded{0};
    std::atomic<bool> m_changed{false};
    long m_shown = -1;
    std::unique_ptr<GUI::Controls::CMenuWindow> m_menuWindow;
};
} // namespace Orvalite::Veltrix
