#include "foundation/mathtools/CDimension.h"
#include "foundation/mathtools/CPoint.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace Orvalite::MathTools;

namespace
{
// "[x,y]" or "[width,height]": both values in one comparison.
template <class TObject> std::string description(const TObject &object)
{
    char buffer[32] = {};
    object.getObjectDescription(buffer, sizeof(buffer));
    return buffer;
}
} // namespace

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
