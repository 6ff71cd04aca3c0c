// The system's mount table, which stands in for the drive list on Linux:
// every mount point is a "drive", its kind worked out from the file system.
#pragma once

#include <string>
#include <vector>

namespace Orvalite::Host::Posix
{
struct SMountEntry
{
    // The device or remote source ("/dev/sda1", "server:/export", "tmpfs").
    std::string source;
    std::string mountPoint;
    std::string fileSystemType;
};

class CMountTable
{
public:
    // The mounted file systems, in mount order; empty when the table cannot be read.
    static std::vector<SMountEntry> readMounts();
    // The entry whose mount point holds `path` (an absolute path without
    // links): the longest mount point ending at a component boundary; the
    // later mount wins a tie, as it hides the earlier one.
    static bool findMountOf(const std::vector<SMountEntry> &mounts, const std::string &path, SMountEntry &entry);
    // The drive type number of a mounted file system (0 unknown, 2 removable,
    // 3 fixed, 4 network, 5 CD-ROM, 6 RAM).
    static long classify(const SMountEntry &entry, bool isRemovable);
    // Whether the block device behind `source` says it is removable.
    static bool isRemovableDevice(const std::string &source);
};
} // namespace Orvalite::Host::Posix
