#include "foundation/host/CDLLLoader.h"

#include "foundation/basics/CException.h"
#include "foundation/host/CFileUtilities.h"

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
    m_module = openModule(path);
}
} // namespace Orvalite::Host
