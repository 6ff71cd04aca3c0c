// A GDI+ graphics drawing in place on a CBitmap's pixels: both are
// premultiplied 32-bit ARGB in native words with rows of width × 4 bytes
// (GDI+'s PixelFormat32bppPARGB), so GDI+ needs no copy.
#pragma once

#include "gui/graphics/CBitmap.h"
#include "gui/graphics/gdiplus/CGdiPlusSession.h"
#include "gui/graphics/gdiplus/TGdiPlusObject.h"

namespace Orvalite::GUI::Graphics
{
class CGdiPlusSurface
{
public:
    explicit CGdiPlusSurface(CBitmap &bitmap);

    // False when GDI+ is not running or refused the pixels (an empty bitmap).
    bool isValid() const { return static_cast<bool>(m_graphics); }
    Gdiplus::GpGraphics *get() const { return m_graphics.get(); }

private:
    CGdiPlusSession m_session;
    TGdiPlusObject<Gdiplus::GpBitmap> m_bitmap;
    TGdiPlusObject<Gdiplus::GpGraphics> m_graphics;
};
} // namespace Orvalite::GUI::Graphics
