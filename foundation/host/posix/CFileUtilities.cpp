#include "foundation/host/CFileUtilities.h"

#include "foundation/host/posix/CMountTable.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <string>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace Orvalite::Host
{
namespace
{
const int64_t TICKS_PER_SECOND = 10000000;
const int64_t NANOSECONDS_PER_TICK = 100;
// Seconds from 1 January 1601 to 1 January 1970, both UTC.
const int64_t SECONDS_FROM_1601_TO_1970 = 11644473600;
// The Windows pattern for "every name"; fnmatch would ask for a dot.
const char *const EVERY_NAME_PATTERN = "*.*";

SFileTime toFileTime(const timespec &time)
{
    SFileTime fileTime;
    const int64_t since1601 = static_cast<int64_t>(time.tv_sec) + SECONDS_FROM_1601_TO_1970;
    if (since1601 >= 0 && since1601 < INT64_MAX / TICKS_PER_SECOND)
    {
        fileTime.ticks = static_cast<uint64_t>(since1601 * TICKS_PER_SECOND +
                                               static_cast<int64_t>(time.tv_nsec) / NANOSECONDS_PER_TICK);
    }
    return fileTime;
}

Basics::CString errorTextOf(int error)
{
    char text[256] = {};
    // The GNU variant may answer with a static text instead of filling ours.
    const char *message = strerror_r(error, text, sizeof(text));
    return Basics::CString(message ? message : "Unknown error");
}

// The real path of an existing file, or the empty text.
std::string resolvedPath(const char *path)
{
    char resolved[PATH_MAX];
    return realpath(path, resolved) ? std::string(resolved) : std::string();
}
} // namespace

bool CFileUtilities::doesFileExist(const Basics::CSystemString &path)
{
    std::FILE *file = std::fopen(path.getString(), "r");
    if (!file)
    {
        return false;
    }
    // A folder opens for reading on Linux, but it is no file.
    struct stat status
    {
    };
    const bool isFile = fstat(fileno(file), &status) == 0 && !S_ISDIR(status.st_mode);
    std::fclose(file);
    return isFile;
}

bool CFileUtilities::isFolder(const Basics::CSystemString &path)
{
    struct stat status
    {
    };
    return stat(path.getString(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool CFileUtilities::makeFolder(const Basics::CSystemString &path)
{
    return mkdir(path.getString(), 0777) == 0;
}

bool CFileUtilities::createTemporaryFileBeside(const Basics::CSystemString &destination,
                                               Basics::CSystemString &temporary)
{
    std::string name = std::string(destination.getString()) + ".XXXXXX";
    const int descriptor = mkstemp(name.data());
    if (descriptor < 0)
    {
        return false;
    }
    // mkstemp makes the file private; a finished file gets the usual permissions.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(descriptor, 0666 & ~mask);
    close(descriptor);
    temporary = name.c_str();
    return true;
}

bool CFileUtilities::publishCopy(const Basics::CSystemString &source, const Basics::CSystemString &temporary,
                                 const Basics::CSystemString &destination, bool overwrite)
{
    struct stat status
    {
    };
    if (stat(source.getString(), &status) == 0)
    {
        chmod(temporary.getString(), status.st_mode & 0777);
    }
    if (overwrite)
    {
        return std::rename(temporary.getString(), destination.getString()) == 0;
    }
    // Refuses atomically a destination that appeared while copying.
    if (renameat2(AT_FDCWD, temporary.getString(), AT_FDCWD, destination.getString(), RENAME_NOREPLACE) == 0)
    {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS)
    {
        return false;
    }
    // File systems without that rename: check, then rename.
    return !doesFileExist(destination) && std::rename(temporary.getString(), destination.getString()) == 0;
}

void CFileUtilities::getApplicationPath(Basics::CString &path, bool withSeparator)
{
    char program[PATH_MAX] = {};
    const ssize_t length = readlink("/proc/self/exe", program, sizeof(program) - 1);
    if (length <= 0)
    {
        path = "";
        return;
    }
    program[length] = '\0';
    std::string folder(program);
    folder.erase(folder.find_last_of('/') + 1);
    if (!withSeparator && folder.size() > 1)
    {
        folder.pop_back();
    }
    path = folder.c_str();
}

bool CFileUtilities::findEntries(const Basics::CSystemString &pattern, std::vector<SFindData> &entries,
                                 Basics::CString &errorText)
{
    const std::string text(pattern.getString());
    const size_t separator = text.find_last_of('/');
    std::string folder = separator == std::string::npos ? "." : text.substr(0, separator);
    if (folder.empty())
    {
        folder = "/";
    }
    std::string namePattern = separator == std::string::npos ? text : text.substr(separator + 1);
    if (namePattern == EVERY_NAME_PATTERN)
    {
        namePattern = "*";
    }
    DIR *directory = opendir(folder.c_str());
    if (!directory)
    {
        errorText = errorTextOf(errno);
        return false;
    }
    while (const dirent *entry = readdir(directory))
    {
        if (fnmatch(namePattern.c_str(), entry->d_name, 0) != 0)
        {
            continue;
        }
        struct stat status
        {
        };
        // A dangling link is still listed, as what it is.
        if (fstatat(dirfd(directory), entry->d_name, &status, 0) != 0 &&
            fstatat(dirfd(directory), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0)
        {
            continue;
        }
        SFindData data;
        data.attributes = S_ISDIR(status.st_mode)   ? SFindData::ATTRIBUTE_DIRECTORY
                          : S_ISREG(status.st_mode) ? SFindData::ATTRIBUTE_NORMAL
                                                    : SFindData::ATTRIBUTE_SYSTEM;
        // Linux keeps no portable creation time; the last status change stands in.
        data.creationTime = toFileTime(status.st_ctim);
        data.lastAccessTime = toFileTime(status.st_atim);
        data.lastWriteTime = toFileTime(status.st_mtim);
        data.size = status.st_size > 0 ? static_cast<uint64_t>(status.st_size) : 0;
        data.fileName = entry->d_name;
        data.alternateFileName = entry->d_name;
        entries.push_back(std::move(data));
    }
    closedir(directory);
    return true;
}

void CFileUtilities::getDriveList(Collections::TCountedPointerArray<Basics::CString> &drives)
{
    std::vector<std::string> roots;
    for (const Posix::SMountEntry &mount : Posix::CMountTable::readMounts())
    {
        std::string root = mount.mountPoint;
        if (root.empty() || root.back() != '/')
        {
            root += '/';
        }
        // A folder mounted over twice is one drive.
        if (std::find(roots.begin(), roots.end(), root) == roots.end())
        {
            roots.push_back(root);
        }
    }
    for (const std::string &root : roots)
    {
        drives.addElement(new Basics::CString(root.c_str()));
    }
}

long CFileUtilities::getDriveType(const Basics::CSystemString &path)
{
    const std::string resolved = resolvedPath(path.getString());
    Posix::SMountEntry mount;
    if (resolved.empty() || !Posix::CMountTable::findMountOf(Posix::CMountTable::readMounts(), resolved, mount))
    {
        return DRIVE_NO_ROOT;
    }
    return Posix::CMountTable::classify(mount, Posix::CMountTable::isRemovableDevice(mount.source));
}

bool CFileUtilities::getVolumeInformation(const Basics::CSystemString &root, Basics::CString &volumeName,
                                          Basics::CString &fileSystem, long &serial)
{
    const std::string resolved = resolvedPath(root.getString());
    struct statvfs volume
    {
    };
    Posix::SMountEntry mount;
    if (resolved.empty() || statvfs(resolved.c_str(), &volume) != 0 ||
        !Posix::CMountTable::findMountOf(Posix::CMountTable::readMounts(), resolved, mount))
    {
        return false;
    }
    volumeName = mount.source.c_str();
    fileSystem = mount.fileSystemType.c_str();
    serial = static_cast<long>(volume.f_fsid);
    return true;
}

void CFileUtilities::getWindowsFolder(Basics::CString &folder)
{
    folder = "/";
}

void CFileUtilities::getTempFolder(Basics::CString &folder)
{
    const char *variable = std::getenv("TMPDIR");
    std::string text = variable && variable[0] == '/' ? variable : "/tmp";
    if (text.back() != '/')
    {
        text += '/';
    }
    folder = text.c_str();
}
} // namespace Orvalite::Host
