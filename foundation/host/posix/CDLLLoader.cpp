#include "foundation/host/CDLLLoader.h"

#include "foundation/basics/CException.h"
#include "foundation/host/CFileUtilities.h"

#include <dlfcn.h>

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
    // Resolving every symbol now turns a broken library into a null handle here
    // rather than a crash at the first call.
    m_module = dlopen(path.getString(), RTLD_NOW | RTLD_LOCAL);
}

void *CDLLLoader::getFunction(const Basics::CString &name) const
{
    return m_module ? dlsym(m_module, name.getString()) : nullptr;
}

void CDLLLoader::unloadDll()
{
    if (m_module)
    {
        dlclose(m_module);
        m_module = nullptr;
    }
}
} // namespace Orvalite::Host
