// A white surface with a device context for the drawing tests, and questions
// about what was drawn on any bitmap: pixel counts and the bounding box of
// everything that is no longer the background.
#pragma once

#include "gui/graphics/CBitmap.h"
#include "gui/graphics/CDeviceContext.h"
#include "gui/graphics/SPixelBox.h"

#include <algorithm>
#include <cstdint>
#include <functional>

namespace Orvalite::Testing
{
constexpr uint32_t WHITE = 0xFFFFFFFF;
constexpr uint32_t BLACK = 0xFF000000;

inline long countPixels(const GUI::Graphics::CBitmap &bitmap, const std::function<bool(uint32_t)> &matches)
{
    long total = 0;
    for (long y = 0; y < bitmap.getHeight(); ++y)
    {
        for (long x = 0; x < bitmap.getWidth(); ++x)
        {
            total += matches(bitmap.getPixel(x, y)) ? 1 : 0;
        }
    }
    return total;
}

inline long countNot(const GUI::Graphics::CBitmap &bitmap, uint32_t background = WHITE)
{
    return countPixels(bitmap, [background](uint32_t pixel) { return pixel != background; });
}

// The smallest box holding every pixel other than the background; empty when there is none.
inline GUI::Graphics::SPixelBox changedBox(const GUI::Graphics::CBitmap &bitmap, uint32_t background = WHITE)
{
    GUI::Graphics::SPixelBox box{bitmap.getWidth(), bitmap.getHeight(), 0, 0};
    for (long y = 0; y < bitmap.getHeight(); ++y)
    {
        for (long x = 0; x < bitmap.getWidth(); ++x)
        {
            if (bitmap.getPixel(x, y) != background)
            {
                box = {std::min<int64_t>(box.left, x), std::min<int64_t>(box.top, y),
                       std::max<int64_t>(box.right, x + 1), std::max<int64_t>(box.bottom, y + 1)};
            }
        }
    }
    return box;
}

class CTestSurface
{
public:
    CTestSurface(long width, long height, uint32_t background = WHITE)
    {
        m_bitmap.create(width, height);
        m_bitmap.fill(background);
        m_context.selectBitmap(&m_bitmap);
    }

    GUI::Graphics::CBitmap &bitmap() { return m_bitmap; }
    GUI::Graphics::CDeviceContext &context() { return m_context; }
    uint32_t at(long x, long y) const { return m_bitmap.getPixel(x, y); }

private:
    GUI::Graphics::CBitmap m_bitmap;
    GUI::Graphics::CDeviceContext m_context;
};
} // namespace Orvalite::Testing
