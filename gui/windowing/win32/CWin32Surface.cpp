#include "gui/windowing/win32/CWin32Surface.h"

#include "gui/basics/win32/CWin32ResourceLedger.h"

namespace Orvalite::GUI::Windowing
{
using Basics::CWin32ResourceLedger;

CWin32Surface::~CWin32Surface()
{
    destroy();
}

bool CWin32Surface::resize(long width, long height, uint32_t argb)
{
    destroy();
    if (width < 1 || height < 1 || width > Graphics::CBitmap::MAXIMUM_SIDE || height > Graphics::CBitmap::MAXIMUM_SIDE)
    {
        return false;
    }
    m_memoryContext = CreateCompatibleDC(nullptr);
    if (!m_memoryContext)
    {
        return false;
    }
    CWin32ResourceLedger::created(CWin32ResourceLedger::e_deviceContext);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    // Negative: rows top-down, as the bitmap lays them out.
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    m_section = CreateDIBSection(m_memoryContext, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!m_section)
    {
        destroy();
        return false;
    }
    CWin32ResourceLedger::created(CWin32ResourceLedger::e_bitmap);
    m_previousBitmap = SelectObject(m_memoryContext, m_section);
    m_bitmap.attach(static_cast<uint32_t *>(bits), width, height);
    m_bitmap.fill(argb);
    return true;
}

Graphics::CDeviceContext &CWin32Surface::getContext()
{
    m_context.removeClip();
    return m_context;
}

void CWin32Surface::copyTo(HDC target, const Graphics::SPixelBox &box) const
{
    const Graphics::SPixelBox clipped = box.intersectedWith(getBox());
    if (clipped.isEmpty() || !m_memoryContext)
    {
        return;
    }
    const int left = static_cast<int>(clipped.left);
    const int top = static_cast<int>(clipped.top);
    BitBlt(target, left, top, static_cast<int>(clipped.right - clipped.left),
           static_cast<int>(clipped.bottom - clipped.top), m_memoryContext, left, top, SRCCOPY);
}

void CWin32Surface::destroy()
{
    m_bitmap.destroy();
    if (m_section)
    {
        SelectObject(m_memoryContext, m_previousBitmap);
        DeleteObject(m_section);
        CWin32ResourceLedger::released(CWin32ResourceLedger::e_bitmap);
        m_section = nullptr;
    }
    if (m_memoryContext)
    {
        DeleteDC(m_memoryContext);
        CWin32ResourceLedger::released(CWin32ResourceLedger::e_deviceContext);
        m_memoryContext = nullptr;
    }
}
} // namespace Orvalite::GUI::Windowing
