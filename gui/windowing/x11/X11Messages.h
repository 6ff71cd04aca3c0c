// The Win32 message numbers and key flags the X11 layer produces, named once.
#pragma once

#include <cstdint>

namespace Orvalite::GUI::Windowing::X11Messages
{
constexpr uint32_t DESTROY = 0x0002;
constexpr uint32_t MOVE = 0x0003;
constexpr uint32_t SIZE = 0x0005;
constexpr uint32_t SET_FOCUS = 0x0007;
constexpr uint32_t KILL_FOCUS = 0x0008;
constexpr uint32_t PAINT = 0x000F;
constexpr uint32_t CLOSE = 0x0010;
constexpr uint32_t KEY_DOWN = 0x0100;
constexpr uint32_t KEY_UP = 0x0101;
constexpr uint32_t MOUSE_MOVE = 0x0200;
constexpr uint32_t LEFT_BUTTON_DOWN = 0x0201;
constexpr uint32_t LEFT_BUTTON_UP = 0x0202;
constexpr uint32_t LEFT_BUTTON_DOUBLE_CLICK = 0x0203;
constexpr uint32_t RIGHT_BUTTON_DOWN = 0x0204;
constexpr uint32_t RIGHT_BUTTON_UP = 0x0205;
constexpr uint32_t MOUSE_WHEEL = 0x020A;
constexpr uint32_t DROP_FILES = 0x0233;
constexpr uint32_t MOUSE_LEAVE = 0x02A3;

// Buttons and keys held, in the low word of a mouse message's wParam.
constexpr uintptr_t KEY_FLAG_LEFT_BUTTON = 0x0001;
constexpr uintptr_t KEY_FLAG_RIGHT_BUTTON = 0x0002;
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
