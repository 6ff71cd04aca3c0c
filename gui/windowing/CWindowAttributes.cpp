#include "gui/windowing/CWindowAttributes.h"

#include "gui/graphics/CWindowIcon.h"

#include <iterator>

namespace Orvalite::GUI::Windowing
{
ORVALITE_DEFINE_CLASS_RECORD(CWindowAttributes, "CWindowAttributes", "CCountedObject")

namespace
{
struct SStylePreset
{
    uint32_t style;
    uint32_t extendedStyle;
};

constexpr SStylePreset STYLE_PRESETS[] = {
    {CWindowAttributes::DEFAULT_STYLE, CWindowAttributes::DEFAULT_EXTENDED_STYLE},
    {0xCA0000, 0x10},        // caption, system menu, minimise box
    {0xCA0000, 0x10},        // the same
    {0x80000000, 0x8080008}, // pop-up; no-activate, layered, topmost
};
} // namespace

CWindowAttributes::CWindowAttributes() = default;

CWindowAttributes::CWindowAttributes(const CWindowAttributes &other) : CCountedObject(other)
{
    *this = other;
}

CWindowAttributes &CWindowAttributes::operator=(const CWindowAttributes &other)
{
    setIcon(other.m_icon);
    m_title = other.m_title;
    m_backgroundColour = other.m_backgroundColour;
    m_alpha = other.m_alpha;
    m_enabled = other.m_enabled;
    m_dropShadow = other.m_dropShadow;
    m_windowStyle = other.m_windowStyle;
    m_extendedWindowStyle = other.m_extendedWindowStyle;
    return *this;
}

CWindowAttributes::~CWindowAttributes()
{
    setIcon(nullptr);
}

void CWindowAttributes::set(const ::Orvalite::Basics::CString &title, const Basics::CColour &background, double alpha,
                            Graphics::CWindowIcon *icon, bool enabled, bool dropShadow)
{
    m_title = title;
    m_backgroundColour = background;
    m_alpha = alpha;
    setIcon(icon);
    m_enabled = enabled;
    m_dropShadow = dropShadow;
}

void CWindowAttributes::setWindowStyles(uint32_t style, uint32_t extendedStyle)
{
    m_windowStyle = style;
    m_extendedWindowStyle = extendedStyle;
}

void CWindowAttributes::setWindowStylePreset(long preset)
{
    if (preset >= 0 && preset < static_cast<long>(std::size(STYLE_PRESETS)))
    {
        setWindowStyles(STYLE_PRESETS[preset].style, STYLE_PRESETS[preset].extendedStyle);
    }
}

void CWindowAttributes::setIcon(Graphics::CWindowIcon *icon)
{
    // The new reference first: the icon may be the one held (self-assignment).
    if (icon)
    {
        icon->referenced();
    }
    if (m_icon)
    {
        m_icon->dereference();
    }
    m_icon = icon;
}
} // namespace Orvalite::GUI::Windowing
