#include "gui/graphics/gdiplus/CGdiPlusSurface.h"

namespace Orvalite::GUI::Graphics
{
namespace
{
TGdiPlusObject<Gdiplus::GpBitmap> bitmapOver(CBitmap &bitmap)
{
    Gdiplus::GpBitmap *made = nullptr;
    const Gdiplus::GpStatus status = Gdip::GdipCreateBitmapFromScan0(
        static_cast<INT>(bitmap.getWidth()), static_cast<INT>(bitmap.getHeight()), static_cast<INT>(bitmap.getStride()),
        PixelFormat32bppPARGB, reinterpret_cast<BYTE *>(bitmap.getPixels()), &made);
    return {status, made};
}

TGdiPlusObject<Gdiplus::GpGraphics> graphicsOn(Gdiplus::GpBitmap *bitmap)
{
    Gdiplus::GpGraphics *made = nullptr;
    const Gdiplus::GpStatus status = Gdip::GdipGetImageGraphicsContext(bitmap, &made);
    return {status, made};
}
} // namespace

CGdiPlusSurface::CGdiPlusSurface(CBitmap &bitmap)
{
    if (!m_session.isRunning() || bitmap.isEmpty())
    {
        return;
    }
    m_bitmap = bitmapOver(bitmap);
    if (m_bitmap)
    {
        m_graphics = graphicsOn(m_bitmap.get());
    }
}
} // namespace Orvalite::GUI::Graphics
