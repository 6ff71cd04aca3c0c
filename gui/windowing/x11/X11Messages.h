// How the X11 layer packs message parameters as Win32 does; the message
// numbers themselves are gui/windowing/WindowMessage.h.
#pragma once

#include <cstdint>

namespace Orvalite::GUI::Windowing::X11Messages
{
// Keys and the middle button held, in the low word of a mouse message's
// wParam beside EMouseButtonFlag's two buttons.
constexpr uintptr_t KEY_FLAG_SHIFT = 0x0004;
constexpr uintptr_t KEY_FLAG_CONTROL = 0x0008;
constexpr uintptr_t KEY_FLAG_MIDDLE_BUTTON = 0x0010;

// One wheel notch.
constexpr int WHEEL_DELTA = 120;

// Two 16-bit words in one parameter, x (or width) low, as MAKELPARAM packs them;
// negative values keep their two's-complement low 16 bits.
inline intptr_t packWords(long low, long high)
{
    return static_cast<intptr_t>((static_cast<uint32_t>(static_cast<uint16_t>(high)) << 16) |
                                 static_cast<uint16_t>(low));
}
} // namespace Orvalite::GUI::Windowing::X11Messages
