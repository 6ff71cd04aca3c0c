#include "foundation/basics/CString.h"
#include "foundation/basics/CPascalString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

using namespace Orvalite::Basics;

namespace
{
std::string text(const CString &value)
{
    return value.getString();
}
} // namespace

TEST(String, DefaultAndNullHoldOneBlankWhileEmptyTextHasOneCharacter)
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

TEST(String, NumbersAndBooleansHaveTheirTextForms)
{
    CString value;
    EXPECT_EQ("005", text(value = 5L));
    EXPECT_EQ("-005", text(value = -5L));
    EXPECT_EQ("1234", text(value = 1234L));
    EXPECT_EQ("007", text(value = 7UL));
    EXPECT_EQ("0.500", text(value = 0.5f));
    EXPECT_EQ("True", text(value = true));
    EXPECT_EQ("False", text(value = false));
    EXPECT_EQ("-07", text(CString::fromInt(-7)));
    EXPECT_EQ("-07", text(CString::fromLong(-7)));
    EXPECT_EQ("2.250", text(CString::fromDouble(2.25)));
    std::unique_ptr<char[]> number(CString::floatToText(3.5f));
    EXPECT_STREQ("3.500", number.get());
    std::unique_ptr<char[]> integer(CString::longToText(-7));
    EXPECT_STREQ("-007", integer.get());
    EXPECT_DOUBLE_EQ(2.5, CString::toDouble("2.5"));
    EXPECT_EQ(-12, CString::toInt(CString("-12abc")));
    EXPECT_EQ(0, CString::toLong(static_cast<const char *>(nullptr)));
}

TEST(String, AssignFormatAndAppendGrowTheTextAndNullOrSelfChangeNothing)
{
    CString value("abc");
    value = static_cast<const char *>(nullptr);
    EXPECT_EQ("abc", text(value));
    const CString &alias = value;
    value = alias;
    EXPECT_EQ("abc", text(value)) << "self-assignment keeps the text";
    value.setStringWithFormat("%s-%03d", "id", 7);
    value += "+";
    value += CString("more");
    value.appendString('!');
    value.appendString(static_cast<const char *>(nullptr));
    EXPECT_EQ("id-007+more!", text(value));
    EXPECT_EQ(13, value.getNumberOfCharacters());
}

TEST(String, ComparisonsAreExactOrFoldAsciiCaseAndSearchesIncludeTheTerminator)
{
    CString value("Abc");
    EXPECT_TRUE(value == "Abc" && value != "abc" && value == CString("Abc"));
    EXPECT_FALSE(value.equals(static_cast<const char *>(nullptr)));
    EXPECT_TRUE(value.equalsIgnoringCase("aBC"));
    EXPECT_FALSE(value.equalsIgnoringCase("aBCd"));
    EXPECT_EQ(-1, CString("abc").findForward('z'));
    EXPECT_EQ(2, CString("aXa").findBackwards('a'));
    EXPECT_EQ(0, CString("aXa").findForward('a'));
    EXPECT_EQ(3, CString("abc").findForward('\0'));
    EXPECT_EQ(2, CString("xaab").findSubString(CString("ab")));
    EXPECT_EQ(-1, CString("ab").findSubString(CString("abc")));
    EXPECT_EQ(1, CString("abc").findSubString(CString("bc")));
}

TEST(String, CharacterAtAnswersBlankOutsideAndTerminatorAtLength)
{
    CString value("abc");
    EXPECT_EQ('a', value[0]);
    EXPECT_EQ(' ', value.characterAt(-1));
    EXPECT_EQ('\0', value.characterAt(3));
    EXPECT_EQ(' ', value.characterAt(4));
    EXPECT_EQ(' ', value.characterAt(1L << 40));
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

struct SubStringCase
{
    long start;
    long end;
    const char *expected;
};

class SubString : public testing::TestWithParam<SubStringCase>
{
};

TEST_P(SubString, InclusiveRangeWithinText)
{
    const auto &example = GetParam();
    EXPECT_EQ(example.expected, text(CString("abcdef").getSubString(example.start, example.end)))
        << "(" << example.start << ", " << example.end << ")";
}

INSTANTIATE_TEST_SUITE_P(Ranges, SubString,
                         testing::Values(SubStringCase{1, 3, "bcd"}, SubStringCase{2, 2, "c"},
                                         SubStringCase{0, 6, "abcdef"}, SubStringCase{0, 7, "abcdef"},
                                         SubStringCase{3, 1, ""}, SubStringCase{-1, 2, ""}, SubStringCase{0, 8, ""},
                                         SubStringCase{6, 6, ""}, SubStringCase{7, 7, ""}));

TEST(String, CaseChangeTouchesOnlyAsciiLettersAndRemovingTheLastCharacterStopsAtEmpty)
{
    CString value("aZ9-\xe9");
    value.toUpperCase();
    EXPECT_EQ("AZ9-\xe9", text(value));
    value.toLowerCase();
    EXPECT_EQ("az9-\xe9", text(value));
    CString shrinking("ab");
    for (const char *expected : {"a", "", ""})
    {
        shrinking.removeLastCharacter();
        EXPECT_EQ(expected, text(shrinking));
    }
    EXPECT_EQ(1, shrinking.getNumberOfCharacters());
}

struct WhiteSpaceCase
{
    const char *input;
    const char *leading;
    const char *trailing;
    const char *both;
};

class WhiteSpace : public testing::TestWithParam<WhiteSpaceCase>
{
};

TEST_P(WhiteSpace, RemovalFromEachEnd)
{
    const auto &example = GetParam();
    CString leading(example.input), trailing(example.input), both(example.input);
    leading.removeLeadingWhiteSpace();
    trailing.removeTrailingWhiteSpace();
    both.removeTrailingAndLeadingWhiteSpace();
    EXPECT_EQ(example.leading, text(leading)) << "'" << example.input << "'";
    EXPECT_EQ(example.trailing, text(trailing)) << "'" << example.input << "'";
    EXPECT_EQ(example.both, text(both)) << "'" << example.input << "'";
}

INSTANTIATE_TEST_SUITE_P(Examples, WhiteSpace,
                         testing::Values(WhiteSpaceCase{"a  ", "a  ", "a", "a"},
                                         WhiteSpaceCase{"  x  ", "x  ", "  x", "x"},
                                         WhiteSpaceCase{"   ", "", "   ", ""},
                                         WhiteSpaceCase{"\t\r\n\v\fq\r\n", "q\r\n", "\t\r\n\v\fq", "q"},
                                         WhiteSpaceCase{"", "", "", ""}));

TEST(String, Replacements)
{
    CString value("a.b.c");
    value.replaceCharWithChar('.', '/');
    EXPECT_EQ("a/b/c", text(value));
    value.replaceCharWithString('/', CString("::"));
    EXPECT_EQ("a::b::c", text(value));
    CString repeated("xabyab");
    repeated.replaceStringWithChar('-', CString("ab"));
    EXPECT_EQ("x-y-", text(repeated));
    CString cascade("aabb");
    cascade.replaceStringWithChar('a', CString("ab"));
    EXPECT_EQ("aa", text(cascade)) << "replacing repeats until nothing is found: aabb, aab, aa";
}

TEST(String, ReplacementThatWouldNeverEndLeavesTheText)
{
    CString value("aaa");
    value.replaceStringWithChar('a', CString("a"));
    value.replaceStringWithChar('b', CString(""));
    EXPECT_EQ("aaa", text(value));
}

TEST(PascalString, LengthPrefixAndBoundedCopy)
{
    CPascalString pascal = CString("hello").toPascalString();
    EXPECT_EQ(256, pascal.getSize());
    EXPECT_EQ(5, pascal.getLength());
    EXPECT_STREQ("hello", reinterpret_cast<const char *>(pascal.getPascalString() + 1));

    const std::string longText(400, 'q');
    CPascalString cut = CString(longText.c_str()).toPascalString();
    EXPECT_EQ(254, cut.getLength()) << "texts are cut to what the buffer holds";
    EXPECT_EQ(std::string(254, 'q'), reinterpret_cast<const char *>(cut.getPascalString() + 1));

    CPascalString tiny("abcdef", 4);
    EXPECT_EQ(2, tiny.getLength());
    CPascalString copy(tiny);
    EXPECT_STREQ("ab", reinterpret_cast<const char *>(copy.getPascalString() + 1));
}
