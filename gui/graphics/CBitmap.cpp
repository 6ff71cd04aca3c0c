#include "gui/graphics/CBitmap.h"

#include <cstddef>
#include <new>

namespace Orvalite::GUI::Graphics
{
bool CBitmap::create(long width, long height)
{
    destroy();
    if (width < 1 || height < 1 || width > MAXIMUM_SIDE || height > MAXIMUM_SIDE)
    {
        return false;
    }
    try
    {
        m_pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0u);
    }
    catch (const std::bad_alloc &)
    {
        return false;
    }
    m_width = width;
    m_height = height;
    return true;
}

void CBitmap::destroy()
{
    std::vector<uint32_t>().swap(m_pixels);
    m_width = 0;
    m_height = 0;
}

uint32_t CBitmap::getPixel(long x, long y) const
{
    return contains(x, y) ? m_pixels[static_cast<std::size_t>(y * m_width + x)] : 0u;
}

void CBitmap::setPixel(long x, long y, uint32_t argb)
{
    if (contains(x, y))
    {
        m_pixels[static_cast<std::size_t>(y * m_width + x)] = argb;
    }
}

void CBitmap::fill(uint32_t argb)
{
    m_pixels.assign(m_pixels.size(), argb);
}

uint32_t CBitmap::packPremultiplied(uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha)
{
    return pack(red * alpha / 255, green * alpha / 255, blue * alpha / 255, alpha);
}
} // namespace Orvalite::GUI::Graphics
