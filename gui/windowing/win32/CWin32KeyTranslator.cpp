#include "gui/windowing/win32/CWin32KeyTranslator.h"

namespace Orvalite::GUI::Windowing
{
namespace
{
// ToUnicode leaves the keyboard's dead-key state alone (the host's TranslateMessage owns it).
constexpr UINT KEEP_KEYBOARD_STATE = 0x4;

bool isHighSurrogate(uint32_t unit)
{
    return unit >= 0xD800 && unit < 0xDC00;
}

bool isLowSurrogate(uint32_t unit)
{
    return unit >= 0xDC00 && unit < 0xE000;
}
} // namespace

intptr_t CWin32KeyTranslator::characterOf(WPARAM virtualKey, LPARAM keyData)
{
    BYTE keyboard[256] = {};
    if (!GetKeyboardState(keyboard))
    {
        return 0;
    }
    const UINT scanCode = (static_cast<UINT>(keyData) >> 16) & 0xFF;
    wchar_t text[4] = {};
    const int length = ToUnicode(static_cast<UINT>(virtualKey), scanCode, keyboard, text, 4, KEEP_KEYBOARD_STATE);
    return length == 1 ? static_cast<intptr_t>(text[0]) : 0;
}

uint32_t CWin32KeyTranslator::codePointOf(WPARAM unit)
{
    const auto value = static_cast<uint32_t>(unit & 0xFFFF);
    if (isHighSurrogate(value))
    {
        m_highSurrogate = static_cast<wchar_t>(value);
        return 0;
    }
    uint32_t codePoint = value;
    if (isLowSurrogate(value))
    {
        // A lone second half (its first went elsewhere) is no character.
        codePoint = m_highSurrogate
                        ? 0x10000 + ((static_cast<uint32_t>(m_highSurrogate) - 0xD800) << 10) + (value - 0xDC00)
                        : 0;
    }
    m_highSurrogate = 0;
    const bool control = codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0);
    return control ? 0 : codePoint;
}
} // namespace Orvalite::GUI::Windowing
