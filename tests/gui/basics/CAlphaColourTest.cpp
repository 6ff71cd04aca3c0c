#include "gui/basics/CAlphaColour.h"

#include <cmath>
#include <gtest/gtest.h>

namespace
{
using Orvalite::Basics::CString;
using Orvalite::GUI::Basics::CAlphaColour;

TEST(AlphaColour, LightenOfBlackIsHalfGreyAndDarkenOfWhiteJustBelow)
{
    CAlphaColour black(0, 0, 0, 77);
    black.lighten();
    EXPECT_EQ(black, CAlphaColour(128, 128, 128, 77)) << "alpha is left alone";
    CAlphaColour white(255, 255, 255, 255);
    white.darken();
    EXPECT_EQ(white, CAlphaColour(127, 127, 127, 255));
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

TEST(AlphaColour, TextFormHasExactlyFourFieldsAndRoundTrips)
{
    const struct
    {
        const char *text;
        CAlphaColour expected;
    } cases[] = {
        {"10,20,30,40", CAlphaColour(10, 20, 30, 40)},
        {"255,0,255,128", CAlphaColour(255, 0, 255, 128)},
        {"10,20,30", CAlphaColour(0, 0, 0, 0)},
        {"1,2,3,4,5", CAlphaColour(0, 0, 0, 0)},
        {"", CAlphaColour(0, 0, 0, 0)},
    };
    for (const auto &entry : cases)
    {
        EXPECT_EQ(CAlphaColour::fromString(CString(entry.text)), entry.expected) << '"' << entry.text << '"';
    }
    EXPECT_STREQ(CAlphaColour::toString(CAlphaColour(10, 20, 30, 40)).getString(), "10,20,30,40");
    EXPECT_EQ(CAlphaColour::fromString(CAlphaColour::toString(CAlphaColour(1, 128, 254, 3))),
              CAlphaColour(1, 128, 254, 3));
    EXPECT_EQ(CAlphaColour(0x11, 0x22, 0x33, 0x44).toARGB(), 0x44112233u) << "ARGB is straight, alpha on top";
}
} // namespace
