// The eight cursor kinds as cursors of the X cursor font, made on first use
// and freed with the connection. Owned by CX11WindowSystem.
#pragma once

#include <X11/Xlib.h>

#include <array>

namespace Orvalite::GUI::Windowing
{
class CX11Cursors
{
public:
    static constexpr int KIND_COUNT = 8;

    // Kinds 0 … 7: arrow, hand, wait, north-south, west-east, text beam,
    // diagonal, move; any other kind is the arrow.
    Cursor get(Display *display, int kind);
    // Frees the cursors made on `display`; call before closing it.
    void release(Display *display);

private:
    std::array<Cursor, KIND_COUNT> m_cursors{};
};
} // namespace Orvalite::GUI::Windowing
