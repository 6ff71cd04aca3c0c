#include "foundation/host/CDLLLoader.h"

#include "foundation/basics/win32/CWideText.h"
#include "foundation/host/win32/CErrorDialogGuard.h"

#include <windows.h>

namespace Orvalite::Host
{
// A library that cannot load answers with a null handle, never with a dialog.
void *CDLLLoader::openModule(const Basics::CString &path)
{
    const Win32::CErrorDialogGuard quiet;
    return LoadLibraryW(Basics::Win32::CWideText::fromUtf8(path.getString()).c_str());
}

void *CDLLLoader::getFunction(const Basics::CString &name) const
{
    return m_module ? reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(m_module), name.getString()))
                    : nullptr;
}

void CDLLLoader::unloadDll()
{
    if (m_module)
    {
        FreeLibrary(static_cast<HMODULE>(m_module));
        m_module = nullptr;
    }
}
} // namespace Orvalite::Host
