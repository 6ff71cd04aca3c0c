#include "foundation/host/CFileUtilities.h"

#include "tests/foundation/FoundationTestSupport.h"

#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace Orvalite::Host;
using Orvalite::Basics::CString;
using Orvalite::Basics::CSystemString;
using Orvalite::Basics::PATH_SEPARATOR;
using Orvalite::Collections::TCountedPointerArray;
using Orvalite::Testing::CTemporaryFolder;
namespace fs = std::filesystem;

namespace
{
// "Zélo €ß.bin" in UTF-8: a name the ANSI calls of Windows would garble.
const std::string WIDE_NAME = "Z\xC3\xA9lo \xE2\x82\xAC\xC3\x9F.bin";
} // namespace

TEST(FileUtilities, ExistenceIsForFilesOnly)
{
    CTemporaryFolder folder;
    folder.write("b.txt", "bb");
    folder.write(WIDE_NAME, "w");
    EXPECT_TRUE(CFileUtilities::doesFileExist(folder.systemPath("b.txt")));
    EXPECT_TRUE(CFileUtilities::doesFileExist(folder.systemPath(WIDE_NAME)));
    EXPECT_FALSE(CFileUtilities::doesFileExist(folder.systemPath())) << "a folder is no file";
    EXPECT_FALSE(CFileUtilities::doesFileExist(folder.systemPath("missing")));
    EXPECT_TRUE(CFileUtilities::doesFileExistInFolder(folder.systemPath(), "b.txt"));
    EXPECT_TRUE(CFileUtilities::isFolder(folder.systemPath()));
    EXPECT_FALSE(CFileUtilities::isFolder(folder.systemPath("b.txt")));
    EXPECT_TRUE(CFileUtilities::createFolder(folder.systemPath("Ordner \xC3\xBC")));
    EXPECT_TRUE(CFileUtilities::isFolder(folder.systemPath("Ordner \xC3\xBC")));
    EXPECT_FALSE(CFileUtilities::createFolder(folder.systemPath("named.like.a.file")));
}

// Copies go to a temporary file renamed into place: a refused or failed copy leaves everything as it was.
TEST(FileUtilities, CopyFileReplacesTheDestinationOnlyByAFullAllowedCopy)
{
    CTemporaryFolder folder;
    const std::string content(200000, 'c');
    folder.write("source.bin", content);
    folder.write("existing.bin", "keep me");
    // Read-only everywhere: the permissions Linux keeps, the mark Windows keeps.
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(fs::u8path(folder.file("source.bin")), readOnly);
    fs::create_directory(fs::u8path(folder.file("folder")));
    const std::tuple<const char *, std::string, bool, bool, std::string, const char *> cases[] = {
        {"source.bin", WIDE_NAME, false, true, content, "a new file"},
        {"source.bin", "existing.bin", false, false, "keep me", "no overwriting"},
        {"source.bin", "existing.bin", true, true, content, "overwriting"},
        {"missing.bin", "other.bin", true, false, "", "a missing source"},
        {"folder", WIDE_NAME, true, false, content, "a folder is no source"},
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
    EXPECT_EQ(fs::status(fs::u8path(folder.file(WIDE_NAME))).permissions(), readOnly) << "the source's permissions";
    // Windows deletes no read-only file, the folder's removal included.
    for (const fs::path &file : {fs::u8path(folder.file(WIDE_NAME)), fs::u8path(folder.file("existing.bin")),
                                 fs::u8path(folder.file("source.bin"))})
        fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
}

TEST(FileUtilities, WholeFileWriteReplacesTheFileOrLeavesNothing)
{
    CTemporaryFolder folder;
    folder.write("out.bin", "a longer original text");
    const std::string bytes("new");
    ASSERT_TRUE(CFileUtilities::writeWholeFile(folder.systemPath("out.bin"), bytes.data(), bytes.size()));
    EXPECT_EQ(folder.read("out.bin"), "new");
#ifndef _WIN32
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(fs::status(folder.file("out.bin")).permissions(), static_cast<fs::perms>(0666 & ~mask))
        << "the usual permissions, not the temporary file's private ones";
#endif
    EXPECT_FALSE(CFileUtilities::writeWholeFile(folder.systemPath("missing/out.bin"), bytes.data(), bytes.size()));
    EXPECT_EQ(folder.countEntries(), 1) << "no temporary file is left behind";
}

// Patterns follow the Windows rules ("*.*" is every name); names come back in UTF-8.
TEST(FileUtilities, ListingsNameWhatTheFolderHolds)
{
    CTemporaryFolder folder;
    folder.write("a.txt", "aa");
    folder.write(WIDE_NAME, "w");
    fs::create_directory(fs::u8path(folder.file("sub")));
    const std::pair<const char *, long> counts[] = {{"*.*", 2}, {"*.txt", 1}, {"*.none", 0}};
    for (const auto &[pattern, files] : counts)
        EXPECT_EQ(CFileUtilities::getNumberOfFilesInFolder(folder.systemPath(pattern)), files) << pattern;
    EXPECT_EQ(CFileUtilities::getNumberOfFilesInFolder(folder.systemPath("missing/*.*")), 0);

    TCountedPointerArray<CString> names;
    CFileUtilities::getFileNamesInFolder(folder.systemPath("*.*"), names);
    std::vector<std::string> found;
    for (long index = 0; index < names.getInsertIndex(); ++index)
        found.push_back(names.getElementAtIndex(index)->getString());
    EXPECT_THAT(found, ::testing::UnorderedElementsAre("a.txt", WIDE_NAME));

    TCountedPointerArray<CFileInformation> contents;
    CFileUtilities::getFolderContents(folder.systemPath(), contents);
    CFileUtilities::sortFolderContents(contents);
    ASSERT_EQ(contents.getInsertIndex(), 3) << "no \".\" or \"..\"";
    const std::tuple<std::string, bool, double> expected[] = {
        {"sub", true, 0}, {WIDE_NAME, false, 1}, {"a.txt", false, 2}};
    for (long index = 0; index < 3; ++index)
    {
        const CFileInformation &entry = *contents.getElementAtIndex(index);
        const auto &[name, isFolder, size] = expected[index];
        EXPECT_EQ(name, entry.getFileName().getString()) << "folders first, then by bytes";
        EXPECT_EQ(isFolder, entry.isFolder()) << name;
        if (!isFolder)
        {
            EXPECT_EQ(size, entry.getFileSize()) << name;
        }
        EXPECT_EQ(folder.file(name), entry.getFullPath().getString());
    }
}

// The system's folder ("C:\Windows\", "/") and the temporary folder lie on listed drives that answer queries.
TEST(FileUtilities, SystemFoldersLieOnListedDrives)
{
    TCountedPointerArray<CString> drives;
    CFileUtilities::getDriveList(drives);
    CString windowsFolder, tempFolder;
    CFileUtilities::getWindowsFolder(windowsFolder);
    CFileUtilities::getTempFolder(tempFolder);
    for (const std::string folder : {windowsFolder.getString(), tempFolder.getString()})
    {
        EXPECT_TRUE(CFileUtilities::isFolder(folder.c_str())) << folder;
        EXPECT_EQ(PATH_SEPARATOR, folder.back()) << folder;
        bool listed = false;
        for (long index = 0; index < drives.getInsertIndex(); ++index)
            listed = listed || folder.rfind(drives.getElementAtIndex(index)->getString(), 0) == 0;
        EXPECT_TRUE(listed) << folder;
        EXPECT_NE(CFileUtilities::DRIVE_NO_ROOT, CFileUtilities::getDriveType(folder.c_str())) << folder;
        CString volume, fileSystem;
        long serial = 0;
        EXPECT_TRUE(CFileUtilities::getVolumeInformation(folder.c_str(), volume, fileSystem, serial)) << folder;
        EXPECT_STRNE("", fileSystem.getString()) << folder;
    }
    CTemporaryFolder folder;
    CString volume("kept"), fileSystem("kept");
    long serial = 7;
    EXPECT_EQ(CFileUtilities::DRIVE_NO_ROOT, CFileUtilities::getDriveType(folder.systemPath("missing")));
    EXPECT_FALSE(CFileUtilities::getVolumeInformation(folder.systemPath("missing"), volume, fileSystem, serial));
    EXPECT_EQ("kept kept 7",
              std::string(volume.getString()) + " " + fileSystem.getString() + " " + std::to_string(serial));
}
