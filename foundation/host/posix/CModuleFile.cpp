#include "foundation/host/CModuleFile.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>

namespace Orvalite::Host
{
std::string CModuleFile::getModuleFileName(const void *instance)
{
    Dl_info information{};
    if (!instance || dladdr(instance, &information) == 0 || !information.dli_fname)
    {
        return std::string();
    }
    // The loader keeps the name it was given, which may be relative to a working
    // directory that has changed since: resolve it while the file is there.
    char resolved[PATH_MAX];
    const char *name = realpath(information.dli_fname, resolved) ? resolved : information.dli_fname;
    return std::string(name).substr(0, MAXIMUM_NAME_LENGTH);
}
} // namespace Orvalite::Host
