#include "foundation/host/win32/CErrorDialogGuard.h"

#include <windows.h>

namespace Orvalite::Host::Win32
{
CErrorDialogGuard::CErrorDialogGuard()
{
    DWORD previousMode = 0;
    m_isChanged = SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previousMode) != 0;
    m_previousMode = previousMode;
}

CErrorDialogGuard::~CErrorDialogGuard()
{
    if (m_isChanged)
    {
        SetThreadErrorMode(m_previousMode, nullptr);
    }
}
} // namespace Orvalite::Host::Win32
