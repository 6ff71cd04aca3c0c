// A platform file time: 100-nanosecond ticks since 1 January 1601 UTC, the
// count Windows keeps, so that times written by either build mean the same.
#pragma once

#include <cstdint>

namespace Orvalite::Host
{
struct SFileTime
{
    uint64_t ticks = 0;
};
} // namespace Orvalite::Host
