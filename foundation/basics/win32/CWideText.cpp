#include "foundation/basics/win32/CWideText.h"

#include <cstring>
#include <cwchar>
#include <windows.h>

namespace Orvalite::Basics::Win32
{
std::wstring CWideText::fromUtf8(const char *text)
{
    const int bytes = text ? static_cast<int>(std::strlen(text)) : 0;
    const int length = bytes > 0 ? MultiByteToWideChar(CP_UTF8, 0, text, bytes, nullptr, 0) : 0;
    if (length <= 0)
    {
        return std::wstring();
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, bytes, wide.data(), length);
    return wide;
}

std::string CWideText::toUtf8(const wchar_t *text)
{
    const int characters = text ? static_cast<int>(std::wcslen(text)) : 0;
    const int bytes =
        characters > 0 ? WideCharToMultiByte(CP_UTF8, 0, text, characters, nullptr, 0, nullptr, nullptr) : 0;
    if (bytes <= 0)
    {
        return std::string();
    }
    std::string narrow(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, characters, narrow.data(), bytes, nullptr, nullptr);
    return narrow;
}
} // namespace Orvalite::Basics::Win32
