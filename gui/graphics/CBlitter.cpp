#include "gui/graphics/CBlitter.h"

#include "gui/basics/CAlphaColour.h"
#include "gui/graphics/CRasterMath.h"

namespace Orvalite::GUI::Graphics
{
namespace
{
uint32_t over(uint32_t destination, uint32_t source, uint32_t sourceAlpha)
{
    const uint32_t x = (255 - sourceAlpha) * destination + 255 * source + 128;
    return std::min<uint32_t>(((x >> 8) + x) >> 8, 255);
}

uint32_t scaled(uint32_t channel, uint32_t constantAlpha)
{
    return Basics::CAlphaColour::blend(0, channel, constantAlpha);
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
        uint32_t *targetRow = target.getRow(visible.top + static_cast<int64_t>(row));
        for (size_t column = 0; column < columns.size(); ++column)
        {
            if (!from.contains(columns[column], rows[row]))
            {
                continue;
            }
            const uint32_t pixel = from.getPixel(columns[column], rows[row]);
            uint32_t &out = targetRow[visible.left + static_cast<int64_t>(column)];
            out = blend ? blendOver(out, pixel, constantAlpha) : pixel;
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
    const uint32_t alpha = scaled(CBitmap::alphaOf(source), constantAlpha);
    return CBitmap::pack(over(CBitmap::redOf(destination), scaled(CBitmap::redOf(source), constantAlpha), alpha),
                         over(CBitmap::greenOf(destination), scaled(CBitmap::greenOf(source), constantAlpha), alpha),
                         over(CBitmap::blueOf(destination), scaled(CBitmap::blueOf(source), constantAlpha), alpha),
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
