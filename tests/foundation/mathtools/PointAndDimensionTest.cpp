#include "foundation/mathtools/CDimension.h"
#include "foundation/mathtools/CPoint.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

using namespace Orvalite::MathTools;

namespace
{
std::pair<long, long> coordinates(const CPoint &point)
{
    return {point.getXPosition(), point.getYPosition()};
}

template <class TObject> std::string description(const TObject &object)
{
    char buffer[32] = {};
    object.getObjectDescription(buffer, sizeof(buffer));
    return buffer;
}
} // namespace

TEST(Point, OffsetsAndOperatorsMoveBothCoordinates)
{
    CPoint point(1, 2);
    point += CPoint(3, 4);
    EXPECT_EQ(std::make_pair(4L, 6L), coordinates(point));
    point -= CPoint(10, 10);
    EXPECT_EQ(std::make_pair(-6L, -4L), coordinates(point));
    point.offset(CPoint(1, 1));
    point.offset(2, -2);
    EXPECT_EQ(std::make_pair(-3L, -5L), coordinates(point));
    point.setPoint(7, 8);
    EXPECT_EQ(std::make_pair(7L, 8L), coordinates(point));
}

TEST(Point, CoordinatesWrapAtThirtyTwoBitsInsteadOfOverflowing)
{
    CPoint point(INT32_MAX, INT32_MIN);
    point.offset(1, -1);
    EXPECT_EQ(std::make_pair(long{INT32_MIN}, long{INT32_MAX}), coordinates(point));
    point -= CPoint(INT32_MIN, INT32_MIN);
    EXPECT_EQ(std::make_pair(0L, -1L), coordinates(point));
}

TEST(Point, EqualityNeedsBothCoordinates)
{
    EXPECT_TRUE(CPoint(3, -4) == CPoint(3, -4));
    EXPECT_FALSE(CPoint(3, -4) == CPoint(3, 4));
    EXPECT_FALSE(CPoint(3, -4) == CPoint(-3, -4));
    CPoint copy(CPoint(5, 6));
    CPoint assigned;
    assigned = copy;
    EXPECT_TRUE(assigned == CPoint(5, 6));
    EXPECT_TRUE(CPoint() == CPoint(0, 0));
}

TEST(Point, DescriptionListsTheCoordinates)
{
    EXPECT_EQ("[3,-4]", description(CPoint(3, -4)));
}

TEST(Dimension, SettersChangeOnlyTheirSide)
{
    CDimension size(3, 4);
    size.setWidth(10);
    EXPECT_EQ(10, size.getWidth());
    EXPECT_EQ(4, size.getHeight());
    size.setHeight(-2);
    EXPECT_EQ(10, size.getWidth());
    EXPECT_EQ(-2, size.getHeight());
    size.setDimension(7, 8);
    EXPECT_TRUE(size == CDimension(7, 8));
    EXPECT_FALSE(size == CDimension(7, 9));
    EXPECT_FALSE(size == CDimension(6, 8));
    CDimension assigned;
    EXPECT_TRUE(assigned == CDimension(0, 0));
    assigned = CDimension(size);
    EXPECT_TRUE(assigned == size);
    EXPECT_EQ("[7,8]", description(size));
}

TEST(PointAndDimension, RecordsNameTheClassAndItsParent)
{
    EXPECT_STREQ("CPoint", CPoint().getClass().getClassName());
    EXPECT_STREQ("CCountedObject", CPoint().getClass().getParentClassName());
    EXPECT_STREQ("CDimension", CDimension().getClass().getClassName());
    EXPECT_STREQ("CCountedObject", CDimension().getClass().getParentClassName());
}
