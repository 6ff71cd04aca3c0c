#include "gui/windowing/CCursor.h"

#include "foundation/basics/CProgramLifetimeObjects.h"
#include "gui/windowing/INativeWindowSystem.h"

namespace Orvalite::GUI::Windowing
{
ORVALITE_DEFINE_CLASS_RECORD(CCursor, "CCursor", "CCountedObject")

namespace
{
bool isKnownKind(long kind)
{
    return kind >= 0 && kind < CCursor::NUMBER_OF_KINDS;
}

// Built while the program starts and never released; the leak check is told so.
CCursor *const s_sharedCursors[CCursor::NUMBER_OF_KINDS] = {
    new CCursor(CCursor::e_arrow),      new CCursor(CCursor::e_hand),     new CCursor(CCursor::e_wait),
    new CCursor(CCursor::e_northSouth), new CCursor(CCursor::e_westEast), new CCursor(CCursor::e_textBeam),
    new CCursor(CCursor::e_diagonal),   new CCursor(CCursor::e_move)};

bool registerSharedCursors()
{
    for (const CCursor *cursor : s_sharedCursors)
    {
        ::Orvalite::Basics::CProgramLifetimeObjects::add(*cursor);
    }
    return true;
}

const bool s_sharedCursorsRegistered = registerSharedCursors();
} // namespace

CCursor::CCursor(long kind) : m_kind(isKnownKind(kind) ? kind : long{e_arrow}) {}

void CCursor::show(Basics::NativeWindowHandle window) const
{
    if (INativeWindowSystem *system = INativeWindowSystem::current(); system && window)
    {
        system->setCursor(window, static_cast<int>(m_kind));
    }
}

CCursor &CCursor::getSharedCursor(long kind)
{
    return *s_sharedCursors[isKnownKind(kind) ? kind : long{e_arrow}];
}
} // namespace Orvalite::GUI::Windowing
