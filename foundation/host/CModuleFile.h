// The full file name of a loaded module (the plug-in itself, not the host).
#pragma once

#include <string>

namespace Orvalite::Host
{
class CModuleFile
{
public:
    // Longest name kept; a longer one is cut.
    static constexpr size_t MAXIMUM_NAME_LENGTH = 1023;

    // `instance` is any address inside the module; empty when it names none.
    static std::string getModuleFileName(const void *instance);
};
} // namespace Orvalite::Host
