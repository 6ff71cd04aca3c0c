#include "foundation/host/CDLLLoader.h"

#include "foundation/basics/CException.h"
#include "foundation/basics/win32/CWideText.h"
#include "foundation/host/CFileUtilities.h"
#include "foundation/host/win32/CErrorDialogGuard.h"

#include <windows.h>

namespace Orvalite::Host
{
ORVALITE_DEFINE_CLASS_RECORD(CDLLLoader, "CDLLLoader", "CCountedObject")

CDLLLoader::CDLLLoader(const Basics::CString &path)
{
    loadDll(path);
}

CDLLLoader::~CDLLLoader()
{
    unloadDll();
}

void CDLLLoader::loadDll(const Basics::CString &path)
{
    if (!CFileUtilities::doesFileExist(Basics::CSystemString(path)))
    {
        Basics::CString reason(path);
        reason.appendString(" doesnt exist");
        throw Exceptions::CException(reason, "CDLLLoader::loadDll(const CString &)", true);
    }
    unloadDll();
    m_dllPath = path;
    // A library that cannot load answers with a null handle, never with a dialog.
    const Win32::CErrorDialogGuard quiet;
    m_module = LoadLibraryW(Basics::Win32::CWideText::fromUtf8(path.getString()).c_str());
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
