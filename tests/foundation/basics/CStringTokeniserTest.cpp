#include "foundation/basics/CStringTokeniser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Orvalite::Basics;

namespace
{
std::vector<std::string> handOut(CStringTokeniser &tokeniser)
{
    std::vector<std::string> tokens;
    for (CString token; tokeniser.nextToken(token);)
    {
        tokens.push_back(token.getString());
    }
    return tokens;
}
} // namespace

struct TokenCase
{
    const char *text;
    char delimiter;
    long count;
    std::vector<std::string> handedOut;
};

class Tokeniser : public testing::TestWithParam<TokenCase>
{
};

TEST_P(Tokeniser, CountsAndHandsOut)
{
    const auto &example = GetParam();
    CStringTokeniser tokeniser(example.text, example.delimiter);
    EXPECT_EQ(example.count, tokeniser.countTokens()) << example.text;
    EXPECT_EQ(example.handedOut, handOut(tokeniser)) << example.text;
    EXPECT_FALSE(tokeniser.hasMoreTokens());
    EXPECT_EQ(nullptr, tokeniser.nextToken());
}

INSTANTIATE_TEST_SUITE_P(Examples, Tokeniser,
                         testing::Values(TokenCase{"a,b,c", ',', 3, {"a", "b", "c"}},
                                         TokenCase{"a,,b", ',', 2, {"a", ""}}, TokenCase{",a", ',', 1, {""}},
                                         TokenCase{"_a,b", ',', 1, {"_a"}}, TokenCase{"", ',', 0, {}},
                                         TokenCase{"single", ',', 1, {"single"}}, TokenCase{"a,b,", ',', 2, {"a", "b"}},
                                         TokenCase{"1 2  3", ' ', 3, {"1", "2", ""}}));

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
    const auto tokens = handOut(tokeniser);
    ASSERT_EQ(2u, tokens.size());
    EXPECT_EQ(100u, tokens[0].size());
    EXPECT_EQ(CStringTokeniser::MAXIMUM_TEXT_LENGTH - 101, static_cast<long>(tokens[1].size()));
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
