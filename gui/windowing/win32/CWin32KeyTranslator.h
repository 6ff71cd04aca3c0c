// Fits Windows' key and character messages to the toolkit's contract: a key
// message carries the character its key produces (0 for none) instead of the
// repeat count and scan code, and a character message carries one whole code
// point, never half a UTF-16 pair and never a control character (those are
// keys). Owned by CWin32WindowSystem; holds the first half of a pair between
// its two character messages.
#pragma once

#include <windows.h>

#include <cstdint>

namespace Orvalite::GUI::Windowing
{
class CWin32KeyTranslator
{
public:
    // The one character the key (virtual key, key message lParam) produces with
    // the keyboard as it is now; 0 for none or several (a dead key's pair).
    static intptr_t characterOf(WPARAM virtualKey, LPARAM keyData);
    // The code point a character message's UTF-16 unit completes; 0 for a
    // first half (kept for the next unit) and for control characters.
    uint32_t codePointOf(WPARAM unit);

private:
    wchar_t m_highSurrogate = 0;
};
} // namespace Orvalite::GUI::Windowing
