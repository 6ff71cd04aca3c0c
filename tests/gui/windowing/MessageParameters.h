// The packed parameters of the window messages the tests inject: a point in
// the lParam of pointer messages, a wheel turn in the high word of a wParam.
#pragma once

#include <cstdint>

namespace Orvalite::Testing
{
inline intptr_t pointParameter(long x, long y)
{
    return static_cast<intptr_t>(static_cast<uint16_t>(x) | static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16);
}

// `delta` is 120 a notch, positive away from the user.
inline uintptr_t wheelParameter(long delta)
{
    return static_cast<uintptr_t>(static_cast<uint16_t>(delta)) << 16;
}
} // namespace Orvalite::Testing
