// How a window is to be created: title, background, opacity, icon and the
// Win32 style bits. Each window owns one; callers pass theirs to be copied.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "foundation/basics/CString.h"
#include "gui/basics/CColour.h"

#include <cstdint>

namespace Orvalite::GUI::Graphics
{
class CWindowIcon;
}

namespace Orvalite::GUI::Windowing
{
class CWindowAttributes : public ::Orvalite::Basics::CCountedObject
{
public:
    static constexpr uint32_t DEFAULT_STYLE = 0xCF0008;
    static constexpr uint32_t DEFAULT_EXTENDED_STYLE = 0x10; // accepts dropped files

    CWindowAttributes();
    CWindowAttributes(const CWindowAttributes &other);
    CWindowAttributes &operator=(const CWindowAttributes &other);
    ~CWindowAttributes() override;

    // The icon may be null.
    void set(const ::Orvalite::Basics::CString &title, const Basics::CColour &background, double alpha,
             Graphics::CWindowIcon *icon, bool enabled, bool dropShadow);
    void setWindowStyles(uint32_t style, uint32_t extendedStyle);
    // 0 the default window, 1 and 2 a captioned window, 3 a layered topmost pop-up; others change nothing.
    void setWindowStylePreset(long preset);
    // Takes a reference on the new icon, then lets go of the old one.
    void setIcon(Graphics::CWindowIcon *icon);
    void setAlpha(double alpha) { m_alpha = alpha; }

    const ::Orvalite::Basics::CString &getTitle() const { return m_title; }
    const Basics::CColour &getBackgroundColour() const { return m_backgroundColour; }
    // Opacity, 0 … 1.
    double getAlpha() const { return m_alpha; }
    Graphics::CWindowIcon *getIcon() const { return m_icon; }
    bool isEnabled() const { return m_enabled; }
    bool hasDropShadow() const { return m_dropShadow; }
    uint32_t getWindowStyle() const { return m_windowStyle; }
    uint32_t getExtendedWindowStyle() const { return m_extendedWindowStyle; }

    ORVALITE_CLASS_RECORD(CWindowAttributes)

private:
    ::Orvalite::Basics::CString m_title{"Application"};
    Basics::CColour m_backgroundColour{255, 255, 255};
    double m_alpha = 1.0;
    Graphics::CWindowIcon *m_icon = nullptr;
    bool m_enabled = true;
    bool m_dropShadow = false;
    uint32_t m_windowStyle = DEFAULT_STYLE;
    uint32_t m_extendedWindowStyle = DEFAULT_EXTENDED_STYLE;
};
} // namespace Orvalite::GUI::Windowing
