#include "foundation/host/CMessageBox.h"

#include "foundation/basics/win32/CWideText.h"

#include <windows.h>

namespace Orvalite::Host
{
void CMessageBox::showError(const char *title, const char *text)
{
    using Basics::Win32::CWideText;
    MessageBoxW(nullptr, CWideText::fromUtf8(text).c_str(), CWideText::fromUtf8(title).c_str(), MB_OK | MB_ICONERROR);
}
} // namespace Orvalite::Host
