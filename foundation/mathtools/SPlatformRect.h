// The platform's own rectangle as native drawing and windowing calls take it:
// four edges, right and bottom one past the last pixel. Plain data, not counted.
#pragma once

#include <cstdint>

namespace Orvalite::MathTools
{
struct SPlatformRect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};
} // namespace Orvalite::MathTools
