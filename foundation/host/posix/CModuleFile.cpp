#include "foundation/host/CModuleFile.h"

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
    return std::string(information.dli_fname).substr(0, MAXIMUM_NAME_LENGTH);
}
} // namespace Orvalite::Host
