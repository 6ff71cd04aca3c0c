// Converts between the framework's UTF-8 text and the UTF-16 text that the
// Win32 wide calls take and give. Static only.
#pragma once

#include <string>

namespace Orvalite::Basics::Win32
{
class CWideText
{
public:
    CWideText() = delete;

    // Bytes that are not UTF-8 become U+FFFD; null gives the empty text.
    static std::wstring fromUtf8(const char *text);
    // Up to the terminator; null gives the empty text.
    static std::string toUtf8(const wchar_t *text);
};
} // namespace Orvalite::Basics::Win32
