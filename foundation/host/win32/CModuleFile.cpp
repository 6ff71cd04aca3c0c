#include "foundation/host/CModuleFile.h"

#include "foundation/basics/win32/CWideText.h"

#include <windows.h>

namespace Orvalite::Host
{
namespace
{
// Room for the longest path Windows accepts (with the \\?\ prefix), in UTF-16 units.
const DWORD LONGEST_PATH = 32768;
const DWORD FIRST_BUFFER_SIZE = 256;

// Empty when the call fails.
std::wstring fileNameOf(HMODULE module)
{
    // A name that fills the buffer may have been cut: try again with more room.
    for (DWORD size = FIRST_BUFFER_SIZE; size <= LONGEST_PATH; size *= 2)
    {
        std::wstring name(size, L'\0');
        const DWORD length = GetModuleFileNameW(module, name.data(), size);
        if (length < size)
        {
            name.resize(length);
            return name;
        }
    }
    return std::wstring();
}
} // namespace

std::string CModuleFile::getModuleFileName(const void *instance)
{
    HMODULE module = nullptr;
    const DWORD flags = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    if (!instance || !GetModuleHandleExW(flags, static_cast<LPCWSTR>(instance), &module))
    {
        return std::string();
    }
    return Basics::Win32::CWideText::toUtf8(fileNameOf(module).c_str()).substr(0, MAXIMUM_NAME_LENGTH);
}
} // namespace Orvalite::Host
