#include "foundation/io/CFileSystem.h"

namespace Orvalite::IO
{
std::FILE *CFileSystem::openFile(const Basics::CSystemString &path, const char *mode)
{
    return std::fopen(path.getString(), mode);
}

bool CFileSystem::replaceFile(const Basics::CSystemString &source, const Basics::CSystemString &destination)
{
    return std::rename(source.getString(), destination.getString()) == 0;
}

bool CFileSystem::removeFile(const Basics::CSystemString &path)
{
    return std::remove(path.getString()) == 0;
}
} // namespace Orvalite::IO
