// Block transfers onto a device context: 1:1 copies, nearest-pixel stretches
// and premultiplied source-over blends with a constant alpha (BitBlt,
// StretchBlt, AlphaBlend). Only destination pixels inside the writable box
// whose source pixel lies on the source bitmap are written.
#pragma once

#include "gui/graphics/CDeviceContext.h"

namespace Orvalite::GUI::Graphics
{
class CBlitter
{
public:
    explicit CBlitter(CDeviceContext &destination) : m_destination(destination) {}

    // Maps the source box onto the destination box; boxes of equal size copy 1:1.
    // With `blend` the source (premultiplied) goes over the destination after its
    // four channels are scaled by the constant alpha; otherwise it replaces it.
    void transfer(const SPixelBox &destination, const CBitmap &source, const SPixelBox &sourceBox,
                  uint32_t constantAlpha, bool blend);

    // One premultiplied pixel over another, exactly rounded by the divide-by-255 rule.
    static uint32_t blendOver(uint32_t destination, uint32_t source, uint32_t constantAlpha);

private:
    // For each destination index 0 … count − 1 the source index of its centre.
    static std::vector<int64_t> mapIndices(int64_t first, int64_t count, int64_t length, int64_t sourceStart,
                                           int64_t sourceLength);

    CDeviceContext &m_destination;
};
} // namespace Orvalite::GUI::Graphics
