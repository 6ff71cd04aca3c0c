// The byte size of an open image file, which the decoders check a header's
// claims against before they allocate anything.
#pragma once

#include <cstdio>

namespace Orvalite::GUI::Graphics
{
// The size in bytes, leaving the file at its start; −1 when it cannot be found.
inline long imageFileSize(std::FILE *file)
{
    if (std::fseek(file, 0, SEEK_END) != 0)
    {
        return -1;
    }
    const long size = std::ftell(file);
    return std::fseek(file, 0, SEEK_SET) == 0 ? size : -1;
}
} // namespace Orvalite::GUI::Graphics
