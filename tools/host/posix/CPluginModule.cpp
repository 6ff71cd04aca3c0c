#include "tools/host/CPluginModule.h"

#include <dlfcn.h>
#include <link.h>

#include <stdexcept>

namespace Zelo::Tools
{
namespace
{
// dlsym also searches the module's dependencies; an entry found there belongs to
// another module and must not be taken for this one's.
void *findOwnSymbol(void *handle, const char *name)
{
    void *symbol = dlsym(handle, name);
    if (symbol == nullptr)
    {
        return nullptr;
    }
    link_map *module = nullptr;
    link_map *owner = nullptr;
    Dl_info info;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &module) != 0 ||
        dladdr1(symbol, &info, reinterpret_cast<void **>(&owner), RTLD_DL_LINKMAP) == 0)
    {
        return symbol;
    }
    return owner == module ? symbol : nullptr;
}

// dlerror() usually repeats the file name; the message names it once.
std::string loaderReason(const std::string &loadedName)
{
    const char *error = dlerror();
    std::string reason = error != nullptr ? error : "unknown loader error";
    const std::string prefix = loadedName + ": ";
    if (reason.compare(0, prefix.size(), prefix) == 0)
    {
        reason.erase(0, prefix.size());
    }
    return reason;
}
} // namespace

CPluginModule::CPluginModule(const std::string &path) : m_path(path)
{
    const std::string loadedName = path.find('/') == std::string::npos ? "./" + path : path;
    m_handle = dlopen(loadedName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_handle == nullptr)
    {
        throw std::runtime_error("cannot load " + path + ": " + loaderReason(loadedName));
    }
    for (const char *name : {"VSTPluginMain", "main"})
    {
        if (void *symbol = findOwnSymbol(m_handle, name))
        {
            m_entry = reinterpret_cast<VstPluginEntry>(symbol);
            m_entryName = name;
            break;
        }
    }
    if (m_entry == nullptr)
    {
        dlclose(m_handle);
        throw std::runtime_error("cannot load " + path + ": no VST entry point (VSTPluginMain or main)");
    }
}

CPluginModule::~CPluginModule()
{
    dlclose(m_handle);
}
} // namespace Zelo::Tools
