#include "tools/zelo/CZeloChunk.h"

#include <cstring>

namespace Zelo::Tools
{
namespace
{
constexpr VstInt32 ZELO_ID = ('O' << 24) | ('v' << 16) | ('a' << 8) | '5';
// Byte offsets of the halves in a record.
constexpr size_t HALF_A = 56;
constexpr size_t HALF_B = 1080;
constexpr size_t HALF_BYTES = CZeloChunk::PARAMETERS * sizeof(float);
// The bank's A/B switch, a 32-bit integer at the end of the first record.
constexpr size_t SWITCH = 7224;

size_t offsetOf(char half)
{
    return half == 'B' ? HALF_B : HALF_A;
}
} // namespace

bool CZeloChunk::isZeloChunk(VstInt32 uniqueId, const std::vector<uint8_t> &chunk)
{
    return uniqueId == ZELO_ID && !chunk.empty() && chunk.size() % RECORD_SIZE == 0;
}

std::optional<CZeloChunk::SEntry> CZeloChunk::entryAt(size_t offset)
{
    const size_t inRecord = offset % RECORD_SIZE;
    for (const char half : {'A', 'B'})
    {
        const size_t start = offsetOf(half);
        if (inRecord >= start && inRecord < start + HALF_BYTES)
        {
            return SEntry{offset / RECORD_SIZE, half, static_cast<VstInt32>((inRecord - start) / sizeof(float))};
        }
    }
    return std::nullopt;
}

void CZeloChunk::keepHalf(std::vector<uint8_t> &chunk, char half)
{
    const char other = half == 'B' ? 'A' : 'B';
    for (size_t record = 0; record + RECORD_SIZE <= chunk.size(); record += RECORD_SIZE)
    {
        std::memcpy(chunk.data() + record + offsetOf(other), chunk.data() + record + offsetOf(half), HALF_BYTES);
    }
}

bool CZeloChunk::hasEqualHalves(const std::vector<uint8_t> &chunk)
{
    for (size_t record = 0; record + RECORD_SIZE <= chunk.size(); record += RECORD_SIZE)
    {
        if (std::memcmp(chunk.data() + record + HALF_A, chunk.data() + record + HALF_B, HALF_BYTES) != 0)
        {
            return false;
        }
    }
    return true;
}

char CZeloChunk::liveHalf(const std::vector<uint8_t> &chunk)
{
    int32_t selector = 0;
    if (chunk.size() >= SWITCH + sizeof(selector))
    {
        std::memcpy(&selector, chunk.data() + SWITCH, sizeof(selector));
    }
    return selector == 0 ? 'A' : 'B';
}
} // namespace Zelo::Tools
