#include "foundation/host/CFileUtilities.h"

#include "tests/foundation/FoundationTestSupport.h"

#include <sys/stat.h>

#include <filesystem>

using namespace Orvalite::Host;
using Orvalite::Testing::CTemporaryFolder;
namespace fs = std::filesystem;

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
