// A window's back buffer: a 32-bit top-down DIB section selected into a
// memory device context, whose memory is the bitmap the toolkit's raster code
// draws into; painting copies boxes of it to the window. Owned by the
// window's SWin32Window record.
#pragma once

#include "gui/graphics/CBitmap.h"
#include "gui/graphics/CDeviceContext.h"
#include "gui/graphics/SPixelBox.h"

#include <windows.h>

namespace Orvalite::GUI::Windowing
{
class CWin32Surface
{
public:
    CWin32Surface() = default;
    CWin32Surface(const CWin32Surface &) = delete;
    CWin32Surface &operator=(const CWin32Surface &) = delete;
    ~CWin32Surface();

    // New width × height pixels of `argb` (premultiplied); false (and an empty
    // surface) for sizes the bitmap refuses or when GDI cannot make the section.
    bool resize(long width, long height, uint32_t argb);
    long getWidth() const { return m_bitmap.getWidth(); }
    long getHeight() const { return m_bitmap.getHeight(); }
    Graphics::SPixelBox getBox() const { return {0, 0, m_bitmap.getWidth(), m_bitmap.getHeight()}; }

    // The context drawing into the section, with no clip.
    Graphics::CDeviceContext &getContext();
    // Copies the box (clipped to the surface) to the same place of `target`.
    void copyTo(HDC target, const Graphics::SPixelBox &box) const;

private:
    void destroy();

    HDC m_memoryContext = nullptr;
    HBITMAP m_section = nullptr;
    HGDIOBJ m_previousBitmap = nullptr;
    Graphics::CBitmap m_bitmap;
    Graphics::CDeviceContext m_context{&m_bitmap};
};
} // namespace Orvalite::GUI::Windowing
