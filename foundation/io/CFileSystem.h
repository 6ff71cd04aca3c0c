// The file calls the framework's streams and file utilities build on, on UTF-8
// paths: the platform's own calls underneath (the wide ones on Windows, so that
// any name opens). Static only; an opened file belongs to the caller.
#pragma once

#include "foundation/basics/CSystemString.h"

#include <cstdio>

namespace Orvalite::IO
{
class CFileSystem
{
public:
    CFileSystem() = delete;

    // The file opened with an fopen mode ("rb", "w+b"); null when it cannot be.
    static std::FILE *openFile(const Basics::CSystemString &path, const char *mode);
    // Renames `source` to `destination`, replacing a file there.
    static bool replaceFile(const Basics::CSystemString &source, const Basics::CSystemString &destination);
    static bool removeFile(const Basics::CSystemString &path);
};
} // namespace Orvalite::IO
