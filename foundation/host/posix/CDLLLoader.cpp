#include "foundation/host/CDLLLoader.h"

#include <dlfcn.h>

namespace Orvalite::Host
{
// Resolving every symbol now turns a broken library into a null handle here
// rather than a crash at the first call.
void *CDLLLoader::openModule(const Basics::CString &path)
{
    return dlopen(path.getString(), RTLD_NOW | RTLD_LOCAL);
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
