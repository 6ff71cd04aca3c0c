// A 32-bit pixel surface owned by our code: the role a DIB section plays on
// Windows. Pixels are premultiplied ARGB in native 32-bit words (0xAARRGGBB),
// rows top-down with no padding, which is also cairo's ARGB32 layout. The
// pixels are the bitmap's own, or memory attached from outside (a DIB section's).
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
    // Copies own their pixels, whether the original's were its own or attached.
    CBitmap(const CBitmap &other);
    CBitmap(CBitmap &&other) noexcept;
    CBitmap &operator=(CBitmap other) noexcept;

    // Replaces the pixels with width × height transparent black ones. Sizes below 1
    // or above MAXIMUM_SIDE, or a failed allocation, leave an empty bitmap and false.
    bool create(long width, long height);
    // Draws into width × height pixels the caller owns and keeps alive until
    // destroy() or another create/attach; a copy owns a copy of them. Refuses
    // (false, empty bitmap) the sizes create refuses, and null memory.
    bool attach(uint32_t *pixels, long width, long height);
    void destroy();
    bool isEmpty() const { return m_data == nullptr; }

    long getWidth() const { return m_width; }
    long getHeight() const { return m_height; }
    // Bytes from one row to the next.
    long getStride() const { return m_width * 4; }

    uint32_t *getPixels() { return m_data; }
    const uint32_t *getPixels() const { return m_data; }
    uint32_t *getRow(long y) { return m_data + y * m_width; }
    const uint32_t *getRow(long y) const { return m_data + y * m_width; }

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
    static bool isAcceptedSize(long width, long height);

    long m_width = 0;
    long m_height = 0;
    std::vector<uint32_t> m_pixels;
    // The pixels drawn into: the vector's, attached memory, or null when empty.
    uint32_t *m_data = nullptr;
};
} // namespace Orvalite::GUI::Graphics
