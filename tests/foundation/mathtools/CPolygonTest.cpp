#include "foundation/mathtools/CPolygon.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace Orvalite::MathTools;

namespace
{
std::vector<std::pair<long, long>> points(const CPolygon &polygon)
{
    std::vector<std::pair<long, long>> result;
    for (long index = 0; index < polygon.getNumberOfPoints(); ++index)
    {
        result.emplace_back(polygon.getPoint(index)->getXPosition(), polygon.getPoint(index)->getYPosition());
    }
    return result;
}

long livePoints()
{
    return CPoint::getClassRecord().getNumberOfInstances();
}

CPolygon triangle()
{
    CPolygon polygon(3);
    polygon.setPoint(0, 0, 0);
    polygon.setPoint(1, CPoint(10, 0));
    polygon.setPoint(2, 5, 8);
    return polygon;
}
} // namespace

TEST(Polygon, NewPointsStartAtTheOrigin)
{
    EXPECT_EQ(0, CPolygon().getNumberOfPoints());
    CPolygon polygon(3);
    EXPECT_EQ((std::vector<std::pair<long, long>>(3, {0, 0})), points(polygon));
    polygon.setPoint(1, 4, 5);
    polygon.setNumberOfPoints(2);
    EXPECT_EQ((std::vector<std::pair<long, long>>(2, {0, 0})), points(polygon)) << "resizing starts afresh";
}

TEST(Polygon, IndicesOutsideThePointsAreIgnored)
{
    CPolygon polygon = triangle();
    EXPECT_EQ(nullptr, polygon.getPoint(-1));
    EXPECT_EQ(nullptr, polygon.getPoint(3));
    EXPECT_EQ(nullptr, polygon.getPoint(31)) << "a slot of the collection that holds no point";
    polygon.setPoint(3, 1, 1);
    polygon.setPoint(-1, CPoint(1, 1));
    EXPECT_EQ((std::vector<std::pair<long, long>>{{0, 0}, {10, 0}, {5, 8}}), points(polygon));
}

TEST(Polygon, OffsetMovesEveryPoint)
{
    CPolygon polygon = triangle();
    polygon.offset(CPoint(1, -2));
    EXPECT_EQ((std::vector<std::pair<long, long>>{{1, -2}, {11, -2}, {6, 6}}), points(polygon));
}

TEST(Polygon, CopiesAreEqualButOwnTheirPoints)
{
    const CPolygon original = triangle();
    CPolygon copy(original);
    EXPECT_TRUE(copy == original);
    EXPECT_NE(original.getPoint(0), copy.getPoint(0));
    copy.setPoint(2, 5, 9);
    EXPECT_FALSE(copy == original);
    EXPECT_EQ((std::vector<std::pair<long, long>>{{0, 0}, {10, 0}, {5, 8}}), points(original));
}

TEST(Polygon, AssignmentTakesTheSourcesPointCount)
{
    const CPolygon source = triangle();
    for (long before : {0L, 2L, 3L, 40L})
    {
        CPolygon target(before);
        target = source;
        EXPECT_TRUE(target == source) << "from " << before << " points";
    }
    CPolygon self = triangle();
    const CPolygon &alias = self;
    self = alias;
    EXPECT_TRUE(self == triangle()) << "self-assignment keeps the points";
}

TEST(Polygon, DifferentPointCountsAreNotEqual)
{
    CPolygon longer(4);
    EXPECT_FALSE(CPolygon(3) == longer);
    EXPECT_FALSE(longer == CPolygon(3));
    EXPECT_TRUE(CPolygon() == CPolygon(0));
}

TEST(Polygon, PointsDieWithThePolygonOrWhenReplaced)
{
    const long before = livePoints();
    {
        CPolygon polygon(40);
        EXPECT_EQ(before + 40, livePoints());
        polygon.setNumberOfPoints(1);
        EXPECT_EQ(before + 1, livePoints());
    }
    EXPECT_EQ(before, livePoints());
}

TEST(Polygon, RecordNamesTheClassAndItsParent)
{
    EXPECT_STREQ("CPolygon", CPolygon().getClass().getClassName());
    EXPECT_STREQ("CCountedObject", CPolygon().getClass().getParentClassName());
}
