// The Win32 numbers of the window messages the toolkit handles, as every
// native window system delivers them to CWindow::handleWindowEvents.
#pragma once

#include <cstdint>

namespace Orvalite::GUI::Windowing
{
enum EWindowMessage : uint32_t
{
    e_destroy = 0x0002,
    e_move = 0x0003,
    e_size = 0x0005,
    e_setFocus = 0x0007,
    e_killFocus = 0x0008,
    e_paint = 0x000F,
    e_close = 0x0010,
    e_eraseBackground = 0x0014,
    e_keyDown = 0x0100,
    e_keyUp = 0x0101,
    // wParam: the Unicode code point typed (whole, never a UTF-16 half).
    e_character = 0x0102,
    e_timer = 0x0113,
    e_mouseMove = 0x0200,
    e_leftButtonDown = 0x0201,
    e_leftButtonUp = 0x0202,
    e_leftButtonDoubleClick = 0x0203,
    e_rightButtonDown = 0x0204,
    e_rightButtonUp = 0x0205,
    e_mouseWheel = 0x020A,
    // lParam: the window that took the capture (0 for none).
    e_captureChanged = 0x0215,
    e_dropFiles = 0x0233,
    e_mouseLeave = 0x02A3,
};

// The buttons held, in the wParam of mouse messages.
enum EMouseButtonFlag : uintptr_t
{
    e_leftButtonHeld = 0x0001,
    e_rightButtonHeld = 0x0002,
};
} // namespace Orvalite::GUI::Windowing
