// One entry of a menu: its text, the id reported when it is chosen and two
// further values, whether it shows a tick (0 or 1) and whether it can be
// chosen (1) or is greyed (0). Counted; held by the menus that list it.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "foundation/basics/CString.h"

namespace Orvalite::GUI::Controls
{
class CMenu;

class CMenuItem : public ::Orvalite::Basics::CCountedObject
{
public:
    CMenuItem(const ::Orvalite::Basics::CString &text, long id, long ticked = 0, long enabled = 1);

    const ::Orvalite::Basics::CString &getText() const { return m_text; }
    long getId() const { return m_id; }
    long getTicked() const { return m_ticked; }
    long getEnabled() const { return m_enabled; }
    bool isTicked() const { return m_ticked != 0; }
    bool isEnabled() const { return m_enabled != 0; }
    void setTicked(bool ticked) { m_ticked = ticked ? 1 : 0; }
    void setEnabled(bool enabled) { m_enabled = enabled ? 1 : 0; }
    // The menu this item opens; null for an item that is chosen.
    virtual CMenu *getSubMenu() const { return nullptr; }

    ORVALITE_CLASS_RECORD(CMenuItem)

private:
    ::Orvalite::Basics::CString m_text;
    long m_id;
    long m_ticked;
    long m_enabled;
};
} // namespace Orvalite::GUI::Controls
