#include "foundation/basics/CStringTokeniser.h"

#include "tests/foundation/FoundationTestSupport.h"

using namespace Orvalite::Basics;

namespace
{
std::vector<std::string> handOut(CStringTokeniser &tokeniser)
{
    std::vector<std::string> tokens;
    for (CString token; tokeniser.nextToken(token);)
        tokens.push_back(token.getString());
    return tokens;
}
} // namespace

TEST(Tokeniser, HandsOutTheCountedTokens)
{
    const std::tuple<const char *, char, long, std::vector<std::string>> cases[] = {
        {"a,b,c", ',', 3, {"a", "b", "c"}},
        {"a,,b", ',', 2, {"a", ""}},
        {",a", ',', 1, {""}},
        {"_a,b", ',', 1, {"_a"}},
        {"", ',', 0, {}},
        {"single", ',', 1, {"single"}},
        {"a,b,", ',', 2, {"a", "b"}},
        {"1 2  3", ' ', 3, {"1", "2", ""}},
    };
    for (const auto &[text, delimiter, count, handedOut] : cases)
    {
        CStringTokeniser tokeniser(text, delimiter);
        EXPECT_EQ(count, tokeniser.countTokens()) << text;
        EXPECT_EQ(handedOut, handOut(tokeniser)) << text;
        EXPECT_FALSE(tokeniser.hasMoreTokens()) << text;
        EXPECT_EQ(nullptr, tokeniser.nextToken()) << text;
    }
}

TEST(TokeniserText, WithoutDelimiterNothingIsCountedUntilAsked)
{
    CStringTokeniser tokeniser("x,y");
    EXPECT_FALSE(tokeniser.hasMoreTokens());
    EXPECT_EQ(2, tokeniser.countTokens());
    EXPECT_EQ((std::vector<std::string>{"x", "y"}), handOut(tokeniser));
    EXPECT_EQ(0, CStringTokeniser(static_cast<const char *>(nullptr), ',').countTokens());
}

TEST(TokeniserText, LongTextIsCutSafely)
{
    std::string text(5000, 'a');
    text[100] = ';';
    CStringTokeniser tokeniser(text.c_str(), ';');
    EXPECT_EQ(2, tokeniser.countTokens());
    const std::string kept(CStringTokeniser::MAXIMUM_TEXT_LENGTH - 101, 'a');
    EXPECT_EQ((std::vector<std::string>{std::string(100, 'a'), kept}), handOut(tokeniser));
}

TEST(TokeniserText, ShorterTextAfterCountingStaysInBounds)
{
    CStringTokeniser tokeniser("alpha,beta,gamma", ',');
    CString token;
    ASSERT_TRUE(tokeniser.nextToken(token));
    ASSERT_TRUE(tokeniser.nextToken(token));
    tokeniser.setString("z");
    tokeniser.setDelimiter(',');
    EXPECT_EQ(1, tokeniser.countTokens());
    EXPECT_TRUE(tokeniser.nextToken(token));
    EXPECT_EQ(CString(""), token) << "the position is not reset, so the rest of the text is empty";
}
