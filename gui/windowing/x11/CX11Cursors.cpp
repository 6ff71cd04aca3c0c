#include "gui/windowing/x11/CX11Cursors.h"

#include <X11/cursorfont.h>

namespace Orvalite::GUI::Windowing
{
namespace
{
constexpr unsigned int FONT_SHAPES[CX11Cursors::KIND_COUNT] = {
    XC_left_ptr, XC_hand2, XC_watch, XC_sb_v_double_arrow, XC_sb_h_double_arrow, XC_xterm, XC_bottom_right_corner,
    XC_fleur};
}

Cursor CX11Cursors::get(Display *display, int kind)
{
    const int index = kind >= 0 && kind < KIND_COUNT ? kind : 0;
    if (m_cursors[index] == None)
    {
        m_cursors[index] = XCreateFontCursor(display, FONT_SHAPES[index]);
    }
    return m_cursors[index];
}

void CX11Cursors::release(Display *display)
{
    for (Cursor &cursor : m_cursors)
    {
        if (cursor != None)
        {
            XFreeCursor(display, cursor);
            cursor = None;
        }
    }
}
} // namespace Orvalite::GUI::Windowing
