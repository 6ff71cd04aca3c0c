#include "gui/fonts/gdiplus/CGdiPlusFontHandle.h"

#include "foundation/basics/win32/CWideText.h"
#include "gui/fonts/FontText.h"

#include <cmath>
#include <cstring>

namespace Orvalite::GUI::Fonts
{
using Graphics::CGdiPlusSurface;
using Graphics::TGdiPlusObject;
using Orvalite::Basics::Win32::CWideText;
using Orvalite::GUI::Basics::CWin32ResourceLedger;
namespace Gdip = Graphics::Gdip;

namespace
{
// The size GDI picks for a height of 0.
const double DEFAULT_PIXEL_SIZE = 12.0;
const int32_t BOLD_WEIGHT = 700;
// Positions farther off the surface draw nothing.
const double POSITION_LIMIT = 4194304.0;

INT styleOf(const SLogicalFont &font)
{
    return (font.weight >= BOLD_WEIGHT ? Gdiplus::FontStyleBold : 0) | (font.italic ? Gdiplus::FontStyleItalic : 0) |
           (font.underline ? Gdiplus::FontStyleUnderline : 0) | (font.strikeOut ? Gdiplus::FontStyleStrikeout : 0);
}

// The face GDI's font mapper picks for the description (a substitute when the
// named face is not installed, as "Arial" under Wine).
std::wstring faceGdiPicks(const std::wstring &face, const SLogicalFont &font)
{
    LOGFONTW description = {};
    description.lfHeight = font.height;
    description.lfWeight = font.weight;
    description.lfItalic = font.italic;
    face.copy(description.lfFaceName, LF_FACESIZE - 1);
    HFONT gdiFont = CreateFontIndirectW(&description);
    HDC context = CreateCompatibleDC(nullptr);
    WCHAR picked[LF_FACESIZE] = {};
    if (gdiFont && context)
    {
        CWin32ResourceLedger::created(CWin32ResourceLedger::e_font);
        CWin32ResourceLedger::created(CWin32ResourceLedger::e_deviceContext);
        const HGDIOBJ previous = SelectObject(context, gdiFont);
        GetTextFaceW(context, LF_FACESIZE, picked);
        SelectObject(context, previous);
        CWin32ResourceLedger::released(CWin32ResourceLedger::e_font);
        CWin32ResourceLedger::released(CWin32ResourceLedger::e_deviceContext);
    }
    if (context)
    {
        DeleteDC(context);
    }
    if (gdiFont)
    {
        DeleteObject(gdiFont);
    }
    return picked;
}

// The named family, else the one GDI would draw the description with.
TGdiPlusObject<Gdiplus::GpFontFamily> familyOf(const SLogicalFont &font)
{
    const std::string name(font.faceName, strnlen(font.faceName, SLogicalFont::FACE_NAME_SIZE - 1));
    const std::wstring face = CWideText::fromUtf8(name.c_str());
    Gdiplus::GpFontFamily *made = nullptr;
    Gdiplus::GpStatus status = Gdip::GdipCreateFontFamilyFromName(face.c_str(), nullptr, &made);
    if (status != Gdiplus::Ok)
    {
        status = Gdip::GdipCreateFontFamilyFromName(faceGdiPicks(face, font).c_str(), nullptr, &made);
    }
    return {status, made};
}

// Typographic layout (no padding, no wrapping, no clipping) that counts trailing spaces.
TGdiPlusObject<Gdiplus::GpStringFormat> typographicFormat()
{
    Gdiplus::GpStringFormat *generic = nullptr;
    Gdiplus::GpStringFormat *made = nullptr;
    if (Gdip::GdipStringFormatGetGenericTypographic(&generic) != Gdiplus::Ok)
    {
        return {};
    }
    const Gdiplus::GpStatus status = Gdip::GdipCloneStringFormat(generic, &made);
    TGdiPlusObject<Gdiplus::GpStringFormat> format(status, made);
    if (format)
    {
        Gdip::GdipSetStringFormatFlags(format.get(), Gdiplus::StringFormatFlagsNoWrap |
                                                         Gdiplus::StringFormatFlagsNoClip |
                                                         Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    }
    return format;
}

Graphics::CBitmap onePixel()
{
    Graphics::CBitmap bitmap;
    bitmap.create(1, 1);
    return bitmap;
}

TGdiPlusObject<Gdiplus::GpSolidFill> brushOf(uint32_t argb)
{
    Gdiplus::GpSolidFill *made = nullptr;
    const Gdiplus::GpStatus status = Gdip::GdipCreateSolidFill(argb, &made);
    return {status, made};
}
} // namespace

std::unique_ptr<IFontHandle> IFontHandle::create(const SLogicalFont &font)
{
    auto handle = std::make_unique<CGdiPlusFontHandle>(font);
    if (!handle->isValid())
    {
        return nullptr;
    }
    return handle;
}

CGdiPlusFontHandle::CGdiPlusFontHandle(const SLogicalFont &font)
    : m_measuringPixels(onePixel()), m_measuringSurface(m_measuringPixels),
      m_pixelSize(font.height == 0 ? DEFAULT_PIXEL_SIZE : std::abs(static_cast<double>(font.height))),
      m_style(styleOf(font))
{
    if (!m_session.isRunning())
    {
        return;
    }
    m_family = familyOf(font);
    if (m_family)
    {
        Gdiplus::GpFont *made = nullptr;
        const Gdiplus::GpStatus status = Gdip::GdipCreateFont(m_family.get(), static_cast<Gdiplus::REAL>(m_pixelSize),
                                                              m_style, Gdiplus::UnitPixel, &made);
        m_font = {status, made};
    }
    m_format = typographicFormat();
    if (m_measuringSurface.isValid())
    {
        Gdip::GdipSetTextRenderingHint(m_measuringSurface.get(), Gdiplus::TextRenderingHintAntiAlias);
    }
}

bool CGdiPlusFontHandle::isValid() const
{

    return m_font && m_format && m_measuringSurface.isValid();
}

std::string CGdiPlusFontHandle::getFamilyName() const
{
    WCHAR name[LF_FACESIZE] = {};
    if (Gdip::GdipGetFamilyName(m_family.get(), name, LANG_NEUTRAL) != Gdiplus::Ok)
    {
        return {};
    }
    return CWideText::toUtf8(name);
}

IFontHandle::SMetrics CGdiPlusFontHandle::getMetrics() const
{
    UINT16 ascent = 0;
    UINT16 descent = 0;
    UINT16 spacing = 0;
    Gdip::GdipGetCellAscent(m_family.get(), m_style, &ascent);
    Gdip::GdipGetCellDescent(m_family.get(), m_style, &descent);
    Gdip::GdipGetLineSpacing(m_family.get(), m_style, &spacing);
    SMetrics metrics;
    metrics.ascent = pixelsOf(ascent);
    metrics.descent = pixelsOf(descent);
    metrics.lineSpacing = pixelsOf(spacing);
    return metrics;
}

bool CGdiPlusFontHandle::measureText(const std::string &text, double &width) const
{
    const std::wstring wide = CWideText::fromUtf8(fontTextAsUtf8(text).c_str());
    if (wide.empty())
    {
        width = 0.0;
        return true;
    }
    const Gdiplus::RectF layout(0.0F, 0.0F, 0.0F, 0.0F);
    Gdiplus::RectF bounds;
    if (Gdip::GdipMeasureString(m_measuringSurface.get(), wide.c_str(), static_cast<INT>(wide.size()), m_font.get(),
                                &layout, m_format.get(), &bounds, nullptr, nullptr) != Gdiplus::Ok)
    {
        return false;
    }
    width = bounds.Width;
    return true;
}

void CGdiPlusFontHandle::drawText(Graphics::CBitmap &surface, const Graphics::SPixelBox &clip, double x,
                                  double baseline, const std::string &text, uint32_t argb, bool antiAliased) const
{
    const Graphics::SPixelBox visible = clip.intersectedWith({0, 0, surface.getWidth(), surface.getHeight()});
    if (visible.isEmpty() || std::abs(x) >= POSITION_LIMIT || std::abs(baseline) >= POSITION_LIMIT)
    {
        return;
    }
    const CGdiPlusSurface target(surface);
    const TGdiPlusObject<Gdiplus::GpSolidFill> brush = brushOf(argb);
    const std::wstring wide = CWideText::fromUtf8(fontTextAsUtf8(text).c_str());
    if (!target.isValid() || !brush || wide.empty())
    {
        return;
    }
    Gdip::GdipSetClipRectI(target.get(), static_cast<INT>(visible.left), static_cast<INT>(visible.top),
                           static_cast<INT>(visible.right - visible.left),
                           static_cast<INT>(visible.bottom - visible.top), Gdiplus::CombineModeReplace);
    Gdip::GdipSetTextRenderingHint(target.get(), antiAliased ? Gdiplus::TextRenderingHintAntiAlias
                                                             : Gdiplus::TextRenderingHintSingleBitPerPixel);
    // GDI+ lays a line out from the top of its cell: the baseline lies one ascent below.
    const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(x),
                                static_cast<Gdiplus::REAL>(baseline - getMetrics().ascent), 0.0F, 0.0F);
    Gdip::GdipDrawString(target.get(), wide.c_str(), static_cast<INT>(wide.size()), m_font.get(), &layout,
                         m_format.get(), brush.get());
}

double CGdiPlusFontHandle::pixelsOf(UINT16 designUnits) const
{
    UINT16 emHeight = 0;
    if (Gdip::GdipGetEmHeight(m_family.get(), m_style, &emHeight) != Gdiplus::Ok || emHeight == 0)
    {
        return 0.0;
    }
    return m_pixelSize * designUnits / emHeight;
}
} // namespace Orvalite::GUI::Fonts
