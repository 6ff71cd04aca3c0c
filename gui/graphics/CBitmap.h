// A 32-bit pixel surface owned by our code: the role a DIB section plays on
// Windows. Pixels are premultiplied ARGB in native 32-bit words (0xAARRGGBB),
// rows top-down with no padding, which is also cairo's ARGB32 layout.
#pragma once

#include <cstdint>
#include <vector>

namespace Orvalite::GUI::Graphics
{
class CBitmap
{
public:
    // Largest width or height accepted, so a lying file header cannot ask for gigabytes.
    static constexpr long MAXIMUM_SIDE = 16384;

    CBitmap() = default;

    // Replaces the pixels with width × height transparent black ones. Sizes below 1
    // or above MAXIMUM_SIDE, or a failed allocation, leave an empty bitmap and false.
    bool create(long width, long height);
    void destroy();
    bool isEmpty() const { return m_pixels.empty(); }

    long getWidth() const { return m_width; }
    long getHeight() const { return m_height; }
    // Bytes from one row to the next.
    long getStride() const { return m_width * 4; }

    uint32_t *getPixels() { return m_pixels.data(); }
    const uint32_t *getPixels() const { return m_pixels.data(); }
    uint32_t *getRow(long y) { return m_pixels.data() + y * m_width; }
    const uint32_t *getRow(long y) const { return m_pixels.data() + y * m_width; }

    // Whether (x, y) lies on the surface.
    bool contains(long x, long y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    // The pixel at (x, y); 0 for a point off the surface.
    uint32_t getPixel(long x, long y) const;
    // Writes one pixel; points off the surface are ignored.
    void setPixel(long x, long y, uint32_t argb);
    void fill(uint32_t argb);

    // Premultiplied 0xAARRGGBB from straight channels, and the channels back.
    static uint32_t packPremultiplied(uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha);
    static uint32_t alphaOf(uint32_t argb) { return argb >> 24; }
    static uint32_t redOf(uint32_t argb) { return (argb >> 16) & 0xFF; }
    static uint32_t greenOf(uint32_t argb) { return (argb >> 8) & 0xFF; }
    static uint32_t blueOf(uint32_t argb) { return argb & 0xFF; }
    static uint32_t pack(uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha)
    {
        return (alpha << 24) | (red << 16) | (green << 8) | blue;
    }

private:
    long m_width = 0;
    long m_height = 0;
    std::vector<uint32_t> m_pixels;
};
} // namespace Orvalite::GUI::Graphics
