#include "foundation/host/CFileUtilities.h"

#include "foundation/collections/TObjectDeleter.h"
#include "foundation/io/TraceLog.h"
#include "tests/foundation/CTemporaryFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using Orvalite::Basics::CString;
using Orvalite::Basics::CSystemString;
using Orvalite::Collections::TCountedPointerArray;
using Orvalite::Host::CFileInformation;
using Orvalite::Host::CFileUtilities;
using Orvalite::Testing::CTemporaryFolder;

namespace
{
CSystemString pathOf(const CTemporaryFolder &folder, const std::string &name)
{
    return CSystemString(folder.file(name).c_str());
}

std::vector<std::string> namesOf(const Orvalite::Collections::TPointerCollection<CFileInformation> &contents)
{
    std::vector<std::string> names;
    for (long index = 0; index < contents.getInsertIndex(); ++index)
    {
        if (const CFileInformation *information = contents.getElementAtIndex(index))
        {
            names.emplace_back(information->getFileName().getString());
        }
    }
    return names;
}

CFileInformation *entry(const char *name, uint32_t attributes)
{
    Orvalite::Host::SFindData data;
    data.fileName = name;
    data.attributes = attributes;
    return new CFileInformation(data);
}
} // namespace

TEST(FileUtilities, ListsAFolderWithFoldersFirstThenByNameAndExistenceIsForFilesOnly)
{
    CTemporaryFolder folder;
    folder.write("b.txt", "bb");
    folder.write("a.txt", "a");
    folder.write("A.txt", "");
    std::filesystem::create_directory(folder.file("zdir"));
    std::filesystem::create_directory(folder.file("Bdir"));
    TCountedPointerArray<CFileInformation> contents;
    CFileUtilities::getFolderContents(CSystemString(folder.path().c_str()), contents);
    ASSERT_EQ(contents.getInsertIndex(), 5) << "\".\" and \"..\" are left out";
    CFileUtilities::sortFolderContents(contents);
    EXPECT_EQ(namesOf(contents), (std::vector<std::string>{"Bdir", "zdir", "A.txt", "a.txt", "b.txt"}));

    EXPECT_EQ(contents.getElementAtIndex(0)->getFileType(), CFileInformation::FILE_TYPE_FOLDER);
    const CFileInformation *file = contents.getElementAtIndex(4);
    EXPECT_EQ(file->getFileType(), CFileInformation::FILE_TYPE_FILE);
    EXPECT_EQ(file->getFileSize(), 2.0);
    EXPECT_STREQ(file->getFullPath().getString(), folder.file("b.txt").c_str());
    EXPECT_STREQ(file->getFolderName().getString(), (folder.path() + "/").c_str());
    EXPECT_GE(file->getLastWriteTime().getYear(), 2024);

    const CSystemString folderPath(folder.path().c_str());
    EXPECT_TRUE(CFileUtilities::doesFileExist(pathOf(folder, "b.txt")));
    EXPECT_FALSE(CFileUtilities::doesFileExist(folderPath)) << "a folder is no file";
    EXPECT_FALSE(CFileUtilities::doesFileExist(pathOf(folder, "missing")));
    EXPECT_TRUE(CFileUtilities::doesFileExistInFolder(folderPath, "b.txt"));
    EXPECT_TRUE(CFileUtilities::isFolder(folderPath) && !CFileUtilities::isFolder(pathOf(folder, "b.txt")));
}

TEST(FileUtilities, SortComparisonPutsNullLastAndFoldersFirst)
{
    std::unique_ptr<CFileInformation> folderB(entry("b", 16));
    std::unique_ptr<CFileInformation> fileA(entry("a", 128));
    std::unique_ptr<CFileInformation> fileB(entry("b", 128));
    const struct
    {
        const CFileInformation *first;
        const CFileInformation *second;
        int sign;
        const char *why;
    } cases[] = {
        {fileA.get(), fileA.get(), 0, "the same entry"},
        {nullptr, nullptr, 0, "two empty slots"},
        {fileA.get(), nullptr, -1, "an entry before an empty slot"},
        {nullptr, fileA.get(), 1, "an empty slot after an entry"},
        {folderB.get(), fileA.get(), -1, "a folder before a file"},
        {fileA.get(), folderB.get(), 1, "a file after a folder"},
        {fileA.get(), fileB.get(), -1, "files by name"},
    };
    for (const auto &testCase : cases)
    {
        const int result = CFileUtilities::compareFileInformation(testCase.first, testCase.second);
        EXPECT_EQ((result > 0) - (result < 0), testCase.sign) << testCase.why;
    }
}

TEST(FileUtilities, FileTypeFollowsTheAttributeBits)
{
    const struct
    {
        uint32_t attributes;
        long type;
    } cases[] = {{16, 2}, {16 | 4, 2}, {4, 9}, {4 | 128, 5}, {128, 5}, {0, 5}};
    for (const auto &testCase : cases)
    {
        std::unique_ptr<CFileInformation> information(entry("x", testCase.attributes));
        EXPECT_EQ(information->getFileType(), testCase.type) << "attributes " << testCase.attributes;
    }
    EXPECT_EQ(CFileInformation().getFileType(), CFileInformation::FILE_TYPE_UNKNOWN);
}

TEST(FileUtilities, UnreadableFolderAppendsNothingAndTracesWhy)
{
    CTemporaryFolder folder;
    ASSERT_TRUE(Orvalite::IO::openTraceLog(pathOf(folder, "trace.txt")));
    TCountedPointerArray<CFileInformation> contents;
    const std::string missing = folder.file("missing");
    CFileUtilities::getFolderContents(CSystemString(missing.c_str()), contents);
    Orvalite::IO::closeTraceLog();
    EXPECT_EQ(contents.getInsertIndex(), 0);
    EXPECT_EQ(folder.read("trace.txt"), "Failed to find file in directory" + missing + "\nNo such file or directory\n");
}

TEST(FileUtilities, CountsAndNamesFilesMatchingAPattern)
{
    CTemporaryFolder folder;
    folder.write("one.txt", "");
    folder.write("two.txt", "");
    folder.write("three.dat", "");
    folder.write("noextension", "");
    std::filesystem::create_directory(folder.file("sub.txt"));
    EXPECT_EQ(CFileUtilities::getNumberOfFilesInFolder(pathOf(folder, "*.txt")), 2);
    EXPECT_EQ(CFileUtilities::getNumberOfFilesInFolder(pathOf(folder, "*.*")), 4) << "\"*.*\" matches every name";
    EXPECT_EQ(CFileUtilities::getNumberOfFilesInFolder(pathOf(folder, "missing/*")), 0);
    TCountedPointerArray<CString> names;
    CFileUtilities::getFileNamesInFolder(pathOf(folder, "t*"), names);
    std::vector<std::string> found;
    for (long index = 0; index < names.getInsertIndex(); ++index)
    {
        found.emplace_back(names.getElementAtIndex(index)->getString());
    }
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"three.dat", "two.txt"}));
}

TEST(FileUtilities, CreateFolderRefusesAPathWithAnExtension)
{
    CTemporaryFolder folder;
    std::filesystem::create_directory(folder.file("parent.d"));
    const struct
    {
        std::string name;
        bool created;
        const char *why;
    } cases[] = {
        {"file.txt", false, "a file name"},
        {"x/file.txt", false, "a file name in a missing folder"},
        {"plain", true, "a plain name"},
        {".hidden", true, "a hidden name has no extension"},
        {"parent.d/child", true, "a dot in a parent folder does not count"},
        {"plain", false, "the folder exists already"},
        {"missing/child", false, "the parent does not exist"},
    };
    for (const auto &testCase : cases)
    {
        EXPECT_EQ(CFileUtilities::createFolder(pathOf(folder, testCase.name)), testCase.created) << testCase.why;
    }
    EXPECT_FALSE(folder.exists("file.txt"));
    EXPECT_TRUE(CFileUtilities::isFolder(pathOf(folder, ".hidden")));
    EXPECT_TRUE(CFileUtilities::isFolder(pathOf(folder, "parent.d/child")));
    EXPECT_FALSE(CFileUtilities::createFolder(CSystemString("/x/file.txt")));
}

TEST(FileUtilities, CopyFileHonoursOverwriteAndKeepsPermissions)
{
    CTemporaryFolder folder;
    const std::string content(200000, 'c');
    folder.write("source.bin", content);
    folder.write("existing.bin", "keep me");
    std::filesystem::permissions(folder.file("source.bin"), std::filesystem::perms::owner_all);
    EXPECT_TRUE(CFileUtilities::copyFile(pathOf(folder, "source.bin"), pathOf(folder, "new.bin"), false));
    EXPECT_EQ(folder.read("new.bin"), content);
    EXPECT_EQ(std::filesystem::status(folder.file("new.bin")).permissions(), std::filesystem::perms::owner_all)
        << "the copy keeps the permissions of the source";
    EXPECT_FALSE(CFileUtilities::copyFile(pathOf(folder, "source.bin"), pathOf(folder, "existing.bin"), false));
    EXPECT_EQ(folder.read("existing.bin"), "keep me");
    EXPECT_TRUE(CFileUtilities::copyFile(pathOf(folder, "source.bin"), pathOf(folder, "existing.bin"), true));
    EXPECT_EQ(folder.read("existing.bin"), content);
    EXPECT_FALSE(CFileUtilities::copyFile(pathOf(folder, "missing.bin"), pathOf(folder, "other.bin"), true));
    EXPECT_FALSE(folder.exists("other.bin"));
    EXPECT_EQ(folder.countEntries(), 3) << "no temporary file is left behind";
}

TEST(FileUtilities, FailedCopyLeavesTheDestinationAsItWas)
{
    CTemporaryFolder folder;
    std::filesystem::create_directory(folder.file("folder"));
    folder.write("destination.bin", "original");
    EXPECT_FALSE(CFileUtilities::copyFile(pathOf(folder, "folder"), pathOf(folder, "destination.bin"), true))
        << "a folder opens on Linux but cannot be read";
    EXPECT_EQ(folder.read("destination.bin"), "original");
    EXPECT_FALSE(CFileUtilities::copyFile(pathOf(folder, "destination.bin"), pathOf(folder, "missing/copy.bin"), true));
    EXPECT_EQ(folder.countEntries(), 2) << "no temporary file is left behind";
}

TEST(FileUtilities, WholeFileWriteReplacesTheFileOrLeavesNothing)
{
    CTemporaryFolder folder;
    folder.write("out.bin", "a longer original text");
    const std::string bytes("new");
    ASSERT_TRUE(CFileUtilities::writeWholeFile(pathOf(folder, "out.bin"), bytes.data(), bytes.size()));
    EXPECT_EQ(folder.read("out.bin"), "new");
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(std::filesystem::status(folder.file("out.bin")).permissions(),
              static_cast<std::filesystem::perms>(0666 & ~mask))
        << "the usual permissions, not the temporary file's private ones";
    EXPECT_FALSE(CFileUtilities::writeWholeFile(pathOf(folder, "missing/out.bin"), bytes.data(), bytes.size()));
    EXPECT_EQ(folder.countEntries(), 1) << "no temporary file is left behind";
}

TEST(FileUtilities, FoldersOfTheSystem)
{
    CString windowsFolder;
    CFileUtilities::getWindowsFolder(windowsFolder);
    EXPECT_STREQ(windowsFolder.getString(), "/");

    const char *previous = std::getenv("TMPDIR");
    const std::string saved = previous ? previous : "";
    const std::pair<const char *, const char *> cases[] = {{"/var/tmp", "/var/tmp/"},
                                                           {"/scratch/", "/scratch/"},
                                                           {"", "/tmp/"},
                                                           {"relative", "/tmp/"},
                                                           {nullptr, "/tmp/"}};
    for (const auto &[value, expected] : cases)
    {
        value ? setenv("TMPDIR", value, 1) : unsetenv("TMPDIR");
        CString temp;
        CFileUtilities::getTempFolder(temp);
        EXPECT_STREQ(temp.getString(), expected) << "TMPDIR " << (value ? value : "unset");
    }
    previous ? setenv("TMPDIR", saved.c_str(), 1) : unsetenv("TMPDIR");

    CString application, withoutSeparator;
    CFileUtilities::getApplicationPath(application, true);
    CFileUtilities::getApplicationPath(withoutSeparator, false);
    EXPECT_TRUE(CFileUtilities::doesFileExistInFolder(CSystemString(application), "foundation_tests"))
        << application.getString();
    EXPECT_EQ(std::string(withoutSeparator.getString()) + "/", application.getString());
}

TEST(FileUtilities, DrivesAreTheMountPoints)
{
    TCountedPointerArray<CString> drives;
    CFileUtilities::getDriveList(drives);
    bool hasRoot = false;
    for (long index = 0; index < drives.getInsertIndex(); ++index)
    {
        const std::string root = drives.getElementAtIndex(index)->getString();
        EXPECT_EQ(root.back(), '/') << root;
        hasRoot = hasRoot || root == "/";
    }
    EXPECT_TRUE(hasRoot);
    CString volumeName("unchanged"), fileSystem("unchanged");
    long serial = 0;
    EXPECT_TRUE(CFileUtilities::getVolumeInformation(CSystemString("/"), volumeName, fileSystem, serial));
    EXPECT_STRNE(fileSystem.getString(), "unchanged");
    EXPECT_FALSE(CFileUtilities::getVolumeInformation(CSystemString("/no/such/root"), volumeName, fileSystem, serial));
    EXPECT_EQ(CFileUtilities::getDriveType(CSystemString("/no/such/root")), CFileUtilities::DRIVE_NO_ROOT);
    EXPECT_STREQ(CFileUtilities::getDriveTypeName(CSystemString("/no/such/root")).getString(), "Unmounted Drive");
}

TEST(FileUtilities, DriveTypeNamesFollowTheTableAndUnknownOutsideIt)
{
    const char *const names[] = {"Unknown Drive Type", "Unknown Drive Type", "Unmounted Drive",
                                 "Removable Drive",    "Fixed Drive",        "Network Drive",
                                 "CD ROM Drive",       "RAM Drive",          "Unknown Drive Type"};
    for (long type = -1; type <= 7; ++type)
    {
        EXPECT_STREQ(CFileUtilities::getDriveTypeNameOf(type), names[type + 1]) << type;
    }
}

TEST(FileUtilities, FullPathJoinsFolderAndNameWithOneSeparatorAndSizesBeyondFourGigabytesAreKept)
{
    Orvalite::Host::SFindData data;
    data.fileName = "name.txt";
    data.size = 5000000000ULL;
    CFileInformation information(data);
    EXPECT_EQ(information.getFileSize(), 5e9);
    for (const char *folder : {"/data/", "/data"})
    {
        information.setFolderName(folder);
        EXPECT_STREQ(information.getFullPath().getString(), "/data/name.txt") << folder;
    }
}
