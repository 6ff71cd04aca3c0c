#include "foundation/mathtools/CPolygon.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace Orvalite::MathTools;

namespace
{
using Points = std::vector<std::pair<long, long>>;

const Points TRIANGLE = {{0, 0}, {10, 0}, {5, 8}};

Points points(const CPolygon &polygon)
{
    Points result;
    for (long index = 0; index < polygon.getNumberOfPoints(); ++index)
        result.emplace_back(polygon.getPoint(index)->getXPosition(), polygon.getPoint(index)->getYPosition());
    return result;
}
} // namespace

TEST(Polygon, ResizingReplacesEveryPointByOneAtTheOriginAndIndicesBeyondAreIgnored)
{
    const auto &record = CPoint::getClassRecord();
    const long before = record.getNumberOfInstances();
    {
        CPolygon polygon(40);
        polygon.setPoint(1, 4, 5);
        polygon.setNumberOfPoints(2);
        EXPECT_EQ(before + 2, record.getNumberOfInstances()) << "the replaced points are released";
        // 31 is a slot the collection holds but no point fills.
        for (const long index : {-1L, 2L, 31L})
        {
            EXPECT_EQ(nullptr, polygon.getPoint(index)) << index;
            polygon.setPoint(index, 1, 1);
            polygon.setPoint(index, CPoint(1, 1));
        }
        EXPECT_EQ(Points(2, {0, 0}), points(polygon));
    }
    EXPECT_EQ(before, record.getNumberOfInstances()) << "the points die with the polygon";
}

TEST(Polygon, CopiesAndAssignmentsTakeTheSourcesPointsIntoPointsOfTheirOwn)
{
    CPolygon source(3);
    source.setPoint(1, 10, 0);
    source.setPoint(2, CPoint(5, 8));
    for (const long before : {0L, 2L, 3L, 40L})
    {
        CPolygon target(before);
        target = source;
        EXPECT_EQ(TRIANGLE, points(target)) << "assigned over " << before << " points";
    }
    CPolygon copy(source);
    EXPECT_TRUE(copy == source);
    copy.offset(CPoint(1, -2));
    EXPECT_EQ((Points{{1, -2}, {11, -2}, {6, 6}}), points(copy));
    EXPECT_EQ(TRIANGLE, points(source));
    EXPECT_FALSE(copy == source);
    const CPolygon &alias = copy;
    copy = alias;
    EXPECT_EQ((Points{{1, -2}, {11, -2}, {6, 6}}), points(copy)) << "self-assignment";
    // Both ways round: the longer side must not read past the shorter one's points.
    EXPECT_FALSE(CPolygon(3) == CPolygon(4));
    EXPECT_FALSE(CPolygon(4) == CPolygon(3));
}
