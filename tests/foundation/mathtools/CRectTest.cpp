#include "foundation/mathtools/CRect.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

using namespace Orvalite::MathTools;
using Orvalite::Basics::CString;

namespace
{
const SPlatformRect PLATFORM_RECT = {1, 2, 11, 22};

// left, top, width, height, right, bottom
std::vector<long> fields(const CRect &rect)
{
    return {rect.getLeft(), rect.getTop(), rect.getWidth(), rect.getHeight(), rect.getRight(), rect.getBottom()};
}

std::string description(const CRect &rect, long size = 64)
{
    char buffer[64] = {};
    rect.getObjectDescription(buffer, size);
    return buffer;
}
} // namespace

struct RectChangeCase
{
    const char *change;
    std::function<void(CRect &)> apply;
    std::vector<long> expected;
};

class RectChange : public testing::TestWithParam<RectChangeCase>
{
};

TEST_P(RectChange, KeepsRightAndBottomOnePastTheLastPixel)
{
    const auto &example = GetParam();
    CRect rect(5, 5, 10, 10);
    example.apply(rect);
    EXPECT_EQ(example.expected, fields(rect)) << example.change;
}

INSTANTIATE_TEST_SUITE_P(
    Setters, RectChange,
    testing::Values(
        RectChangeCase{"setLeft moves", [](CRect &r) { r.setLeft(2); }, {2, 5, 10, 10, 12, 15}},
        RectChangeCase{"setTop moves", [](CRect &r) { r.setTop(-3); }, {5, -3, 10, 10, 15, 7}},
        RectChangeCase{"setWidth", [](CRect &r) { r.setWidth(4); }, {5, 5, 4, 10, 9, 15}},
        RectChangeCase{"setHeight", [](CRect &r) { r.setHeight(0); }, {5, 5, 10, 0, 15, 5}},
        RectChangeCase{"setOrigin", [](CRect &r) { r.setOrigin(CPoint(1, 2)); }, {1, 2, 10, 10, 11, 12}},
        RectChangeCase{"setDimension", [](CRect &r) { r.setDimension(CDimension(3, 4)); }, {5, 5, 3, 4, 8, 9}},
        RectChangeCase{"setRect from origin and size",
                       [](CRect &r) { r.setRect(CPoint(-1, -2), CDimension(3, 4)); },
                       {-1, -2, 3, 4, 2, 2}},
        RectChangeCase{
            "fromRECT derives the size", [](CRect &r) { r.fromRECT(PLATFORM_RECT); }, {1, 2, 10, 20, 11, 22}},
        RectChangeCase{"offset", [](CRect &r) { r.offset(CPoint(-5, 7)); }, {0, 12, 10, 10, 10, 22}},
        RectChangeCase{"inset shrinks around the centre", [](CRect &r) { r.inset(2); }, {7, 7, 6, 6, 13, 13}},
        RectChangeCase{"negative inset grows", [](CRect &r) { r.inset(-1); }, {4, 4, 12, 12, 16, 16}}));

TEST(Rect, ConstructionFromPartsOrCopyGivesTheSameRectangle)
{
    EXPECT_EQ((std::vector<long>{0, 0, 0, 0, 0, 0}), fields(CRect()));
    const CRect rect(1, 2, 3, 4);
    EXPECT_EQ((std::vector<long>{1, 2, 3, 4, 4, 6}), fields(rect));
    EXPECT_EQ(fields(rect), fields(CRect(CPoint(1, 2), CDimension(3, 4))));
    EXPECT_EQ(fields(rect), fields(CRect(rect)));
    CRect assigned;
    assigned = rect;
    EXPECT_EQ(fields(rect), fields(assigned));
}

TEST(Rect, EqualityNeedsTheSameOriginAndSize)
{
    const CRect rect(1, 2, 3, 4);
    EXPECT_TRUE(rect == CRect(1, 2, 3, 4));
    EXPECT_FALSE(rect == CRect(0, 2, 3, 4));
    EXPECT_FALSE(rect == CRect(1, 0, 3, 4));
    EXPECT_FALSE(rect == CRect(1, 2, 0, 4));
    EXPECT_FALSE(rect == CRect(1, 2, 3, 0));
}

TEST(Rect, CentreTruncatesHalfTheSizeTowardsZero)
{
    EXPECT_EQ(12, CRect(10, 20, 5, 7).getCentralXPosition());
    EXPECT_EQ(23, CRect(10, 20, 5, 7).getCentralYPosition());
    EXPECT_EQ(9, CRect(10, 20, -3, -5).getCentralXPosition());
    EXPECT_EQ(18, CRect(10, 20, -3, -5).getCentralYPosition());
}

TEST(Rect, IntersectionOfOverlappingRectanglesIsTheirCommonArea)
{
    CRect overlap;
    CRect::getIntersection(CRect(0, 0, 10, 10), CRect(5, 3, 10, 10), overlap);
    EXPECT_EQ((std::vector<long>{5, 3, 5, 7, 10, 10}), fields(overlap));
}

TEST(Rect, IntersectionOfDisjointRectanglesHasNegativeSize)
{
    CRect overlap(1, 1, 1, 1);
    CRect::getIntersection(CRect(0, 0, 10, 10), CRect(20, 20, 5, 5), overlap);
    EXPECT_EQ((std::vector<long>{20, 20, -10, -10, 10, 10}), fields(overlap));
}

TEST(Rect, IntersectionMayOverwriteOneOfItsInputs)
{
    CRect first(0, 0, 10, 10);
    CRect::getIntersection(first, CRect(5, 3, 10, 10), first);
    EXPECT_EQ((std::vector<long>{5, 3, 5, 7, 10, 10}), fields(first));
}

TEST(Rect, PlatformRectangleCarriesTheEdges)
{
    const SPlatformRect platform = CRect(-1, 2, 30, 40).toRECT();
    EXPECT_EQ(-1, platform.left);
    EXPECT_EQ(2, platform.top);
    EXPECT_EQ(29, platform.right);
    EXPECT_EQ(42, platform.bottom);
    CRect back;
    back.fromRECT(platform);
    EXPECT_TRUE(back == CRect(-1, 2, 30, 40));
}

TEST(Rect, EdgesWrapAtThirtyTwoBitsInsteadOfOverflowing)
{
    CRect rect(INT32_MAX, INT32_MIN, 1, -1);
    EXPECT_EQ(INT32_MIN, rect.getRight());
    EXPECT_EQ(INT32_MAX, rect.getBottom());
    rect.inset(INT32_MIN);
    EXPECT_EQ((std::vector<long>{-1, 0, 1, -1, 0, -1}), fields(rect));
}

TEST(Rect, DescriptionListsOriginAndSizeWithinTheBuffer)
{
    EXPECT_EQ("[1,2,3,4]", description(CRect(1, 2, 3, 4)));
    EXPECT_EQ("[-5,0,7,-8]", description(CRect(-5, 0, 7, -8)));
    EXPECT_EQ("[1,", description(CRect(1, 2, 3, 4), 4));
}

TEST(Rect, RecordNamesTheClassAndItsParent)
{
    EXPECT_STREQ("CRect", CRect().getClass().getClassName());
    EXPECT_STREQ("CCountedObject", CRect().getClass().getParentClassName());
}

struct RectTextCase
{
    const char *text;
    std::vector<long> expected;
};

class RectFromText : public testing::TestWithParam<RectTextCase>
{
};

TEST_P(RectFromText, ReadsExactlyFourFields)
{
    const auto &example = GetParam();
    EXPECT_EQ(example.expected, fields(CRect::fromString(CString(example.text)))) << "'" << example.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Examples, RectFromText,
    testing::Values(RectTextCase{"10,20,30,40", {10, 20, 30, 40, 40, 60}},
                    RectTextCase{"-1, 2,3 ,4", {-1, 2, 3, 4, 2, 6}}, RectTextCase{"1,2,3", {0, 0, 0, 0, 0, 0}},
                    RectTextCase{"1,2,3,4,5", {0, 0, 0, 0, 0, 0}}, RectTextCase{"a,b,c,d", {0, 0, 0, 0, 0, 0}},
                    RectTextCase{"7,x,9,10", {7, 0, 9, 10, 16, 10}}, RectTextCase{"", {0, 0, 0, 0, 0, 0}}));

TEST(Rect, TextRoundTripsThroughToStringAndFromString)
{
    const CRect rect(-5, 6, 7, 8);
    const CString text = CRect::toString(rect);
    EXPECT_STREQ("-5,6,7,8", text.getString());
    EXPECT_TRUE(CRect::fromString(text) == rect);
}
