#include "foundation/io/CTextStream.h"

#include "tests/foundation/CTemporaryFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <vector>

using Orvalite::Basics::CString;
using Orvalite::Basics::CSystemString;
using Orvalite::IO::CTextStream;
using Orvalite::Testing::CTemporaryFolder;

namespace
{
const long MAXIMUM = CTextStream::MAXIMUM_LINE_LENGTH;

// Every line a loop "until the end of the stream" delivers, or an empty list
// with a failure when the loop had to be stopped.
std::vector<std::string> readAllLines(const std::string &path, size_t readLimit)
{
    std::vector<std::string> lines;
    CTextStream stream(CSystemString(path.c_str()), CTextStream::MODE_READ);
    while (!stream.isEndOfStream())
    {
        if (lines.size() == readLimit)
        {
            ADD_FAILURE() << "the stream never reached its end";
            return {};
        }
        CString line;
        stream >> line;
        lines.emplace_back(line.getString());
    }
    return lines;
}

std::vector<std::string> linesOf(const std::string &content)
{
    CTemporaryFolder folder;
    folder.write("lines.txt", content);
    return readAllLines(folder.file("lines.txt"), content.size() + 2);
}

struct SLineCase
{
    const char *name;
    std::string content;
    std::vector<std::string> lines;
};
} // namespace

TEST(TextStream, DeliversEachLineWithoutItsLineEnd)
{
    const std::string full(MAXIMUM, 'x');
    const std::vector<SLineCase> cases = {
        {"Windows line ends", "one\r\ntwo\r\n", {"one", "two"}},
        {"Unix line ends, no final end", "one\ntwo", {"one", "two"}},
        {"only one carriage return is dropped", "a\r\r\n", {"a\r"}},
        {"a lone carriage return is text", "a\rb\n", {"a\rb"}},
        {"carriage return at the very end", "last\r", {"last"}},
        {"empty file", "", {}},
        {"empty lines", "\n\r\n", {"", ""}},
        {"a full line ends exactly", full + "\nnext", {full, "next"}},
        {"a full line ends with CRLF", full + "\r\nnext", {full, "next"}},
        {"a longer line comes in pieces", full + full + "tail\nnext", {full, full, "tail", "next"}},
        {"a carriage return opens the next piece", full + "\rz\n", {full, "\rz"}},
        {"a NUL byte ends the delivered text", std::string("ab\0cd\nef", 8), {"ab", "ef"}},
    };
    for (const SLineCase &lineCase : cases)
    {
        EXPECT_EQ(linesOf(lineCase.content), lineCase.lines) << lineCase.name;
    }
}

TEST(TextStream, ReadingUntilTheEndAlwaysEndsAndDeliversNoMoreThanTheFile)
{
    std::string everyByte;
    for (int round = 0; round < 64; ++round)
    {
        for (int value = 0; value < 256; ++value)
        {
            everyByte += static_cast<char>(value);
        }
    }
    const std::vector<std::pair<const char *, std::string>> cases = {
        {"a megabyte without a line end", std::string(1 << 20, 'a')},
        {"binary junk", everyByte},
        {"carriage returns only", std::string(5000, '\r')},
        {"NUL bytes only", std::string(3000, '\0')},
        {"line feeds only", std::string(3000, '\n')},
    };
    for (const auto &[name, content] : cases)
    {
        const std::vector<std::string> lines = linesOf(content);
        size_t delivered = 0;
        for (const std::string &line : lines)
        {
            EXPECT_LE(line.size(), static_cast<size_t>(MAXIMUM)) << name;
            delivered += line.size();
        }
        EXPECT_LE(delivered, content.size()) << name;
        EXPECT_FALSE(lines.empty()) << name;
    }
}

TEST(TextStream, MegabyteLineArrivesWholeAcrossPieces)
{
    std::vector<std::string> lines = linesOf(std::string(1 << 20, 'q') + "\nend");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "end");
    lines.pop_back();
    std::string joined;
    for (const std::string &line : lines)
    {
        joined += line;
    }
    EXPECT_EQ(joined, std::string(1 << 20, 'q'));
}

TEST(TextStream, ReadLineCutsToTheCallerBufferAndConsumesTheWholeLine)
{
    CTemporaryFolder folder;
    folder.write("text.txt", "abcdef\nsecond\nthird\n");
    CTextStream stream(CSystemString(folder.file("text.txt").c_str()), CTextStream::MODE_READ);
    char small[4] = "zzz";
    stream.readLine(small, sizeof(small));
    EXPECT_STREQ(small, "abc");
    stream.readLine(nullptr, 100);
    char large[32] = {};
    stream.readLine(large, sizeof(large));
    EXPECT_STREQ(large, "third") << "a null buffer still consumes its line";
    EXPECT_TRUE(stream.isEndOfStream());
}

TEST(TextStream, ClosedWrongModeOrExhaustedStreamsReadNothingAndEndAccordingToTheirMode)
{
    CTemporaryFolder folder;
    folder.write("one.txt", "only\n");
    folder.write("empty.txt", "");
    CTextStream reader(CSystemString(folder.file("one.txt").c_str()), CTextStream::MODE_READ);
    CString line("before");
    reader >> line >> line;
    EXPECT_STREQ(line.getString(), "only") << "a read at the end keeps the last value";

    CTextStream writer(CSystemString(folder.file("out.txt").c_str()), CTextStream::MODE_WRITE);
    CTextStream closed;
    int number = 7;
    bool flag = true;
    char buffer[8] = "keep";
    for (CTextStream *stream : {&writer, &closed})
    {
        *stream >> number >> flag >> line;
        stream->readLine(buffer, sizeof(buffer));
    }
    EXPECT_EQ(number, 7);
    EXPECT_TRUE(flag);
    EXPECT_STREQ(line.getString(), "only");
    EXPECT_STREQ(buffer, "keep");

    EXPECT_TRUE(closed.isEndOfStream());
    EXPECT_FALSE(writer.isEndOfStream());
    CTextStream empty(CSystemString(folder.file("empty.txt").c_str()), CTextStream::MODE_READ);
    EXPECT_TRUE(empty.isOpen() && empty.isEndOfStream());
    EXPECT_FALSE(CTextStream(CSystemString(folder.file("empty.txt").c_str()), 2).isOpen());
    EXPECT_FALSE(CTextStream(CSystemString(folder.file("missing.txt").c_str()), CTextStream::MODE_READ).isOpen());
}

TEST(TextStream, WritingTruncatesAndWritesValuesInTheirTextFormsUntilClosed)
{
    CTemporaryFolder folder;
    folder.write("values.txt", "old content that is longer than what replaces it, and more, and more, and more\n");
    CTextStream stream;
    ASSERT_TRUE(stream.openStream(CSystemString(folder.file("values.txt").c_str()), CTextStream::MODE_WRITE));
    stream << true << "\n" << false << "\n" << -42 << "\n" << LONG_MIN << "\n" << 1.5 << "\n" << 0.25f << "\n";
    stream << CString("described") << "\n";
    stream.closeStream();
    stream << "ignored once closed";
    EXPECT_EQ(folder.read("values.txt"), "true\nfalse\n-42\n" + std::to_string(LONG_MIN) +
                                             "\n1.50000000000000000000\n0.25000000000000000000\ndescribed\n");
}

TEST(TextStream, ObjectDescriptionIsCutToTwoHundredFiftyFiveCharacters)
{
    CTemporaryFolder folder;
    {
        CTextStream stream(CSystemString(folder.file("object.txt").c_str()), CTextStream::MODE_WRITE);
        const CString longText(std::string(1000, 'd').c_str());
        stream << static_cast<const Orvalite::Basics::ICountedObject &>(longText);
    }
    EXPECT_EQ(folder.read("object.txt"), std::string(255, 'd'));
}

TEST(TextStream, ValuesRoundTripThroughText)
{
    CTemporaryFolder folder;
    const double doubles[] = {0.0, -2.5, 123456.789, 1.0e15, 0.1};
    const float floats[] = {0.0f, -1.25f, 3.14159274f, 1.0e10f};
    {
        CTextStream stream(CSystemString(folder.file("round.txt").c_str()), CTextStream::MODE_WRITE);
        stream << INT_MIN << "\n" << INT_MAX << "\n" << LONG_MAX << "\n";
        for (double value : doubles)
        {
            stream << value << "\n";
        }
        for (float value : floats)
        {
            stream << value << "\n";
        }
    }
    CTextStream stream(CSystemString(folder.file("round.txt").c_str()), CTextStream::MODE_READ);
    int smallest = 0, largest = 0;
    long longest = 0;
    stream >> smallest >> largest >> longest;
    EXPECT_EQ((std::vector<long>{INT_MIN, INT_MAX, LONG_MAX}), (std::vector<long>{smallest, largest, longest}));
    for (double expected : doubles)
    {
        double value = -1;
        stream >> value;
        EXPECT_DOUBLE_EQ(value, expected);
    }
    for (float expected : floats)
    {
        float value = -1;
        stream >> value;
        EXPECT_EQ(value, expected);
    }
    EXPECT_TRUE(stream.isEndOfStream());
}

TEST(TextStream, ReadsTextAsValuesLikeTheRuntimeButClamped)
{
    CTemporaryFolder folder;
    folder.write("in.txt", "True\ntrue \ntrue\n99999999999999999999\n-99999999999\n1e300\n-1e300\n  17xyz\n");
    CTextStream stream(CSystemString(folder.file("in.txt").c_str()), CTextStream::MODE_READ);
    bool capitalised = true, spaced = true, exact = false;
    long huge = 0;
    int tiny = 0, leading = 0;
    float infinite = 0, negative = 0;
    stream >> capitalised >> spaced >> exact >> huge >> tiny >> infinite >> negative >> leading;
    EXPECT_FALSE(capitalised || spaced) << "only exactly \"true\" reads as true";
    EXPECT_TRUE(exact);
    EXPECT_EQ(huge, LONG_MAX);
    EXPECT_EQ(tiny, INT_MIN);
    EXPECT_TRUE(std::isinf(infinite) && infinite > 0);
    EXPECT_TRUE(std::isinf(negative) && negative < 0);
    EXPECT_EQ(leading, 17);
}
