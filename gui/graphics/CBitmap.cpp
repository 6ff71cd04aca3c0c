#include "gui/graphics/CBitmap.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <utility>

namespace Orvalite::GUI::Graphics
{
CBitmap::CBitmap(const CBitmap &other)
    : m_width(other.m_width), m_height(other.m_height),
      m_pixels(other.m_data, other.m_data + static_cast<std::size_t>(other.m_width * other.m_height))
{
    m_data = m_pixels.empty() ? nullptr : m_pixels.data();
}

CBitmap::CBitmap(CBitmap &&other) noexcept
    : m_width(std::exchange(other.m_width, 0)), m_height(std::exchange(other.m_height, 0)),
      m_pixels(std::move(other.m_pixels)), m_data(std::exchange(other.m_data, nullptr))
{
    other.m_pixels.clear();
}

CBitmap &CBitmap::operator=(CBitmap other) noexcept
{
    // Swapping vectors keeps their buffers where they are, so each m_data stays valid.
    std::swap(m_width, other.m_width);
    std::swap(m_height, other.m_height);
    m_pixels.swap(other.m_pixels);
    std::swap(m_data, other.m_data);
    return *this;
}

bool CBitmap::isAcceptedSize(long width, long height)
{
    return width >= 1 && height >= 1 && width <= MAXIMUM_SIDE && height <= MAXIMUM_SIDE;
}

bool CBitmap::create(long width, long height)
{
    destroy();
    if (!isAcceptedSize(width, height))
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
    m_data = m_pixels.data();
    return true;
}

bool CBitmap::attach(uint32_t *pixels, long width, long height)
{
    destroy();
    if (!pixels || !isAcceptedSize(width, height))
    {
        return false;
    }
    m_width = width;
    m_height = height;
    m_data = pixels;
    return true;
}

void CBitmap::destroy()
{
    std::vector<uint32_t>().swap(m_pixels);
    m_data = nullptr;
    m_width = 0;
    m_height = 0;
}

uint32_t CBitmap::getPixel(long x, long y) const
{
    return contains(x, y) ? m_data[y * m_width + x] : 0u;
}

void CBitmap::setPixel(long x, long y, uint32_t argb)
{
    if (contains(x, y))
    {
        m_data[y * m_width + x] = argb;
    }
}

void CBitmap::fill(uint32_t argb)
{
    std::fill(m_data, m_data + m_width * m_height, argb);
}

uint32_t CBitmap::packPremultiplied(uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha)
{
    return pack(red * alpha / 255, green * alpha / 255, blue * alpha / 255, alpha);
}
} // namespace Orvalite::GUI::Graphics
