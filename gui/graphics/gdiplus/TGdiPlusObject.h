// Owns one GDI+ object: frees it with the matching GDI+ call and keeps the
// resource ledger's count of its kind (bitmaps and fonts apart, every other
// object as a GDI+ object). Make one from what a GDI+ create call answered.
#pragma once

#include "gui/basics/win32/CWin32ResourceLedger.h"
#include "gui/graphics/gdiplus/GdiPlusApi.h"

#include <utility>

namespace Orvalite::GUI::Graphics
{
namespace GdiPlusObjects
{
using Basics::CWin32ResourceLedger;

inline void free(Gdiplus::GpGraphics *object)
{
    Gdip::GdipDeleteGraphics(object);
}
inline void free(Gdiplus::GpBitmap *object)
{
    Gdip::GdipDisposeImage(object);
}
inline void free(Gdiplus::GpPen *object)
{
    Gdip::GdipDeletePen(object);
}
inline void free(Gdiplus::GpSolidFill *object)
{
    Gdip::GdipDeleteBrush(object);
}
inline void free(Gdiplus::GpPath *object)
{
    Gdip::GdipDeletePath(object);
}
inline void free(Gdiplus::GpFontFamily *object)
{
    Gdip::GdipDeleteFontFamily(object);
}
inline void free(Gdiplus::GpFont *object)
{
    Gdip::GdipDeleteFont(object);
}
inline void free(Gdiplus::GpStringFormat *object)
{
    Gdip::GdipDeleteStringFormat(object);
}

template <typename TObject> CWin32ResourceLedger::EKind kindOf()
{
    return CWin32ResourceLedger::e_gdiPlusObject;
}
template <> inline CWin32ResourceLedger::EKind kindOf<Gdiplus::GpBitmap>()
{
    return CWin32ResourceLedger::e_bitmap;
}
template <> inline CWin32ResourceLedger::EKind kindOf<Gdiplus::GpFont>()
{
    return CWin32ResourceLedger::e_font;
}
} // namespace GdiPlusObjects

template <typename TObject> class TGdiPlusObject
{
public:
    TGdiPlusObject() = default;
    // Takes `object` when `status` says the call that made it succeeded.
    TGdiPlusObject(Gdiplus::GpStatus status, TObject *object) : m_object(status == Gdiplus::Ok ? object : nullptr)
    {
        if (m_object)
        {
            Basics::CWin32ResourceLedger::created(GdiPlusObjects::kindOf<TObject>());
        }
    }
    TGdiPlusObject(const TGdiPlusObject &) = delete;
    TGdiPlusObject &operator=(const TGdiPlusObject &) = delete;
    TGdiPlusObject(TGdiPlusObject &&other) noexcept : m_object(other.m_object) { other.m_object = nullptr; }
    TGdiPlusObject &operator=(TGdiPlusObject &&other) noexcept
    {
        std::swap(m_object, other.m_object);
        return *this;
    }
    ~TGdiPlusObject()
    {
        if (m_object)
        {
            GdiPlusObjects::free(m_object);
            Basics::CWin32ResourceLedger::released(GdiPlusObjects::kindOf<TObject>());
        }
    }

    TObject *get() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

private:
    TObject *m_object = nullptr;
};
} // namespace Orvalite::GUI::Graphics
