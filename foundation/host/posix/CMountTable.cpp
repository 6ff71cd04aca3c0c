#include "foundation/host/posix/CMountTable.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <mntent.h>
#include <set>

namespace Orvalite::Host::Posix
{
namespace
{
const long DRIVE_UNKNOWN = 0;
const long DRIVE_REMOVABLE = 2;
const long DRIVE_FIXED = 3;
const long DRIVE_REMOTE = 4;
const long DRIVE_CDROM = 5;
const long DRIVE_RAMDISK = 6;

const std::set<std::string> NETWORK_TYPES = {"nfs",   "nfs4",        "cifs",      "smb3", "smbfs",      "ncpfs",
                                             "afs",   "ceph",        "glusterfs", "9p",   "fuse.sshfs", "sshfs",
                                             "davfs", "fuse.davfs2", "lustre",    "gpfs"};
const std::set<std::string> OPTICAL_TYPES = {"iso9660", "udf"};
const std::set<std::string> MEMORY_TYPES = {"tmpfs", "ramfs"};
// Disk file systems whose source need not be a device node (pools, overlays).
const std::set<std::string> DISK_TYPES = {"ext2",    "ext3",    "ext4",     "xfs",      "btrfs",   "zfs",
                                          "f2fs",    "jfs",     "vfat",     "exfat",    "ntfs",    "ntfs3",
                                          "fuseblk", "overlay", "reiserfs", "bcachefs", "hfsplus", "nilfs2"};

bool startsWith(const std::string &text, const std::string &prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool readFlag(const std::string &path)
{
    std::ifstream file(path);
    char flag = '0';
    return file.get(flag) && flag == '1';
}
} // namespace

std::vector<SMountEntry> CMountTable::readMounts()
{
    std::vector<SMountEntry> mounts;
    FILE *table = setmntent("/proc/mounts", "r");
    if (!table)
    {
        return mounts;
    }
    mntent entry{};
    char strings[4096];
    while (getmntent_r(table, &entry, strings, sizeof(strings)))
    {
        mounts.push_back({entry.mnt_fsname ? entry.mnt_fsname : "", entry.mnt_dir ? entry.mnt_dir : "",
                          entry.mnt_type ? entry.mnt_type : ""});
    }
    endmntent(table);
    return mounts;
}

bool CMountTable::findMountOf(const std::vector<SMountEntry> &mounts, const std::string &path, SMountEntry &entry)
{
    const SMountEntry *best = nullptr;
    for (const SMountEntry &mount : mounts)
    {
        const std::string &point = mount.mountPoint;
        const bool holds = startsWith(path, point) &&
                           (path.size() == point.size() || point.back() == '/' || path[point.size()] == '/');
        if (holds && (!best || point.size() >= best->mountPoint.size()))
        {
            best = &mount;
        }
    }
    if (best)
    {
        entry = *best;
    }
    return best != nullptr;
}

long CMountTable::classify(const SMountEntry &entry, bool isRemovable)
{
    const std::string &type = entry.fileSystemType;
    if (NETWORK_TYPES.count(type) || startsWith(type, "nfs"))
    {
        return DRIVE_REMOTE;
    }
    if (OPTICAL_TYPES.count(type))
    {
        return DRIVE_CDROM;
    }
    if (MEMORY_TYPES.count(type))
    {
        return DRIVE_RAMDISK;
    }
    if (startsWith(entry.source, "/dev/"))
    {
        return isRemovable ? DRIVE_REMOVABLE : DRIVE_FIXED;
    }
    return DISK_TYPES.count(type) ? DRIVE_FIXED : DRIVE_UNKNOWN;
}

bool CMountTable::isRemovableDevice(const std::string &source)
{
    if (!startsWith(source, "/dev/"))
    {
        return false;
    }
    char resolved[PATH_MAX];
    const std::string device = realpath(source.c_str(), resolved) ? resolved : source;
    const std::string name = device.substr(device.find_last_of('/') + 1);
    if (name.empty() || name == "." || name == "..")
    {
        return false;
    }
    // A partition has no flag of its own; its disk, one level up, has.
    const std::string block = "/sys/class/block/" + name;
    return readFlag(block + "/removable") || readFlag(block + "/../removable");
}
} // namespace Orvalite::Host::Posix
