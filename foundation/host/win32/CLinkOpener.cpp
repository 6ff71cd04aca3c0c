#include "foundation/host/CLinkOpener.h"

#include "foundation/basics/win32/CWideText.h"

#include <windows.h>

#include <shellapi.h>

namespace Orvalite::Host
{
void CLinkOpener::open(const char *link)
{
    if (!link)
    {
        return;
    }
    ShellExecuteW(nullptr, L"open", Basics::Win32::CWideText::fromUtf8(link).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
} // namespace Orvalite::Host
