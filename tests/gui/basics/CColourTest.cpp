#include "gui/basics/CColour.h"
#include "gui/basics/CAlphaColour.h"

#include <gtest/gtest.h>

namespace
{
using Orvalite::GUI::Basics::CAlphaColour;
using Orvalite::GUI::Basics::CColour;

TEST(Colour, PredefinedColoursHaveTheirValuesAndAreOpaque)
{
    const struct
    {
        const char *name;
        const CColour &colour;
        const CAlphaColour &alphaColour;
        long red, green, blue;
    } cases[] = {
        {"BLACK", CColour::BLACK, CAlphaColour::BLACK, 0, 0, 0},
        {"WHITE", CColour::WHITE, CAlphaColour::WHITE, 255, 255, 255},
        {"RED", CColour::RED, CAlphaColour::RED, 243, 32, 32},
        {"GREEN", CColour::GREEN, CAlphaColour::GREEN, 102, 200, 85},
        {"BLUE", CColour::BLUE, CAlphaColour::BLUE, 85, 86, 200},
        {"YELLOW", CColour::YELLOW, CAlphaColour::YELLOW, 219, 230, 49},
        {"ORANGE", CColour::ORANGE, CAlphaColour::ORANGE, 239, 149, 41},
        {"TURQUOISE", CColour::TURQUOISE, CAlphaColour::TURQUOISE, 116, 184, 188},
        {"PURPLE", CColour::PURPLE, CAlphaColour::PURPLE, 153, 116, 188},
        {"PINK", CColour::PINK, CAlphaColour::PINK, 226, 74, 160},
        {"LIGHT_GREY", CColour::LIGHT_GREY, CAlphaColour::LIGHT_GREY, 208, 208, 208},
        {"DARK_GREY", CColour::DARK_GREY, CAlphaColour::DARK_GREY, 147, 147, 147},
    };
    for (const auto &entry : cases)
    {
        EXPECT_EQ(entry.colour, CColour(entry.red, entry.green, entry.blue)) << entry.name;
        EXPECT_EQ(entry.alphaColour, CAlphaColour(entry.red, entry.green, entry.blue, 255)) << entry.name;
    }
    EXPECT_EQ(CColour(), CColour::WHITE) << "the default is white";
    EXPECT_EQ(CAlphaColour(), CAlphaColour::WHITE);
}

TEST(Colour, AddingAndConstructingClampEachChannelToAByte)
{
    CColour colour(100, 100, 100);
    colour += CColour(200, 100, 0);
    EXPECT_EQ(colour, CColour(255, 200, 100));
    EXPECT_EQ(CColour(-5, 300, 128), CColour(0, 255, 128));
    EXPECT_EQ(CAlphaColour(1, 2, 3, 999).getAlpha(), 255u);
}

TEST(Colour, ColorRefKeepsRedInTheLowByte)
{
    const CColour colour(0x12, 0x34, 0x56);
    EXPECT_EQ(colour.toColorRef(), 0x563412u);
    CColour back;
    back.fromColorRef(0xFF563412);
    EXPECT_EQ(back, colour) << "the high byte is ignored";
}

TEST(Colour, DescriptionsListTheChannelsWithinTheBuffer)
{
    char buffer[32];
    CColour(1, 2, 3).getObjectDescription(buffer, sizeof(buffer));
    EXPECT_STREQ(buffer, "[1,2,3]");
    CAlphaColour(1, 2, 3, 4).getObjectDescription(buffer, sizeof(buffer));
    EXPECT_STREQ(buffer, "[1,2,3,4]");
    CAlphaColour(100, 200, 255, 255).getObjectDescription(buffer, 6);
    EXPECT_STREQ(buffer, "[100,") << "the description stops at the buffer's size";
}

TEST(Colour, APlainColourMakesAnOpaqueAlphaColour)
{
    CAlphaColour colour(1, 2, 3, 4);
    colour = CColour(10, 20, 30);
    EXPECT_EQ(colour, CAlphaColour(10, 20, 30, 255));
    EXPECT_EQ(CAlphaColour(CColour(5, 6, 7)).getAlpha(), 255u);
}
} // namespace
