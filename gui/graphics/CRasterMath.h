// Exact integer helpers of the raster code: products of two 32-bit-range
// values divided without overflow, on every platform (no 128-bit type needed).
#pragma once

#include <cstdint>

namespace Orvalite::GUI::Graphics
{
class CRasterMath
{
public:
    // floor(a × b / c) for a, b, c below 2^42 and c > 0, when the result is below 2^63.
    static uint64_t mulDivFloor(uint64_t a, uint64_t b, uint64_t c);
    // a × b / c rounded to the nearest integer, halves rounded up; same ranges.
    static uint64_t mulDivRound(uint64_t a, uint64_t b, uint64_t c);
    // The steps lowest … highest among 0 … count − 1 for which start + direction × step
    // lies in first … end − 1 (direction ±1); false when there are none.
    static bool stepsInside(int64_t start, int64_t direction, int64_t count, int64_t first, int64_t end,
                            int64_t &lowest, int64_t &highest);
};
} // namespace Orvalite::GUI::Graphics
