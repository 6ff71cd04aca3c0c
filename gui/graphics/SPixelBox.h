// A half-open box of device pixels, left … right − 1 by top … bottom − 1, in
// 64-bit so that edges moved past the 32-bit range still compare correctly.
#pragma once

#include <algorithm>
#include <cstdint>

namespace Orvalite::GUI::Graphics
{
struct SPixelBox
{
    int64_t left = 0;
    int64_t top = 0;
    int64_t right = 0;
    int64_t bottom = 0;

    bool isEmpty() const { return right <= left || bottom <= top; }
    SPixelBox intersectedWith(const SPixelBox &other) const
    {
        return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    }
};
} // namespace Orvalite::GUI::Graphics
