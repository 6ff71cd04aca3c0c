#include "foundation/io/CFileSystem.h"

#include "foundation/basics/win32/CWideText.h"

#include <windows.h>

namespace Orvalite::IO
{
using Basics::Win32::CWideText;

std::FILE *CFileSystem::openFile(const Basics::CSystemString &path, const char *mode)
{
    return _wfopen(CWideText::fromUtf8(path.getString()).c_str(), CWideText::fromUtf8(mode).c_str());
}

// The C library's rename refuses an existing destination on Windows.
bool CFileSystem::replaceFile(const Basics::CSystemString &source, const Basics::CSystemString &destination)
{
    return MoveFileExW(CWideText::fromUtf8(source.getString()).c_str(),
                       CWideText::fromUtf8(destination.getString()).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool CFileSystem::removeFile(const Basics::CSystemString &path)
{
    return DeleteFileW(CWideText::fromUtf8(path.getString()).c_str()) != 0;
}
} // namespace Orvalite::IO
