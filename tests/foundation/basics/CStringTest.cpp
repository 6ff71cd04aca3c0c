#include "foundation/basics/CString.h"
#include "foundation/basics/CHtmlString.h"
#include "foundation/basics/CPascalString.h"

#include "tests/foundation/FoundationTestSupport.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace Orvalite::Basics;
using Orvalite::Testing::text;

TEST(String, HoldsOneBlankWithoutTextCountingTheTerminator)
{
    CString defaulted;
    CString fromNull(nullptr);
    CString empty("");
    EXPECT_EQ(" ", text(defaulted));
    EXPECT_EQ(" ", text(fromNull));
    EXPECT_EQ(2, defaulted.getNumberOfCharacters());
    EXPECT_EQ(1, empty.getNumberOfCharacters());
    EXPECT_FALSE(empty.isEmpty()) << "only a string without buffer is empty";
}

TEST(String, ValuesHaveTheirTextForms)
{
    CString value;
    std::unique_ptr<char[]> number(CString::floatToText(3.5f)), integer(CString::longToText(-7));
    const std::tuple<const char *, std::string, const char *> cases[] = {
        {"= 5L", text(value = 5L), "005"},
        {"= -5L", text(value = -5L), "-005"},
        {"= 1234L", text(value = 1234L), "1234"},
        {"= 7UL", text(value = 7UL), "007"},
        {"= 0.5f", text(value = 0.5f), "0.500"},
        {"= true", text(value = true), "True"},
        {"= false", text(value = false), "False"},
        {"fromInt(-7)", text(CString::fromInt(-7)), "-07"},
        {"fromLong(-7)", text(CString::fromLong(-7)), "-07"},
        {"fromDouble(2.25)", text(CString::fromDouble(2.25)), "2.250"},
        {"floatToText(3.5f)", number.get(), "3.500"},
        {"longToText(-7)", integer.get(), "-007"},
    };
    for (const auto &[conversion, result, expected] : cases)
        EXPECT_EQ(expected, result) << conversion;
}

TEST(String, TextReadsAsItsLeadingNumber)
{
    EXPECT_DOUBLE_EQ(2.5, CString::toDouble("2.5"));
    EXPECT_EQ(-12, CString::toInt(CString("-12abc")));
    EXPECT_EQ(0, CString::toLong(static_cast<const char *>(nullptr)));
}

TEST(String, NullOrSelfAssignmentKeepsTheText)
{
    CString value("abc");
    value = static_cast<const char *>(nullptr);
    EXPECT_EQ("abc", text(value));
    const CString &alias = value;
    value = alias;
    EXPECT_EQ("abc", text(value)) << "self-assignment";
}

TEST(String, AppendingGrowsTheFormattedText)
{
    CString value;
    value.setStringWithFormat("%s-%03d", "id", 7);
    value += "+";
    value += CString("more");
    value.appendString('!');
    value.appendString(static_cast<const char *>(nullptr));
    EXPECT_EQ("id-007+more!", text(value));
    EXPECT_EQ(13, value.getNumberOfCharacters());
}

TEST(String, ComparisonsAreExactOrFoldAsciiCase)
{
    const CString value("Abc");
    EXPECT_TRUE(value == "Abc" && value != "abc" && value == CString("Abc"));
    EXPECT_FALSE(value.equals(static_cast<const char *>(nullptr)));
    EXPECT_TRUE(value.equalsIgnoringCase("aBC"));
    EXPECT_FALSE(value.equalsIgnoringCase("aBCd"));
}

TEST(String, SearchesGiveTheIndexOrMinusOne)
{
    const std::tuple<const char *, long, long> cases[] = {
        {"\"abc\" forward 'z'", CString("abc").findForward('z'), -1},
        {"\"aXa\" backwards 'a'", CString("aXa").findBackwards('a'), 2},
        {"\"aXa\" forward 'a'", CString("aXa").findForward('a'), 0},
        {"\"abc\" forward the terminator", CString("abc").findForward('\0'), 3},
        {"\"ab\" in \"xaab\"", CString("xaab").findSubString(CString("ab")), 2},
        {"\"abc\" in \"ab\"", CString("ab").findSubString(CString("abc")), -1},
        {"\"bc\" in \"abc\"", CString("abc").findSubString(CString("bc")), 1},
    };
    for (const auto &[search, index, expected] : cases)
        EXPECT_EQ(expected, index) << search;
}

TEST(String, CharacterAtIsBoundsChecked)
{
    CString value("abc");
    EXPECT_EQ('a', value[0]);
    EXPECT_EQ(' ', value.characterAt(-1));
    EXPECT_EQ('\0', value.characterAt(3)) << "the terminator";
    EXPECT_EQ(' ', value.characterAt(4));
    EXPECT_EQ(' ', value.characterAt(LONG_MAX));
}

TEST(String, BoundedCopyOut)
{
    CString value("abcdef");
    char buffer[10];
    std::memset(buffer, 'X', sizeof(buffer));
    value.getString(buffer, 4);
    EXPECT_STREQ("abc", buffer);
    EXPECT_EQ('X', buffer[4]);
    value.getString(buffer, 10);
    EXPECT_STREQ("abcdef", buffer);
    EXPECT_EQ('\0', buffer[9]) << "the rest of the buffer is zeroed";
    char eight[9] = "XXXXXXXX";
    CString("0123456789").getString(eight);
    EXPECT_STREQ("0123456", eight);
    value.getString(nullptr, 4);
    value.getString(buffer, 0);
    char description[4];
    value.getObjectDescription(description, sizeof(description));
    EXPECT_STREQ("abc", description);
}

TEST(String, SubStringIsAnInclusiveRangeWithinTheText)
{
    const std::tuple<long, long, const char *> cases[] = {{1, 3, "bcd"},    {2, 2, "c"}, {0, 6, "abcdef"},
                                                          {0, 7, "abcdef"}, {3, 1, ""},  {-1, 2, ""},
                                                          {0, 8, ""},       {6, 6, ""},  {7, 7, ""}};
    for (const auto &[start, end, expected] : cases)
        EXPECT_EQ(expected, text(CString("abcdef").getSubString(start, end))) << "(" << start << ", " << end << ")";
}

TEST(String, CaseChangeTouchesOnlyAsciiLetters)
{
    CString value("aZ9-\xe9");
    value.toUpperCase();
    EXPECT_EQ("AZ9-\xe9", text(value));
    value.toLowerCase();
    EXPECT_EQ("az9-\xe9", text(value));
}

TEST(String, RemovingTheLastCharacterStopsAtEmpty)
{
    CString shrinking("ab");
    for (const char *expected : {"a", "", ""})
    {
        shrinking.removeLastCharacter();
        EXPECT_EQ(expected, text(shrinking));
    }
    EXPECT_EQ(1, shrinking.getNumberOfCharacters());
}

TEST(String, WhiteSpaceRemovalFromEachEnd)
{
    const std::tuple<const char *, const char *, const char *, const char *> cases[] = {
        // input, without leading, without trailing, without both
        {"a  ", "a  ", "a", "a"}, {"  x  ", "x  ", "  x", "x"},
        {"   ", "", "   ", ""},   {"\t\r\n\v\fq\r\n", "q\r\n", "\t\r\n\v\fq", "q"},
        {"", "", "", ""},
    };
    for (const auto &[input, leading, trailing, both] : cases)
    {
        CString withoutLeading(input), withoutTrailing(input), withoutBoth(input);
        withoutLeading.removeLeadingWhiteSpace();
        withoutTrailing.removeTrailingWhiteSpace();
        withoutBoth.removeTrailingAndLeadingWhiteSpace();
        EXPECT_EQ(leading, text(withoutLeading)) << "'" << input << "'";
        EXPECT_EQ(trailing, text(withoutTrailing)) << "'" << input << "'";
        EXPECT_EQ(both, text(withoutBoth)) << "'" << input << "'";
    }
}

// Replacing a text repeats until it is found no more, unless that would never end.
TEST(String, ReplacementsTakeEveryOccurrence)
{
    using TEdit = void (*)(CString &);
    const std::tuple<const char *, TEdit, const char *> cases[] = {
        {"a.b.c", [](CString &s) { s.replaceCharWithChar('.', '/'); }, "a/b/c"},
        {"a/b/c", [](CString &s) { s.replaceCharWithString('/', CString("::")); }, "a::b::c"},
        {"xabyab", [](CString &s) { s.replaceStringWithChar('-', CString("ab")); }, "x-y-"},
        {"aabb", [](CString &s) { s.replaceStringWithChar('a', CString("ab")); }, "aa"},
        {"aaa", [](CString &s) { s.replaceStringWithChar('a', CString("a")); }, "aaa"},
        {"aaa", [](CString &s) { s.replaceStringWithChar('b', CString("")); }, "aaa"},
    };
    for (const auto &[input, edit, expected] : cases)
    {
        CString value(input);
        edit(value);
        EXPECT_EQ(expected, text(value)) << "case from \"" << input << "\" to \"" << expected << '"';
    }
}

// A length byte and the text: what does not fit in the buffer is cut.
TEST(PascalString, TextIsCutToTheBuffer)
{
    const CPascalString cut = CString(std::string(400, 'q').c_str()).toPascalString();
    EXPECT_EQ(254, cut.getLength());
    EXPECT_EQ(std::string(254, 'q'), reinterpret_cast<const char *>(cut.getPascalString() + 1));
    const CPascalString tiny("abcdef", 4), copy(tiny);
    EXPECT_EQ(2, tiny.getLength());
    EXPECT_STREQ("ab", reinterpret_cast<const char *>(copy.getPascalString() + 1));
}

// Linux only: the stand-in is a shell script found on PATH; Windows opens links through the shell.
#ifndef _WIN32
// A stand-in xdg-open first on PATH records what it was asked to open; it runs
// in the background, so each record is waited for (bounded). Web and file links
// open as they are, bare text as a web link.
TEST(HtmlString, EachLinkOpensAsOneArgument)
{
    const Orvalite::Testing::CTemporaryFolder folder;
    const std::string record = folder.file("opened");
    folder.write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"" + record + ".part\"\nmv \"" + record + ".part\" \"" +
                                 record + "\"\n");
    chmod(folder.file("xdg-open").c_str(), 0755);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (folder.path() + ":" + oldPath).c_str(), 1);
    const std::pair<const char *, const char *> cases[] = {
        {"index.html", "http://index.html"},
        {"file:///tmp/a b;$(touch x).html", "file:///tmp/a b;$(touch x).html"},
        {"http://example.org/?q=1&r=2", "http://example.org/?q=1&r=2"}};
    for (const auto &[link, expected] : cases)
    {
        CHtmlString(link).openInBrowser();
        for (int attempt = 0; attempt < 500 && !folder.exists("opened"); ++attempt)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(expected, folder.read("opened")) << link << ": passed as one argument, never as shell text";
        std::remove(record.c_str());
    }
    setenv("PATH", oldPath.c_str(), 1);
}
#endif
