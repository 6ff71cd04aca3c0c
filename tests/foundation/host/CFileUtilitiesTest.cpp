#include "foundation/host/CFileUtilities.h"
#include "foundation/host/posix/CMountTable.h"

#include "tests/foundation/FoundationTestSupport.h"

#include <sys/stat.h>

#include <filesystem>

using namespace Orvalite::Basics;
using namespace Orvalite::Host;
using namespace Orvalite::Host::Posix;
using Orvalite::Collections::TCountedPointerArray;
using Orvalite::Testing::CTemporaryFolder;
namespace fs = std::filesystem;

namespace
{
std::string nameOf(const CString *name)
{
    return name->getString();
}

std::string nameOf(const CFileInformation *information)
{
    return information->getFileName().getString();
}

template <class TElement> std::vector<std::string> namesOf(const TCountedPointerArray<TElement> &elements)
{
    std::vector<std::string> names;
    for (long index = 0; index < elements.getInsertIndex(); ++index)
        names.push_back(nameOf(elements.getElementAtIndex(index)));
    return names;
}

std::unique_ptr<CFileInformation> entry(const char *name, uint32_t attributes, uint64_t size = 0)
{
    SFindData data;
    data.fileName = name;
    data.attributes = attributes;
    data.size = size;
    return std::make_unique<CFileInformation>(data);
}
} // namespace

TEST(FileUtilities, ListsAFolderWithFoldersFirstThenByName)
{
    CTemporaryFolder folder;
    folder.write("b.txt", "bb");
    folder.write("a.txt", "a");
    folder.write("A.txt", "");
    fs::create_directory(folder.file("zdir"));
    fs::create_directory(folder.file("Bdir"));
    TCountedPointerArray<CFileInformation> contents;
    CFileUtilities::getFolderContents(folder.systemPath(), contents);
    ASSERT_EQ(contents.getInsertIndex(), 5) << "\".\" and \"..\" are left out";
    CFileUtilities::sortFolderContents(contents);
    EXPECT_EQ(namesOf(contents), (std::vector<std::string>{"Bdir", "zdir", "A.txt", "a.txt", "b.txt"}));
    EXPECT_EQ(contents.getElementAtIndex(0)->getFileType(), CFileInformation::FILE_TYPE_FOLDER);
    const CFileInformation *file = contents.getElementAtIndex(4);
    EXPECT_EQ(file->getFileType(), CFileInformation::FILE_TYPE_FILE);
    EXPECT_STREQ(file->getFullPath().getString(), folder.file("b.txt").c_str());
    EXPECT_STREQ(file->getFolderName().getString(), (folder.path() + "/").c_str());
}

TEST(FileUtilities, ExistenceIsForFilesOnly)
{
    CTemporaryFolder folder;
    folder.write("b.txt", "bb");
    EXPECT_TRUE(CFileUtilities::doesFileExist(folder.systemPath("b.txt")));
    EXPECT_FALSE(CFileUtilities::doesFileExist(folder.systemPath())) << "a folder is no file";
    EXPECT_FALSE(CFileUtilities::doesFileExist(folder.systemPath("missing")));
    EXPECT_TRUE(CFileUtilities::doesFileExistInFolder(folder.systemPath(), "b.txt"));
    EXPECT_TRUE(CFileUtilities::isFolder(folder.systemPath()));
    EXPECT_FALSE(CFileUtilities::isFolder(folder.systemPath("b.txt")));
}

TEST(FileInformation, SizesBeyondFourGigabytesAreKept)
{
    EXPECT_EQ(entry("big", 0, 5000000000ULL)->getFileSize(), 5e9);
}

TEST(FileInformation, FullPathHasOneSeparatorBeforeTheName)
{
    const auto information = entry("name.txt", 0);
    for (const char *folder : {"/data/", "/data"})
    {
        information->setFolderName(folder);
        EXPECT_STREQ(information->getFullPath().getString(), "/data/name.txt") << folder;
    }
}

TEST(FileUtilities, UnreadableFolderListsNothing)
{
    CTemporaryFolder folder;
    TCountedPointerArray<CFileInformation> contents;
    CFileUtilities::getFolderContents(folder.systemPath("missing"), contents);
    EXPECT_EQ(contents.getInsertIndex(), 0);
}

TEST(FileUtilities, NamePatternsSelectFilesOnly)
{
    CTemporaryFolder folder;
    for (const char *name : {"one.txt", "two.txt", "three.dat", "noextension"})
        folder.write(name, "");
    fs::create_directory(folder.file("sub.txt"));
    EXPECT_EQ(CFileUtilities::getNumberOfFilesInFolder(folder.systemPath("*.txt")), 2);
    EXPECT_EQ(CFileUtilities::getNumberOfFilesInFolder(folder.systemPath("*.*")), 4) << "\"*.*\" matches every name";
    EXPECT_EQ(CFileUtilities::getNumberOfFilesInFolder(folder.systemPath("missing/*")), 0);
    TCountedPointerArray<CString> names;
    CFileUtilities::getFileNamesInFolder(folder.systemPath("t*"), names);
    std::vector<std::string> found = namesOf(names);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"three.dat", "two.txt"}));
}

TEST(FileUtilities, CreateFolderRefusesAPathWithAnExtension)
{
    CTemporaryFolder folder;
    fs::create_directory(folder.file("parent.d"));
    const std::tuple<std::string, bool, const char *> cases[] = {
        {"file.txt", false, "a file name"},
        {"x/file.txt", false, "a file name in a missing folder"},
        {"plain", true, "a plain name"},
        {".hidden", true, "a hidden name has no extension"},
        {"parent.d/child", true, "a dot in a parent folder does not count"},
        {"plain", false, "the folder exists already"},
        {"missing/child", false, "the parent does not exist"},
    };
    for (const auto &[name, created, why] : cases)
    {
        EXPECT_EQ(CFileUtilities::createFolder(folder.systemPath(name)), created) << why;
        EXPECT_EQ(CFileUtilities::isFolder(folder.systemPath(name)), created || name == "plain") << why;
    }
}

// Copies go to a temporary file renamed into place: a refused or failed copy leaves everything as it was.
TEST(FileUtilities, CopyFileReplacesTheDestinationOnlyByAFullAllowedCopy)
{
    CTemporaryFolder folder;
    const std::string content(200000, 'c');
    folder.write("source.bin", content);
    folder.write("existing.bin", "keep me");
    fs::permissions(folder.file("source.bin"), fs::perms::owner_all);
    fs::create_directory(folder.file("folder"));
    const std::tuple<const char *, const char *, bool, bool, std::string, const char *> cases[] = {
        {"source.bin", "new.bin", false, true, content, "a new file"},
        {"source.bin", "existing.bin", false, false, "keep me", "no overwriting"},
        {"source.bin", "existing.bin", true, true, content, "overwriting"},
        {"missing.bin", "other.bin", true, false, "", "a missing source"},
        {"folder", "new.bin", true, false, content, "a folder opens on Linux but cannot be read"},
        {"source.bin", "missing/copy.bin", true, false, "", "a missing destination folder"},
    };
    for (const auto &[source, destination, overwrite, copied, after, why] : cases)
    {
        EXPECT_EQ(CFileUtilities::copyFile(folder.systemPath(source), folder.systemPath(destination), overwrite),
                  copied)
            << why;
        EXPECT_EQ(folder.read(destination), after) << why;
    }
    EXPECT_EQ(folder.countEntries(), 4) << "no temporary file is left behind";
    EXPECT_EQ(fs::status(folder.file("new.bin")).permissions(), fs::perms::owner_all) << "the source's permissions";
}

TEST(FileUtilities, WholeFileWriteReplacesTheFileOrLeavesNothing)
{
    CTemporaryFolder folder;
    folder.write("out.bin", "a longer original text");
    const std::string bytes("new");
    ASSERT_TRUE(CFileUtilities::writeWholeFile(folder.systemPath("out.bin"), bytes.data(), bytes.size()));
    EXPECT_EQ(folder.read("out.bin"), "new");
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(fs::status(folder.file("out.bin")).permissions(), static_cast<fs::perms>(0666 & ~mask))
        << "the usual permissions, not the temporary file's private ones";
    EXPECT_FALSE(CFileUtilities::writeWholeFile(folder.systemPath("missing/out.bin"), bytes.data(), bytes.size()));
    EXPECT_EQ(folder.countEntries(), 1) << "no temporary file is left behind";
}

// Drive types index a table of names; a type outside it is not looked up.
TEST(FileUtilities, DriveTypeNamesOutsideTheTableAreUnknown)
{
    for (const long outside : {-1L, 7L})
        EXPECT_STREQ(CFileUtilities::getDriveTypeNameOf(outside), "Unknown Drive Type") << outside;
}

TEST(MountTable, FindsTheDeepestMountHoldingAPath)
{
    const std::vector<SMountEntry> mounts = {
        {"/dev/sda1", "/", "ext4"},
        {"/dev/sda2", "/home", "ext4"},
        {"tmpfs", "/home/user/cache", "tmpfs"},
        {"/dev/sdc1", "/home", "xfs"},
    };
    const std::pair<const char *, const char *> cases[] = {
        {"/", "/dev/sda1"},     {"/etc/passwd", "/dev/sda1"},     {"/homework", "/dev/sda1"},
        {"/home", "/dev/sdc1"}, {"/home/user/file", "/dev/sdc1"}, {"/home/user/cache/x", "tmpfs"},
    };
    for (const auto &[path, source] : cases)
    {
        SMountEntry entry;
        ASSERT_TRUE(CMountTable::findMountOf(mounts, path, entry)) << path;
        EXPECT_EQ(entry.source, source) << path;
    }
    SMountEntry entry;
    EXPECT_FALSE(CMountTable::findMountOf({}, "/", entry));
}

// Only a block device under /dev is asked; a path out of the device folder is not.
TEST(MountTable, OnlyDevicesAreRemovable)
{
    for (const char *source : {"tmpfs", "/dev/.."})
        EXPECT_FALSE(CMountTable::isRemovableDevice(source)) << source;
}
