#include "foundation/io/CTextStream.h"

#include "tests/foundation/FoundationTestSupport.h"

using namespace Orvalite::Basics;
using namespace Orvalite::IO;
using Orvalite::Testing::CTemporaryFolder;

namespace
{
const long MAXIMUM = CTextStream::MAXIMUM_LINE_LENGTH;

// Every line a loop "until the end of the stream" delivers; none, with a failure, if it never ends.
std::vector<std::string> linesOf(const std::string &content)
{
    CTemporaryFolder folder;
    folder.write("lines.txt", content);
    std::vector<std::string> lines;
    CTextStream stream(folder.systemPath("lines.txt"), CTextStream::MODE_READ);
    while (!stream.isEndOfStream())
    {
        if (lines.size() > content.size())
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
} // namespace

TEST(TextStream, DeliversEachLineWithoutItsLineEnd)
{
    const std::string full(MAXIMUM, 'x');
    std::vector<std::string> megabyte(1000, full);
    megabyte.insert(megabyte.end(), {"tail", "next"});
    const std::tuple<const char *, std::string, std::vector<std::string>> cases[] = {
        {"Windows line ends", "one\r\ntwo\r\n", {"one", "two"}},
        {"Unix line ends, no final end", "one\ntwo", {"one", "two"}},
        {"only one carriage return is dropped", "a\r\r\n", {"a\r"}},
        {"a lone carriage return is text", "a\rb\n", {"a\rb"}},
        {"carriage return at the very end", "last\r", {"last"}},
        {"empty file", "", {}},
        {"empty lines", "\n\r\n", {"", ""}},
        {"a full line ends exactly", full + "\nnext", {full, "next"}},
        {"a full line ends with CRLF", full + "\r\nnext", {full, "next"}},
        {"a megabyte line comes whole, in full pieces", std::string(1000 * MAXIMUM, 'x') + "tail\nnext", megabyte},
        {"a carriage return opens the next piece", full + "\rz\n", {full, "\rz"}},
        {"a NUL byte ends the delivered text", std::string("ab\0cd\nef", 8), {"ab", "ef"}},
    };
    for (const auto &[name, content, lines] : cases)
        EXPECT_EQ(linesOf(content), lines) << name;
}

TEST(TextStream, ReadLineConsumesTheWholeLineWhateverItsBuffer)
{
    CTemporaryFolder folder;
    folder.write("text.txt", "abcdef\nsecond\nthird\n");
    CTextStream stream(folder.systemPath("text.txt"), CTextStream::MODE_READ);
    char small[4] = "zzz";
    stream.readLine(small, sizeof(small));
    EXPECT_STREQ(small, "abc");
    stream.readLine(nullptr, 100);
    char large[32] = {};
    stream.readLine(large, sizeof(large));
    EXPECT_STREQ(large, "third") << "a null buffer still consumes its line";
    EXPECT_TRUE(stream.isEndOfStream());
}

// Not open counts as the end, a writing stream never ends, and no read from any of them changes its target.
TEST(TextStream, StreamsThatCannotReadLeaveTheTargets)
{
    CTemporaryFolder folder;
    folder.write("one.txt", "only\n");
    folder.write("empty.txt", "");
    CTextStream exhausted(folder.systemPath("one.txt"), CTextStream::MODE_READ), closed;
    CTextStream writing(folder.systemPath("out.txt"), CTextStream::MODE_WRITE);
    CTextStream empty(folder.systemPath("empty.txt"), CTextStream::MODE_READ);
    CTextStream unknownMode(folder.systemPath("empty.txt"), 2);
    CTextStream missing(folder.systemPath("missing.txt"), CTextStream::MODE_READ);
    CString line("before");
    exhausted >> line;
    const std::tuple<const char *, CTextStream *, bool, bool> cases[] = {
        {"exhausted", &exhausted, true, true},
        {"never opened", &closed, false, true},
        {"writing", &writing, true, false},
        {"reading an empty file", &empty, true, true},
        {"an unknown mode", &unknownMode, false, true},
        {"a missing file", &missing, false, true},
    };
    for (const auto &[name, stream, open, end] : cases)
    {
        EXPECT_EQ(open, stream->isOpen()) << name;
        EXPECT_EQ(end, stream->isEndOfStream()) << name;
        int number = 7;
        bool flag = true;
        char buffer[8] = "keep";
        *stream >> number >> flag >> line;
        stream->readLine(buffer, sizeof(buffer));
        EXPECT_EQ(std::make_tuple(7, true, std::string("only"), std::string("keep")),
                  std::make_tuple(number, flag, std::string(line.getString()), std::string(buffer)))
            << name;
    }
}

TEST(TextStream, WritingReplacesTheFileWithTheValuesTextFormsUntilClosed)
{
    CTemporaryFolder folder;
    folder.write("values.txt", "old content that is longer than what replaces it, and more, and more, and more\n");
    CTextStream stream;
    ASSERT_TRUE(stream.openStream(folder.systemPath("values.txt"), CTextStream::MODE_WRITE));
    stream << true << "\n" << false << "\n" << -42 << "\n" << LONG_MIN << "\n" << 1.5 << "\n" << 0.25f << "\n";
    stream << CString("described") << "\n";
    stream.closeStream();
    stream << "ignored once closed";
    EXPECT_EQ(folder.readText("values.txt"), "true\nfalse\n-42\n" + std::to_string(LONG_MIN) +
                                                 "\n1.50000000000000000000\n0.25000000000000000000\ndescribed\n");
}

TEST(TextStream, ObjectDescriptionIsCutToTwoHundredFiftyFiveCharacters)
{
    CTemporaryFolder folder;
    {
        CTextStream stream(folder.systemPath("object.txt"), CTextStream::MODE_WRITE);
        const CString longText(std::string(1000, 'd').c_str());
        stream << static_cast<const Orvalite::Basics::ICountedObject &>(longText);
    }
    EXPECT_EQ(folder.read("object.txt"), std::string(255, 'd'));
}

// Written numbers carry 20 decimals, enough to read back every double and float exactly.
TEST(TextStream, ReadsTextAsValuesLikeTheRuntimeButClamped)
{
    CTemporaryFolder folder;
    folder.write("in.txt", "True\ntrue \ntrue\n99999999999999999999\n-99999999999\n1e300\n-1e300\n  17xyz\n"
                           "-2147483648\n9223372036854775807\n0.10000000000000000555\n3.14159274101257324219\n");
    CTextStream stream(folder.systemPath("in.txt"), CTextStream::MODE_READ);
    bool capitalised = true, spaced = true, exact = false;
    long huge = 0, longest = 0;
    int tiny = 0, leading = 0, smallest = 0;
    float infinite = 0, negative = 0, single = 0;
    double tenth = 0;
    stream >> capitalised >> spaced >> exact >> huge >> tiny >> infinite >> negative >> leading;
    stream >> smallest >> longest >> tenth >> single;
    EXPECT_FALSE(capitalised || spaced) << "only exactly \"true\" reads as true";
    EXPECT_TRUE(exact);
    EXPECT_EQ((std::vector<long>{LONG_MAX, INT_MIN, 17, INT_MIN, LONG_MAX}),
              (std::vector<long>{huge, tiny, leading, smallest, longest}));
    EXPECT_TRUE(std::isinf(infinite) && infinite > 0);
    EXPECT_TRUE(std::isinf(negative) && negative < 0);
    EXPECT_EQ(0.1, tenth);
    EXPECT_EQ(3.14159274f, single);
    EXPECT_TRUE(stream.isEndOfStream());
}

// "é.txt" in UTF-8: the name reaches the file system whole, for writing and for reading.
TEST(TextStream, NamesBeyondAsciiOpenAsTheyAre)
{
    CTemporaryFolder folder;
    const std::string name = "\xC3\xA9.txt";
    {
        CTextStream output(folder.systemPath(name), CTextStream::MODE_WRITE);
        output << "line\n";
    }
    ASSERT_TRUE(folder.exists(name));
    CTextStream input(folder.systemPath(name), CTextStream::MODE_READ);
    CString line;
    input >> line;
    EXPECT_STREQ("line", line.getString());
}
