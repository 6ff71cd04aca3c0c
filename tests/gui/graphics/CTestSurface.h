// A white surface with a device context for the drawing tests, and questions
// about what was drawn on it or on any other bitmap: pixel counts and the
// bounding box of everything that is no longer the background.
#pragma once

#include "gui/graphics/CBitmap.h"
#include "gui/graphics/CDeviceContext.h"
#include "gui/graphics/SPixelBox.h"

#include <cstdint>
#include <functional>

namespace Orvalite::Testing
{
class CTestSurface
{
public:
    static constexpr uint32_t WHITE = 0xFFFFFFFF;
    static constexpr uint32_t BLACK = 0xFF000000;

    CTestSurface(long width, long height, uint32_t background = WHITE) : m_background(background)
    {
        m_bitmap.create(width, height);
        m_bitmap.fill(background);
        m_context.selectBitmap(&m_bitmap);
    }

    GUI::Graphics::CBitmap &bitmap() { return m_bitmap; }
    GUI::Graphics::CDeviceContext &context() { return m_context; }
    uint32_t at(long x, long y) const { return m_bitmap.getPixel(x, y); }
    bool isBackground(long x, long y) const { return at(x, y) == m_background; }
    long countNotBackground() const { return countNot(m_bitmap, m_background); }
    GUI::Graphics::SPixelBox changedBox() const { return changedBox(m_bitmap, m_background); }

    static long count(const GUI::Graphics::CBitmap &bitmap, const std::function<bool(uint32_t)> &matches)
    {
        long total = 0;
        forEachPixel(bitmap, [&](long, long, uint32_t pixel) { total += matches(pixel) ? 1 : 0; });
        return total;
    }
    static long countNot(const GUI::Graphics::CBitmap &bitmap, uint32_t background = WHITE)
    {
        return count(bitmap, [background](uint32_t pixel) { return pixel != background; });
    }
    // The smallest box holding every pixel other than the background; empty when there is none.
    static GUI::Graphics::SPixelBox changedBox(const GUI::Graphics::CBitmap &bitmap, uint32_t background = WHITE)
    {
        GUI::Graphics::SPixelBox box{bitmap.getWidth(), bitmap.getHeight(), 0, 0};
        forEachPixel(bitmap, [&](long x, long y, uint32_t pixel) {
            if (pixel != background)
            {
                box = {std::min<int64_t>(box.left, x), std::min<int64_t>(box.top, y),
                       std::max<int64_t>(box.right, x + 1), std::max<int64_t>(box.bottom, y + 1)};
            }
        });
        return box;
    }

private:
    static void forEachPixel(const GUI::Graphics::CBitmap &bitmap,
                             const std::function<void(long, long, uint32_t)> &visit)
    {
        for (long y = 0; y < bitmap.getHeight(); ++y)
        {
            for (long x = 0; x < bitmap.getWidth(); ++x)
            {
                visit(x, y, bitmap.getPixel(x, y));
            }
        }
    }

    GUI::Graphics::CBitmap m_bitmap;
    GUI::Graphics::CDeviceContext m_context;
    uint32_t m_background;
};
} // namespace Orvalite::Testing
