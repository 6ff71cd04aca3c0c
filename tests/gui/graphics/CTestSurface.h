// A white surface with a device context for the drawing tests, and questions
// about what was drawn on it: pixel colours, counts and the bounding box of
// everything that is no longer the background.
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

    long count(const std::function<bool(uint32_t)> &matches) const
    {
        long total = 0;
        for (long y = 0; y < m_bitmap.getHeight(); ++y)
        {
            for (long x = 0; x < m_bitmap.getWidth(); ++x)
            {
                total += matches(at(x, y)) ? 1 : 0;
            }
        }
        return total;
    }
    long countNotBackground() const
    {
        return count([this](uint32_t pixel) { return pixel != m_background; });
    }

    // The smallest box holding every changed pixel; empty when nothing changed.
    GUI::Graphics::SPixelBox changedBox() const
    {
        GUI::Graphics::SPixelBox box{m_bitmap.getWidth(), m_bitmap.getHeight(), 0, 0};
        for (long y = 0; y < m_bitmap.getHeight(); ++y)
        {
            for (long x = 0; x < m_bitmap.getWidth(); ++x)
            {
                if (!isBackground(x, y))
                {
                    box = {std::min<int64_t>(box.left, x), std::min<int64_t>(box.top, y),
                           std::max<int64_t>(box.right, x + 1), std::max<int64_t>(box.bottom, y + 1)};
                }
            }
        }
        return box;
    }

private:
    GUI::Graphics::CBitmap m_bitmap;
    GUI::Graphics::CDeviceContext m_context;
    uint32_t m_background;
};
} // namespace Orvalite::Testing
