// Colours and alpha colours: channel limits, the integer and text forms, and the
// exact blend every 8-bit mix of the toolkit uses.
#include "gui/basics/CColour.h"
#include "gui/basics/CAlphaColour.h"

#include <cmath>
#include <gtest/gtest.h>
#include <utility>

namespace
{
using Orvalite::Basics::CString;
using Orvalite::GUI::Basics::CAlphaColour;
using Orvalite::GUI::Basics::CColour;

TEST(Colour, EveryChannelIsClampedToAByte)
{
    CColour colour(100, 100, 100);
    colour += CColour(200, 100, 0);
    EXPECT_EQ(colour, CColour(255, 200, 100)) << "adding";
    EXPECT_EQ(CColour(-5, 300, 128), CColour(0, 255, 128));
    EXPECT_EQ(CAlphaColour(1, 2, 3, 999).getAlpha(), 255u);
}

TEST(Colour, IntegerFormsPutEachChannelInItsByte)
{
    EXPECT_EQ(CColour(0x12, 0x34, 0x56).toColorRef(), 0x563412u) << "red in the low byte";
    CColour back;
    back.fromColorRef(0xFF563412);
    EXPECT_EQ(back, CColour(0x12, 0x34, 0x56)) << "the high byte is ignored";
    EXPECT_EQ(CAlphaColour(0x11, 0x22, 0x33, 0x44).toARGB(), 0x44112233u) << "straight, alpha on top";
}

TEST(Colour, APlainColourAssignedToAnAlphaColourMakesItOpaque)
{
    CAlphaColour colour(1, 2, 3, 4);
    colour = CColour(10, 20, 30);
    EXPECT_EQ(colour, CAlphaColour(10, 20, 30, 255));
}

TEST(Colour, DescriptionStopsAtTheBuffersSize)
{
    char buffer[32];
    CAlphaColour(100, 200, 255, 4).getObjectDescription(buffer, sizeof(buffer));
    EXPECT_STREQ(buffer, "[100,200,255,4]");
    CAlphaColour(100, 200, 255, 4).getObjectDescription(buffer, 6);
    EXPECT_STREQ(buffer, "[100,");
}

// Lightening and darkening (the bevel shades) move each colour channel halfway to white or black.
TEST(AlphaColour, ShadesMoveHalfwayToWhiteOrBlackKeepingAlpha)
{
    CAlphaColour light(0, 100, 255, 77);
    light.lighten();
    EXPECT_EQ(light, CAlphaColour(128, 178, 255, 77));
    CAlphaColour dark(255, 100, 0, 255);
    dark.darken();
    EXPECT_EQ(dark, CAlphaColour(127, 50, 0, 255));
}

// The shift form is the exact quotient by 255, rounded half up, for every input (ends included).
TEST(AlphaColour, BlendRoundsTheWeightedMeanExactly)
{
    for (uint32_t alpha = 0; alpha <= 255; alpha += 3)
    {
        for (uint32_t oldValue = 0; oldValue <= 255; oldValue += 5)
        {
            for (uint32_t newValue = 0; newValue <= 255; newValue += 7)
            {
                const double mean = ((255.0 - alpha) * oldValue + alpha * static_cast<double>(newValue)) / 255.0;
                ASSERT_EQ(CAlphaColour::blend(oldValue, newValue, alpha), static_cast<uint32_t>(std::floor(mean + 0.5)))
                    << "old " << oldValue << " new " << newValue << " alpha " << alpha;
            }
        }
    }
}

TEST(AlphaColour, TextFormHasExactlyFourFields)
{
    const std::pair<const char *, CAlphaColour> cases[] = {{"10,20,30,40", CAlphaColour(10, 20, 30, 40)},
                                                           {"255,0,255,128", CAlphaColour(255, 0, 255, 128)},
                                                           {"10,20,30", CAlphaColour(0, 0, 0, 0)},
                                                           {"1,2,3,4,5", CAlphaColour(0, 0, 0, 0)},
                                                           {"", CAlphaColour(0, 0, 0, 0)}};
    for (const auto &[text, expected] : cases)
    {
        EXPECT_EQ(CAlphaColour::fromString(CString(text)), expected) << '"' << text << '"';
    }
    EXPECT_STREQ(CAlphaColour::toString(CAlphaColour(10, 20, 30, 40)).getString(), "10,20,30,40");
}
} // namespace
