#include "gui/graphics/CDeviceContext.h"
#include "tests/gui/graphics/CTestSurface.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>

namespace
{
using Orvalite::GUI::Graphics::CDeviceContext;
using Orvalite::GUI::Graphics::SPixelPoint;
using Orvalite::Testing::CTestSurface;

const uint32_t RED_REF = 0x0000FF;
const uint32_t RED_PIXEL = 0xFFFF0000;
const uint32_t BLUE_REF = 0xFF0000;
const uint32_t BLUE_PIXEL = 0xFF0000FF;
const int32_t HUGE_VALUE = std::numeric_limits<int32_t>::max();
const int32_t HUGE_NEGATIVE = std::numeric_limits<int32_t>::min();

void selectPen(CDeviceContext &context, uint32_t colorRef, int32_t width = 1)
{
    CDeviceContext::SPen pen;
    pen.colorRef = colorRef;
    pen.width = width;
    context.selectPen(pen);
}

void selectBrush(CDeviceContext &context, uint32_t colorRef, bool isNull = false)
{
    CDeviceContext::SBrush brush;
    brush.colorRef = colorRef;
    brush.isNull = isNull;
    context.selectBrush(brush);
}

struct SLineCase
{
    SPixelPoint from;
    SPixelPoint to;
};

TEST(DeviceContext, LinesStopBeforeTheEndPixel)
{
    const SLineCase cases[] = {
        {{2, 5}, {12, 5}}, {{12, 5}, {2, 5}}, {{5, 2}, {5, 14}}, {{5, 14}, {5, 2}}, {{1, 1}, {9, 9}},
        {{9, 1}, {1, 9}},  {{0, 0}, {15, 4}}, {{15, 4}, {0, 0}}, {{3, 15}, {6, 0}}, {{2, 2}, {3, 3}},
    };
    for (const SLineCase &line : cases)
    {
        CTestSurface surface(20, 20);
        selectPen(surface.context(), RED_REF);
        surface.context().moveTo(line.from.x, line.from.y);
        surface.context().lineTo(line.to.x, line.to.y);
        const long length = std::max(std::abs(line.to.x - line.from.x), std::abs(line.to.y - line.from.y));
        const std::string input = "(" + std::to_string(line.from.x) + "," + std::to_string(line.from.y) + ")->(" +
                                  std::to_string(line.to.x) + "," + std::to_string(line.to.y) + ")";
        EXPECT_EQ(surface.at(line.from.x, line.from.y), RED_PIXEL) << input;
        EXPECT_TRUE(surface.isBackground(line.to.x, line.to.y)) << input;
        EXPECT_EQ(surface.countNotBackground(), length) << input << ": one pixel per step of the longer axis";
        const SPixelPoint position = surface.context().getCurrentPosition();
        EXPECT_TRUE(position.x == line.to.x && position.y == line.to.y) << input;
    }
}

TEST(DeviceContext, LineToTheSamePointDrawsNothing)
{
    CTestSurface surface(10, 10);
    surface.context().moveTo(4, 4);
    surface.context().lineTo(4, 4);
    EXPECT_EQ(surface.countNotBackground(), 0);
}

TEST(DeviceContext, WidePenCoversItsWidthAcrossTheLine)
{
    CTestSurface surface(20, 20);
    selectPen(surface.context(), RED_REF, 3);
    surface.context().moveTo(2, 10);
    surface.context().lineTo(12, 10);
    for (long x = 2; x < 12; ++x)
    {
        EXPECT_EQ(surface.at(x, 9), RED_PIXEL) << x;
        EXPECT_EQ(surface.at(x, 10), RED_PIXEL) << x;
        EXPECT_EQ(surface.at(x, 11), RED_PIXEL) << x;
    }
    EXPECT_EQ(surface.countNotBackground(), 30);
}

TEST(DeviceContext, RectangleOutlinesLeftToRightMinusOneAndFillsInside)
{
    CTestSurface surface(20, 20);
    selectPen(surface.context(), RED_REF);
    selectBrush(surface.context(), BLUE_REF);
    surface.context().rectangle(0, 0, 10, 10);
    for (long i = 0; i < 10; ++i)
    {
        EXPECT_EQ(surface.at(i, 0), RED_PIXEL) << i;
        EXPECT_EQ(surface.at(i, 9), RED_PIXEL) << i;
        EXPECT_EQ(surface.at(0, i), RED_PIXEL) << i;
        EXPECT_EQ(surface.at(9, i), RED_PIXEL) << i;
    }
    EXPECT_EQ(surface.at(1, 1), BLUE_PIXEL);
    EXPECT_EQ(surface.at(8, 8), BLUE_PIXEL);
    EXPECT_EQ(surface.changedBox().right, 10);
    EXPECT_EQ(surface.changedBox().bottom, 10);
}

TEST(DeviceContext, NullPenFillsOnePixelLessAtRightAndBottom)
{
    CTestSurface surface(20, 20);
    CDeviceContext::SPen nullPen;
    nullPen.isNull = true;
    surface.context().selectPen(nullPen);
    selectBrush(surface.context(), BLUE_REF);
    surface.context().rectangle(2, 3, 12, 13);
    EXPECT_EQ(surface.countNotBackground(), 9 * 9);
    EXPECT_EQ(surface.at(2, 3), BLUE_PIXEL);
    EXPECT_TRUE(surface.isBackground(11, 12));
}

TEST(DeviceContext, FillRectExcludesRightColumnAndBottomRow)
{
    CTestSurface surface(20, 20);
    CDeviceContext::SBrush brush;
    brush.colorRef = BLUE_REF;
    surface.context().fillRect(3, 4, 8, 6, brush);
    EXPECT_EQ(surface.countNotBackground(), 5 * 2);
    EXPECT_EQ(surface.changedBox().left, 3);
    EXPECT_EQ(surface.changedBox().right, 8);
    EXPECT_EQ(surface.changedBox().bottom, 6);
}

TEST(DeviceContext, EllipseStaysInItsBoxAndIsSymmetric)
{
    CTestSurface surface(30, 30);
    selectPen(surface.context(), RED_REF);
    selectBrush(surface.context(), BLUE_REF);
    surface.context().ellipse(5, 5, 25, 19);
    const auto box = surface.changedBox();
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.top, 5);
    EXPECT_EQ(box.right, 25);
    EXPECT_EQ(box.bottom, 19);
    EXPECT_TRUE(surface.isBackground(5, 5)) << "corners are outside the ellipse";
    EXPECT_EQ(surface.at(15, 12), BLUE_PIXEL) << "the centre is filled";
    for (long y = 5; y < 19; ++y)
    {
        for (long x = 5; x < 25; ++x)
        {
            ASSERT_EQ(surface.at(x, y), surface.at(29 - x, y)) << x << "," << y;
            ASSERT_EQ(surface.at(x, y), surface.at(x, 23 - y)) << x << "," << y;
        }
    }
}

TEST(DeviceContext, ArcDrawsOnlyTheSweptQuarter)
{
    CTestSurface surface(30, 30);
    selectPen(surface.context(), RED_REF);
    // Counter-clockwise from the ray to the right to the ray upwards: the top-right quarter.
    surface.context().arc(5, 5, 25, 25, {30, 15}, {15, 0}, CDeviceContext::e_counterClockwise);
    const auto box = surface.changedBox();
    EXPECT_GE(box.left, 15);
    EXPECT_LE(box.bottom, 15);
    EXPECT_GT(surface.countNotBackground(), 10);
    CTestSurface clockwise(30, 30);
    selectPen(clockwise.context(), RED_REF);
    clockwise.context().arc(5, 5, 25, 25, {30, 15}, {15, 0}, CDeviceContext::e_clockwise);
    EXPECT_GT(clockwise.countNotBackground(), 2 * surface.countNotBackground()) << "the other three quarters";
}

TEST(DeviceContext, PolygonFillsAlternateAndClosesItsOutline)
{
    CTestSurface surface(40, 40);
    CDeviceContext::SPen nullPen;
    nullPen.isNull = true;
    surface.context().selectPen(nullPen);
    selectBrush(surface.context(), BLUE_REF);
    // Two overlapping squares drawn as one figure: the overlap is crossed twice and stays empty.
    surface.context().polygon({{0, 0}, {20, 0}, {20, 20}, {10, 20}, {10, 10}, {30, 10}, {30, 30}, {0, 30}});
    EXPECT_EQ(surface.at(5, 5), BLUE_PIXEL);
    EXPECT_EQ(surface.at(25, 25), BLUE_PIXEL);
    EXPECT_TRUE(surface.isBackground(15, 15));
    CTestSurface outlined(20, 20);
    selectPen(outlined.context(), RED_REF);
    selectBrush(outlined.context(), BLUE_REF, true);
    outlined.context().polygon({{2, 2}, {12, 2}, {12, 12}});
    EXPECT_EQ(outlined.at(2, 2), RED_PIXEL);
    EXPECT_EQ(outlined.at(12, 12), RED_PIXEL) << "every corner is the start of an edge";
    EXPECT_EQ(outlined.at(7, 7), RED_PIXEL) << "the closing edge is drawn";
}

TEST(DeviceContext, ClipRectangleKeepsEveryPrimitiveInside)
{
    CTestSurface surface(40, 40);
    selectPen(surface.context(), RED_REF, 2);
    selectBrush(surface.context(), BLUE_REF);
    surface.context().setClipBox({10, 10, 20, 20});
    CDeviceContext &context = surface.context();
    context.moveTo(0, 0);
    context.lineTo(39, 39);
    context.rectangle(5, 5, 35, 35);
    context.ellipse(0, 0, 40, 40);
    context.polygon({{0, 15}, {40, 12}, {30, 39}});
    context.setPixel(5, 5, RED_REF);
    context.bitBlt(0, 0, 40, 40, surface.bitmap(), 1, 1);
    const auto box = surface.changedBox();
    EXPECT_GE(box.left, 10);
    EXPECT_GE(box.top, 10);
    EXPECT_LE(box.right, 20);
    EXPECT_LE(box.bottom, 20);
    EXPECT_GT(surface.countNotBackground(), 0);
    EXPECT_EQ(context.getPixel(5, 5), 0xFFFFFFFFu) << "reads outside the clip are invalid";
}

struct SBoxCase
{
    int32_t left, top, right, bottom;
};

// Boxes and lines far off the surface, reversed or reaching the ends of the
// 32-bit range clip without touching memory outside the surface.
TEST(DeviceContext, HugeNegativeAndReversedCoordinatesClip)
{
    const SBoxCase cases[] = {
        {HUGE_NEGATIVE, HUGE_NEGATIVE, HUGE_VALUE, HUGE_VALUE},
        {-5, -5, 5, 5},
        {15, 15, 40, 40},
        {10, 10, 2, 2},
        {HUGE_VALUE - 1, 0, HUGE_VALUE, 10},
        {HUGE_NEGATIVE, 3, -HUGE_VALUE, 7},
        {0, HUGE_NEGATIVE, 20, 0},
    };
    for (const SBoxCase &entry : cases)
    {
        const std::string input = std::to_string(entry.left) + "," + std::to_string(entry.top) + "," +
                                  std::to_string(entry.right) + "," + std::to_string(entry.bottom);
        CTestSurface surface(20, 20);
        CDeviceContext &context = surface.context();
        selectPen(context, RED_REF);
        selectBrush(context, BLUE_REF);
        context.rectangle(entry.left, entry.top, entry.right, entry.bottom);
        context.roundRect(entry.left, entry.top, entry.right, entry.bottom, 8, 8);
        context.ellipse(entry.left, entry.top, entry.right, entry.bottom);
        context.arc(entry.left, entry.top, entry.right, entry.bottom, {0, 0}, {0, 0}, CDeviceContext::e_clockwise);
        context.fillRect(entry.left, entry.top, entry.right, entry.bottom, context.getBrush());
        context.moveTo(entry.left, entry.top);
        context.lineTo(entry.right, entry.bottom);
        selectPen(context, RED_REF, 5);
        context.lineTo(entry.left, entry.bottom);
        context.polygon({{entry.left, entry.top}, {entry.right, entry.top}, {entry.left, entry.bottom}});
        context.stretchBlt(entry.left, entry.top, entry.right, entry.bottom, surface.bitmap(), entry.left, entry.top,
                           entry.right, entry.bottom);
        context.alphaBlend(entry.left, entry.top, entry.right, entry.bottom, surface.bitmap(), 0, 0, 20, 20, 200);
        SUCCEED() << input;
    }
}

TEST(DeviceContext, HugeLineThroughTheSurfaceHitsTheRightPixels)
{
    CTestSurface surface(20, 20);
    selectPen(surface.context(), RED_REF);
    surface.context().moveTo(HUGE_NEGATIVE, 10);
    surface.context().lineTo(HUGE_VALUE, 10);
    EXPECT_EQ(surface.countNotBackground(), 20);
    for (long x = 0; x < 20; ++x)
    {
        EXPECT_EQ(surface.at(x, 10), RED_PIXEL) << x;
    }
}

TEST(DeviceContext, WithoutBitmapNothingIsDrawnAndReadsAreInvalid)
{
    CDeviceContext context;
    context.lineTo(10, 10);
    context.rectangle(0, 0, 10, 10);
    EXPECT_EQ(context.getPixel(0, 0), 0xFFFFFFFFu);
    EXPECT_TRUE(context.getWritableBox().isEmpty());
}

TEST(DeviceContext, BlendPixelMixesByTheExactRule)
{
    CTestSurface surface(4, 4, 0xFF000000);
    surface.context().blendPixel(1, 1, 0xFFFFFF, 128);
    EXPECT_EQ(surface.at(1, 1), 0xFF808080u);
    surface.context().blendPixel(2, 2, 0x0000FF, 0);
    EXPECT_EQ(surface.at(2, 2), 0xFF000000u);
}
} // namespace
