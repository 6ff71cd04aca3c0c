#include "foundation/mathtools/CPolygon.h"
#include "foundation/mathtools/CRect.h"

#include "tests/foundation/FoundationTestSupport.h"

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

// "[x,y]", "[width,height]" or "[left,top,width,height]": every value in one comparison.
template <class TObject> std::string description(const TObject &object, size_t size = 32)
{
    char buffer[32] = {};
    object.getObjectDescription(buffer, size);
    return buffer;
}
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

// Right and bottom are stored, not derived, so every way of making or changing a rectangle must keep them.
TEST(Rect, EveryChangeKeepsTheFarEdgesOnePastTheLastPixel)
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
    EXPECT_EQ((Fields{5, 5, 10, 10, 15, 15}), changed([](CRect &r) { r = CRect(r); }));
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

// Each field on its own decides, so a comparison that skips one is caught.
TEST(Geometry, EqualityComparesEveryField)
{
    EXPECT_TRUE(CRect(10, 20, 5, 7) == CRect(10, 20, 5, 7));
    for (const CRect &other : {CRect(0, 20, 5, 7), CRect(10, 0, 5, 7), CRect(10, 20, 0, 7), CRect(10, 20, 5, 0)})
        EXPECT_FALSE(CRect(10, 20, 5, 7) == other) << description(other);
    EXPECT_TRUE(CPoint(0, -1) == CPoint(0, -1));
    for (const CPoint &other : {CPoint(0, 1), CPoint(1, -1)})
        EXPECT_FALSE(CPoint(0, -1) == other) << description(other);
    EXPECT_TRUE(CDimension(10, -2) == CDimension(10, -2));
    for (const CDimension &other : {CDimension(10, 2), CDimension(1, -2)})
        EXPECT_FALSE(CDimension(10, -2) == other) << description(other);
}

TEST(Rect, TextFormsHoldAllFourFields)
{
    EXPECT_EQ("[-5,0,7,-8]", description(CRect(-5, 0, 7, -8)));
    EXPECT_EQ("[1,", description(CRect(1, 2, 3, 4), 4)) << "cut to the caller's buffer";
    EXPECT_STREQ("-5,6,7,8", CRect::toString(CRect(-5, 6, 7, 8)).getString());
}

TEST(Rect, ParsingReadsExactlyFourFields)
{
    EXPECT_EQ((Fields{-5, 6, 7, 8, 2, 14}), parsed("-5, 6,7 ,8"));
    EXPECT_EQ((Fields{7, 0, 9, 10, 16, 10}), parsed("7,x,9,10")) << "a field that is no number reads as 0";
    for (const char *text : {"1,2,3", "1,2,3,4,5", ""})
        EXPECT_EQ(Fields(6, 0), parsed(text)) << "'" << text << "'";
}

TEST(Point, MovesWrapAtThirtyTwoBits)
{
    CPoint point(INT32_MAX, INT32_MIN);
    point.offset(1, -1);
    EXPECT_EQ("[-2147483648,2147483647]", description(point));
    point -= CPoint(INT32_MIN, INT32_MIN);
    EXPECT_EQ("[0,-1]", description(point));
    point += CPoint(INT32_MIN, 1);
    point.offset(CPoint(-1, 0));
    EXPECT_EQ("[2147483647,0]", description(point));
}

TEST(Polygon, ResizingReplacesEveryPointByOneAtTheOrigin)
{
    const auto &record = CPoint::getClassRecord();
    const long before = record.getNumberOfInstances();
    {
        CPolygon polygon(40);
        polygon.setPoint(1, 4, 5);
        polygon.setNumberOfPoints(2);
        EXPECT_EQ(before + 2, record.getNumberOfInstances()) << "the replaced points are released";
        EXPECT_EQ(Points(2, {0, 0}), points(polygon));
    }
    EXPECT_EQ(before, record.getNumberOfInstances()) << "the points die with the polygon";
}

TEST(Polygon, IndicesOutsideThePointsAreIgnored)
{
    CPolygon polygon(40);
    polygon.setNumberOfPoints(2);
    // 31 is a slot the collection holds and filled before the resize.
    for (const long index : {-1L, 2L, 31L})
    {
        EXPECT_EQ(nullptr, polygon.getPoint(index)) << index;
        polygon.setPoint(index, 1, 1);
        polygon.setPoint(index, CPoint(1, 1));
    }
    EXPECT_EQ(Points(2, {0, 0}), points(polygon));
}

TEST(Polygon, CopiesTakeTheSourcesPointsIntoPointsOfTheirOwn)
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
