#include "gui/graphics/CBlitter.h"

#include "gui/graphics/CRasterMath.h"

namespace Orvalite::GUI::Graphics
{
namespace
{
// The exact divide-by-255 rule on a weighted sum: ((x >> 8) + x) >> 8 with x = sum + 128.
inline uint32_t divideBy255(uint32_t sum)
{
    const uint32_t x = sum + 128;
    return ((x >> 8) + x) >> 8;
}

// A premultiplied channel over another whose source weight is sourceAlpha.
inline uint32_t over(uint32_t destination, uint32_t source, uint32_t sourceAlpha)
{
    return std::min<uint32_t>(divideBy255((255 - sourceAlpha) * destination + 255 * source), 255);
}
} // namespace

void CBlitter::transfer(const SPixelBox &destination, const CBitmap &source, const SPixelBox &sourceBox,
                        uint32_t constantAlpha, bool blend)
{
    const SPixelBox visible = destination.intersectedWith(m_destination.getWritableBox());
    if (destination.isEmpty() || sourceBox.isEmpty() || visible.isEmpty() || source.isEmpty())
    {
        return;
    }
    // Copying a bitmap onto itself reads from a snapshot, so overlapping boxes stay correct.
    const CBitmap snapshot = &source == m_destination.getBitmap() ? source : CBitmap();
    const CBitmap &from = snapshot.isEmpty() ? source : snapshot;

    const std::vector<int64_t> columns =
        mapIndices(visible.left - destination.left, visible.right - visible.left, destination.right - destination.left,
                   sourceBox.left, sourceBox.right - sourceBox.left);
    const std::vector<int64_t> rows =
        mapIndices(visible.top - destination.top, visible.bottom - visible.top, destination.bottom - destination.top,
                   sourceBox.top, sourceBox.bottom - sourceBox.top);
    CBitmap &target = *m_destination.getBitmap();
    for (size_t row = 0; row < rows.size(); ++row)
    {
        if (rows[row] < 0 || rows[row] >= from.getHeight())
        {
            continue;
        }
        const uint32_t *sourceRow = from.getRow(rows[row]);
        uint32_t *targetRow = target.getRow(visible.top + static_cast<int64_t>(row)) + visible.left;
        for (size_t column = 0; column < columns.size(); ++column)
        {
            const int64_t x = columns[column];
            if (x >= 0 && x < from.getWidth())
            {
                targetRow[column] = blend ? blendOver(targetRow[column], sourceRow[x], constantAlpha) : sourceRow[x];
            }
        }
    }
}

uint32_t CBlitter::blendOver(uint32_t destination, uint32_t source, uint32_t constantAlpha)
{
    // Skins are mostly opaque or fully transparent pixels: at full constant alpha the
    // rule below gives exactly the source, or the destination for a zero source.
    if (constantAlpha == 255 && (CBitmap::alphaOf(source) == 255 || source == 0))
    {
        return source == 0 ? destination : source;
    }
    // The constant alpha scales all four channels, then the source goes over.
    const uint32_t alpha = divideBy255(CBitmap::alphaOf(source) * constantAlpha);
    return CBitmap::pack(
        over(CBitmap::redOf(destination), divideBy255(CBitmap::redOf(source) * constantAlpha), alpha),
        over(CBitmap::greenOf(destination), divideBy255(CBitmap::greenOf(source) * constantAlpha), alpha),
        over(CBitmap::blueOf(destination), divideBy255(CBitmap::blueOf(source) * constantAlpha), alpha),
        over(CBitmap::alphaOf(destination), alpha, alpha));
}

std::vector<int64_t> CBlitter::mapIndices(int64_t first, int64_t count, int64_t length, int64_t sourceStart,
                                          int64_t sourceLength)
{
    std::vector<int64_t> indices(static_cast<size_t>(count));
    for (int64_t index = 0; index < count; ++index)
    {
        // The centre of destination pixel i, (i + ½) / length of the way along, picks the source pixel.
        const uint64_t centre = 2 * static_cast<uint64_t>(first + index) + 1;
        indices[static_cast<size_t>(index)] =
            sourceStart + static_cast<int64_t>(CRasterMath::mulDivFloor(centre, static_cast<uint64_t>(sourceLength),
                                                                        2 * static_cast<uint64_t>(length)));
    }
    return indices;
}
} // namespace Orvalite::GUI::Graphics
