#include "foundation/basics/CSystemString.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Orvalite::Basics;

namespace
{
// Writes a path with '\' and answers it with the platform's separator.
std::string native(std::string path)
{
    for (char &character : path)
    {
        character = character == '\\' ? PATH_SEPARATOR : character;
    }
    return path;
}

CSystemString path(const char *windowsPath)
{
    return CSystemString(native(windowsPath).c_str());
}

std::string text(const CString &value)
{
    return value.getString();
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
    std::unique_ptr<CString> first(file.getPathComponent(0));
    std::unique_ptr<CString> second(file.getPathComponent(1));
    EXPECT_EQ(native("C:\\"), text(*first));
    EXPECT_EQ("dir", text(*second));
    EXPECT_EQ(nullptr, file.getPathComponent(3));
    EXPECT_EQ(nullptr, file.getPathComponent(-1));
    EXPECT_EQ("file.txt", text(file.getLastPathComponent()));
    CSystemString stem = file;
    stem.removeExtension();
    EXPECT_EQ(native("C:\\dir\\file"), text(stem));
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

TEST(SystemString, AppendingExtensions)
{
    CSystemString replaced("a.txt");
    replaced.appendExtension("bak", true);
    EXPECT_EQ("a.bak", text(replaced));
    CSystemString kept("a.txt");
    kept.appendExtension(CString("bak"), false);
    EXPECT_EQ("a.txt.bak", text(kept));
    CSystemString none("a");
    none.appendExtension("png", true);
    EXPECT_EQ("a.png", text(none));
}

TEST(SystemString, AppendingInsertsOneSeparator)
{
    CSystemString plain = path("dir");
    plain += "x";
    EXPECT_EQ(native("dir\\x"), text(plain));
    CSystemString trailing = path("dir\\");
    trailing += CString("x");
    EXPECT_EQ(native("dir\\\\x"), text(trailing)) << "+= always inserts a separator";
    CSystemString joined = path("dir\\");
    joined.appendPath(CString("x"));
    EXPECT_EQ(native("dir\\x"), text(joined));
    CSystemString folder = path("dir");
    folder.appendPath(CString("x"));
    EXPECT_EQ(native("dir\\x"), text(folder));
}

TEST(SystemString, RemovingComponents)
{
    CSystemString file = path("C:\\dir\\file.txt");
    file.removeFileName();
    EXPECT_EQ(native("C:\\dir\\"), text(file));
    CSystemString last = path("C:\\dir\\file.txt");
    last.removeLastPathComponent();
    EXPECT_EQ(native("C:\\dir"), text(last));
    CSystemString drive = path("D:\\Veltrix.dll");
    drive.removeLastPathComponent();
    EXPECT_EQ("D:", text(drive));
    CSystemString shortName = path("X\\Veltrix.dll");
    shortName.removeLastPathComponent();
    EXPECT_EQ(native("X\\Veltrix.dll"), text(shortName)) << "a separator before index 2 is kept";
    CSystemString first = path("C:\\dir\\file.txt");
    first.removeFirstPathComponent();
    EXPECT_EQ(native("dir\\file.txt"), text(first));
}

TEST(SystemString, ConvertsForeignSeparators)
{
    const char foreign = PATH_SEPARATOR == '/' ? '\\' : '/';
    std::string mixed = "a_b/c";
    mixed[1] = foreign;
    CSystemString value(mixed.c_str());
    value.convertSlashes();
    EXPECT_EQ(native("a\\b\\c"), text(value));
}

TEST(SystemString, AssignmentKeepsOtherOperators)
{
    CSystemString value;
    value = "x";
    EXPECT_EQ("x", text(value));
    value = 12L;
    EXPECT_EQ("012", text(value));
    CSystemString other("y");
    value = other;
    EXPECT_EQ("y", text(value));
    EXPECT_STREQ("CCountedObject", value.getClass().getParentClassName());
}
