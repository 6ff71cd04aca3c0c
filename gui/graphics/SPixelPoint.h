// A point in device pixels as the raster code and the anti-aliased renderer take it.
#pragma once

#include <cstdint>

namespace Orvalite::GUI::Graphics
{
struct SPixelPoint
{
    int32_t x = 0;
    int32_t y = 0;
};
} // namespace Orvalite::GUI::Graphics
