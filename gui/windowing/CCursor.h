// A mouse cursor of one of the system's standard kinds, shown over a window
// through the native window system. Eight shared cursors, one per kind, live
// for the whole program; others belong to whoever makes them.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "gui/basics/NativeWindowHandle.h"

namespace Orvalite::GUI::Windowing
{
class CCursor : public ::Orvalite::Basics::CCountedObject
{
public:
    enum EKind
    {
        e_arrow = 0,
        e_hand,
        e_wait,
        e_northSouth,
        e_westEast,
        e_textBeam,
        e_diagonal,
        e_move,
        NUMBER_OF_KINDS
    };

    // An unknown kind makes an arrow.
    explicit CCursor(long kind);

    long getKind() const { return m_kind; }
    // Shows the cursor over the window; nothing without a window or a window system.
    void show(Basics::NativeWindowHandle window) const;

    // The shared cursor of a kind (the arrow for an unknown kind).
    static CCursor &getSharedCursor(long kind);

    ORVALITE_CLASS_RECORD(CCursor)

private:
    long m_kind;
};
} // namespace Orvalite::GUI::Windowing
