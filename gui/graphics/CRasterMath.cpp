#include "gui/graphics/CRasterMath.h"

#include <algorithm>

namespace Orvalite::GUI::Graphics
{
namespace
{
// a is split into high and low halves of this many bits so that no partial product reaches 2^64.
const unsigned SPLIT_BITS = 21;

// floor(a × b / c) and the remainder.
uint64_t divideProduct(uint64_t a, uint64_t b, uint64_t c, uint64_t &remainder)
{
    const uint64_t high = a >> SPLIT_BITS;
    const uint64_t low = a & ((uint64_t{1} << SPLIT_BITS) - 1);
    const uint64_t highProduct = high * b;
    const uint64_t rest = ((highProduct % c) << SPLIT_BITS) + low * b;
    remainder = rest % c;
    return ((highProduct / c) << SPLIT_BITS) + rest / c;
}
} // namespace

uint64_t CRasterMath::mulDivFloor(uint64_t a, uint64_t b, uint64_t c)
{
    uint64_t remainder = 0;
    return divideProduct(a, b, c, remainder);
}

uint64_t CRasterMath::mulDivRound(uint64_t a, uint64_t b, uint64_t c)
{
    uint64_t remainder = 0;
    const uint64_t quotient = divideProduct(a, b, c, remainder);
    return quotient + (2 * remainder >= c ? 1 : 0);
}

bool CRasterMath::stepsInside(int64_t start, int64_t direction, int64_t count, int64_t first, int64_t end,
                              int64_t &lowest, int64_t &highest)
{
    lowest = std::max<int64_t>(direction > 0 ? first - start : start - (end - 1), 0);
    highest = std::min<int64_t>(direction > 0 ? end - 1 - start : start - first, count - 1);
    return lowest <= highest;
}
} // namespace Orvalite::GUI::Graphics
