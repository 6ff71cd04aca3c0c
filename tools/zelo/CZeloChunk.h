// What `zelo` knows of Zelo's own chunk, a published byte layout: program
// records of 7228 bytes back to back, each with an A and a B half of parameter
// values (23 used entries each) at fixed offsets. Other plug-ins' chunks stay opaque.
#pragma once

#include "vst/VstAbi.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace Zelo::Tools
{
class CZeloChunk
{
public:
    static constexpr size_t RECORD_SIZE = 7228;
    static constexpr VstInt32 PARAMETERS = 23;

    // Where a used parameter value sits: its record, half ('A' or 'B') and parameter.
    struct SEntry
    {
        size_t record;
        char half;
        VstInt32 parameter;
    };

    CZeloChunk() = delete;

    // A chunk of whole Zelo records, from the plug-in with Zelo's unique ID.
    static bool isZeloChunk(VstInt32 uniqueId, const std::vector<uint8_t> &chunk);
    // The used value at byte `offset` of such a chunk; none for any other byte.
    static std::optional<SEntry> entryAt(size_t offset);
    // Gives every record's other half the values of `half`, so that the chunk
    // plays that half whichever half the bank has live when it is loaded.
    static void keepHalf(std::vector<uint8_t> &chunk, char half);
    // Whether every record's two halves hold the same values.
    static bool hasEqualHalves(const std::vector<uint8_t> &chunk);
    // The half a chunk plays when loaded into a fresh instance: the A/B switch
    // kept in its first record ('A' for 0, else 'B').
    static char liveHalf(const std::vector<uint8_t> &chunk);
};
} // namespace Zelo::Tools
