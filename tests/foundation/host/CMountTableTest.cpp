#include "foundation/host/posix/CMountTable.h"

#include <gtest/gtest.h>

using Orvalite::Host::Posix::CMountTable;
using Orvalite::Host::Posix::SMountEntry;

TEST(MountTable, ClassifiesFileSystemsAsDriveTypes)
{
    const struct
    {
        SMountEntry entry;
        bool removable;
        long type;
    } cases[] = {
        {{"/dev/sda1", "/", "ext4"}, false, 3},
        {{"/dev/sdb1", "/media/stick", "vfat"}, true, 2},
        {{"server:/export", "/mnt/nfs", "nfs4"}, false, 4},
        {{"//server/share", "/mnt/smb", "cifs"}, false, 4},
        {{"/dev/sr0", "/media/cd", "iso9660"}, true, 5},
        {{"tmpfs", "/tmp", "tmpfs"}, false, 6},
        {{"overlay", "/", "overlay"}, false, 3},
        {{"pool/home", "/home", "zfs"}, false, 3},
        {{"proc", "/proc", "proc"}, false, 0},
        {{"sysfs", "/sys", "sysfs"}, false, 0},
    };
    for (const auto &testCase : cases)
    {
        EXPECT_EQ(CMountTable::classify(testCase.entry, testCase.removable), testCase.type)
            << testCase.entry.fileSystemType << " on " << testCase.entry.mountPoint;
    }
}

TEST(MountTable, FindsTheDeepestMountHoldingAPath)
{
    const std::vector<SMountEntry> mounts = {
        {"/dev/sda1", "/", "ext4"},
        {"/dev/sda2", "/home", "ext4"},
        {"tmpfs", "/home/user/cache", "tmpfs"},
        {"/dev/sdc1", "/home", "xfs"},
    };
    const struct
    {
        const char *path;
        const char *source;
    } cases[] = {
        {"/", "/dev/sda1"},     {"/etc/passwd", "/dev/sda1"},     {"/homework", "/dev/sda1"},
        {"/home", "/dev/sdc1"}, {"/home/user/file", "/dev/sdc1"}, {"/home/user/cache/x", "tmpfs"},
    };
    for (const auto &testCase : cases)
    {
        SMountEntry entry;
        ASSERT_TRUE(CMountTable::findMountOf(mounts, testCase.path, entry)) << testCase.path;
        EXPECT_EQ(entry.source, testCase.source) << testCase.path;
    }
    SMountEntry entry;
    EXPECT_FALSE(CMountTable::findMountOf({}, "/", entry));
}

TEST(MountTable, ReadsTheSystemTable)
{
    const std::vector<SMountEntry> mounts = CMountTable::readMounts();
    ASSERT_FALSE(mounts.empty());
    SMountEntry root;
    EXPECT_TRUE(CMountTable::findMountOf(mounts, "/", root));
    EXPECT_FALSE(CMountTable::isRemovableDevice("tmpfs"));
    EXPECT_FALSE(CMountTable::isRemovableDevice("/dev/.."));
}
