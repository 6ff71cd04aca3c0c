// What a folder search reports about one entry, in the platform-neutral form
// a CFileInformation is built from. Attribute bits follow the Windows values.
#pragma once

#include "foundation/host/SFileTime.h"

#include <cstdint>
#include <string>

namespace Orvalite::Host
{
struct SFindData
{
    static constexpr uint32_t ATTRIBUTE_SYSTEM = 4;
    static constexpr uint32_t ATTRIBUTE_DIRECTORY = 16;
    static constexpr uint32_t ATTRIBUTE_NORMAL = 128;

    uint32_t attributes = 0;
    SFileTime creationTime;
    SFileTime lastAccessTime;
    SFileTime lastWriteTime;
    // Bytes.
    uint64_t size = 0;
    std::string fileName;
    // The 8.3 name where the platform keeps one; else the name itself.
    std::string alternateFileName;
};
} // namespace Orvalite::Host
