#include "foundation/mathtools/CRect.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace Orvalite::MathTools;
using Fields = std::vector<long>;

namespace
{
// left, top, width, height, right, bottom
Fields fields(const CRect &rect)
{
    return {rect.getLeft(), rect.getTop(), rect.getWidth(), rect.getHeight(), rect.getRight(), rect.getBottom()};
}

// The fields of [5,5,10,10] after `change`.
template <class TChange> Fields changed(TChange change)
{
    CRect rect(5, 5, 10, 10);
    change(rect);
    return fields(rect);
}

Fields parsed(const char *text)
{
    return fields(CRect::fromString(Orvalite::Basics::CString(text)));
}
// "[x,y]" or "[width,height]": both values in one comparison.
template <class TObject> std::string description(const TObject &object)
{
    char buffer[32] = {};
    object.getObjectDescription(buffer, sizeof(buffer));
    return buffer;
}
} // namespace

// Right and bottom are stored rather than derived on demand, so every way of
// making or changing a rectangle has to bring them along.
TEST(Rect, EveryChangeKeepsRightAndBottomOnePastTheLastPixel)
{
    EXPECT_EQ((Fields{2, 5, 10, 10, 12, 15}), changed([](CRect &r) { r.setLeft(2); }));
    EXPECT_EQ((Fields{5, -3, 10, 10, 15, 7}), changed([](CRect &r) { r.setTop(-3); }));
    EXPECT_EQ((Fields{5, 5, 4, 10, 9, 15}), changed([](CRect &r) { r.setWidth(4); }));
    EXPECT_EQ((Fields{5, 5, 10, 0, 15, 5}), changed([](CRect &r) { r.setHeight(0); }));
    EXPECT_EQ((Fields{1, 2, 10, 10, 11, 12}), changed([](CRect &r) { r.setOrigin(CPoint(1, 2)); }));
    EXPECT_EQ((Fields{5, 5, 3, 4, 8, 9}), changed([](CRect &r) { r.setDimension(CDimension(3, 4)); }));
    EXPECT_EQ((Fields{-1, 2, 3, 4, 2, 6}), changed([](CRect &r) { r = CRect(CPoint(-1, 2), CDimension(3, 4)); }));
    EXPECT_EQ((Fields{1, 2, 10, 20, 11, 22}), changed([](CRect &r) { r.fromRECT(SPlatformRect{1, 2, 11, 22}); }));
    EXPECT_EQ((Fields{0, 12, 10, 10, 10, 22}), changed([](CRect &r) { r.offset(CPoint(-5, 7)); }));
    EXPECT_EQ((Fields{7, 7, 6, 6, 13, 13}), changed([](CRect &r) { r.inset(2); }));
    EXPECT_EQ((Fields{4, 4, 12, 12, 16, 16}), changed([](CRect &r) { r.inset(-1); }));
    // The result may be either input; disjoint rectangles give a negative size.
    EXPECT_EQ((Fields{8, 7, 7, 8, 15, 15}),
              changed([](CRect &r) { CRect::getIntersection(r, CRect(8, 7, 10, 10), r); }));
    EXPECT_EQ((Fields{20, 20, -5, -5, 15, 15}),
              changed([](CRect &r) { CRect::getIntersection(CRect(20, 20, 5, 5), r, r); }));
    // Edges wrap at 32 bits instead of overflowing.
    CRect rect(INT32_MAX, INT32_MIN, 1, -1);
    EXPECT_EQ((Fields{INT32_MAX, INT32_MIN, 1, -1, INT32_MIN, INT32_MAX}), fields(rect));
    rect.inset(INT32_MIN);
    EXPECT_EQ((Fields{-1, 0, 1, -1, 0, -1}), fields(rect));
}

TEST(Rect, CopiesEqualityCentreAndPlatformRectangle)
{
    const CRect rect(10, 20, 5, 7);
    EXPECT_EQ(fields(rect), fields(CRect(rect)));
    EXPECT_TRUE(rect == CRect(10, 20, 5, 7));
    EXPECT_FALSE(rect == CRect(0, 20, 5, 7) || rect == CRect(10, 0, 5, 7) || rect == CRect(10, 20, 0, 7) ||
                 rect == CRect(10, 20, 5, 0));
    // Half the size, truncated towards zero, past the origin.
    EXPECT_EQ(12, rect.getCentralXPosition());
    EXPECT_EQ(23, rect.getCentralYPosition());
    EXPECT_EQ(9, CRect(10, 20, -3, -5).getCentralXPosition());
    EXPECT_EQ(18, CRect(10, 20, -3, -5).getCentralYPosition());
    const SPlatformRect platform = rect.toRECT();
    EXPECT_EQ((Fields{10, 20, 15, 27}), (Fields{platform.left, platform.top, platform.right, platform.bottom}));
}

TEST(Rect, TextHoldsOriginAndSizeAndOnlyFourFieldsAreRead)
{
    char text[16];
    CRect(-5, 0, 7, -8).getObjectDescription(text, sizeof(text));
    EXPECT_STREQ("[-5,0,7,-8]", text);
    CRect(1, 2, 3, 4).getObjectDescription(text, 4);
    EXPECT_STREQ("[1,", text);
    EXPECT_STREQ("-5,6,7,8", CRect::toString(CRect(-5, 6, 7, 8)).getString());
    EXPECT_EQ((Fields{-5, 6, 7, 8, 2, 14}), parsed("-5, 6,7 ,8"));
    EXPECT_EQ((Fields{7, 0, 9, 10, 16, 10}), parsed("7,x,9,10")) << "a field that is no number reads as 0";
    for (const char *text : {"1,2,3", "1,2,3,4,5", ""})
        EXPECT_EQ(Fields(6, 0), parsed(text)) << "'" << text << "'";
}

TEST(Point, MovesWrapsAtThirtyTwoBitsCopiesAndComparesEachCoordinateApart)
{
    CPoint point(1, 2);
    point += CPoint(3, 4);
    point -= CPoint(10, 20);
    point.offset(CPoint(1, 2));
    point.offset(2, -3);
    EXPECT_EQ("[-3,-15]", description(point));
    point.setPoint(INT32_MAX, INT32_MIN);
    point.offset(1, -1);
    EXPECT_EQ("[-2147483648,2147483647]", description(point));
    point -= CPoint(INT32_MIN, INT32_MIN);
    EXPECT_EQ("[0,-1]", description(point));
    // Through the hand-written copy constructor and assignment.
    CPoint assigned;
    assigned = CPoint(point);
    EXPECT_EQ("[0,-1]", description(assigned));
    EXPECT_TRUE(point == CPoint(0, -1));
    EXPECT_FALSE(point == CPoint(0, 1));
    EXPECT_FALSE(point == CPoint(1, -1));
}

TEST(Dimension, SidesAreSetCopiedAndComparedApart)
{
    CDimension size(3, 4);
    size.setWidth(10);
    EXPECT_EQ("[10,4]", description(size));
    size.setHeight(-2);
    CDimension assigned;
    assigned = CDimension(size);
    EXPECT_EQ("[10,-2]", description(assigned));
    EXPECT_TRUE(size == CDimension(10, -2));
    EXPECT_FALSE(size == CDimension(10, 2));
    EXPECT_FALSE(size == CDimension(1, -2));
}
