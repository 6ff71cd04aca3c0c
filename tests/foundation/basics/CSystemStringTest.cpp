#include "foundation/basics/CSystemString.h"

#include "tests/foundation/FoundationTestSupport.h"

using namespace Orvalite::Basics;
using Orvalite::Testing::text;

namespace
{
// Writes a path with '\' and answers it with the platform's separator.
std::string native(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', PATH_SEPARATOR);
    return path;
}

CSystemString path(const char *windowsPath)
{
    return CSystemString(native(windowsPath).c_str());
}

} // namespace

TEST(SystemString, PartsOfAFullPath)
{
    const CSystemString file = path("C:\\dir\\file.txt");
    EXPECT_EQ("file.txt", text(file.getFileName()));
    EXPECT_EQ(".txt", text(file.getExtension()));
    EXPECT_EQ(native("C:\\dir\\"), text(file.getPath()));
    EXPECT_EQ(native("C:\\"), text(file.getDrive(true)));
    EXPECT_EQ("C", text(file.getDrive(false)));
    EXPECT_EQ(3, file.getNumberOfPathComponents());
    EXPECT_EQ(native("C:\\"), text(*std::unique_ptr<CString>(file.getPathComponent(0))));
    EXPECT_EQ("dir", text(*std::unique_ptr<CString>(file.getPathComponent(1))));
    EXPECT_EQ(nullptr, file.getPathComponent(3));
    EXPECT_EQ(nullptr, file.getPathComponent(-1));
    EXPECT_EQ("file.txt", text(file.getLastPathComponent()));
}

TEST(SystemString, PathsWithoutSeparatorOrExtension)
{
    const CSystemString bare("name");
    EXPECT_EQ("", text(bare.getFileName()));
    EXPECT_EQ("", text(bare.getExtension()));
    EXPECT_EQ("name", text(bare.getPath())) << "a path without extension is a folder";
    EXPECT_EQ("", text(bare.getDrive(true)));
    EXPECT_TRUE(bare.hasNoExtension());
    EXPECT_EQ("", text(path("C:\\dir\\").getFileName()));
    EXPECT_EQ("", text(CSystemString("a.b").getPath()));
    EXPECT_EQ(".hidden", text(CSystemString(".hidden").getExtension()));
    EXPECT_FALSE(CSystemString(".hidden").hasExtension()) << "a dot at index 0 is no extension";
    EXPECT_EQ(" ", text(CSystemString("").getLastPathComponent()));
}

TEST(SystemString, ExtensionSuffixTest)
{
    const CSystemString file("a.txt");
    EXPECT_TRUE(file.hasExtension("txt"));
    EXPECT_FALSE(CSystemString("a.doc").hasExtension("txt"));
    EXPECT_TRUE(CSystemString("a").hasExtension("longer-than-text"));
    EXPECT_TRUE(file.hasExtension(""));
    EXPECT_TRUE(file.hasExtension(CString(".txt")));
}

TEST(SystemString, EditsFollowThePathRules)
{
    using TEdit = void (*)(CSystemString &);
    const TEdit removeLast = [](CSystemString &p) { p.removeLastPathComponent(); };
    const char foreign = PATH_SEPARATOR == '/' ? '\\' : '/';
    // edit, path, change, expected
    const std::tuple<const char *, std::string, TEdit, const char *> cases[] = {
        {"replace extension", "a.txt", [](CSystemString &p) { p.appendExtension("bak", true); }, "a.bak"},
        {"keep extension", "a.txt", [](CSystemString &p) { p.appendExtension(CString("bak"), false); }, "a.txt.bak"},
        {"add extension", "a", [](CSystemString &p) { p.appendExtension("png", true); }, "a.png"},
        {"+=", "dir", [](CSystemString &p) { p += "x"; }, "dir\\x"},
        {"+= always inserts a separator", "dir\\", [](CSystemString &p) { p += CString("x"); }, "dir\\\\x"},
        {"appendPath", "dir\\", [](CSystemString &p) { p.appendPath(CString("x")); }, "dir\\x"},
        {"appendPath", "dir", [](CSystemString &p) { p.appendPath(CString("x")); }, "dir\\x"},
        {"removeFileName", "C:\\dir\\file.txt", [](CSystemString &p) { p.removeFileName(); }, "C:\\dir\\"},
        {"removeLastPathComponent", "C:\\dir\\file.txt", removeLast, "C:\\dir"},
        {"removeLastPathComponent", "D:\\Veltrix.dll", removeLast, "D:"},
        {"a separator before index 2 is kept", "X\\Veltrix.dll", removeLast, "X\\Veltrix.dll"},
        {"removeLastPathComponent", "", removeLast, ""},
        {"removeFirstPathComponent", "C:\\dir\\file.txt", [](CSystemString &p) { p.removeFirstPathComponent(); },
         "dir\\file.txt"},
        {"removeExtension", "C:\\dir\\file.txt", [](CSystemString &p) { p.removeExtension(); }, "C:\\dir\\file"},
        {"convertSlashes ('|' is the foreign one)", "a|b/c", [](CSystemString &p) { p.convertSlashes(); }, "a\\b\\c"},
    };
    for (const auto &[edit, path, change, expected] : cases)
    {
        std::string input = native(path);
        std::replace(input.begin(), input.end(), '|', foreign);
        CSystemString value(input.c_str());
        change(value);
        EXPECT_EQ(native(expected), text(value)) << edit << " on " << path;
    }
}
