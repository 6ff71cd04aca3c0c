// The device context's own primitives that CGraphics does not reach with every
// option: wide pens, outlined ellipses and arcs, and a context without a bitmap.
#include "gui/graphics/CDeviceContext.h"
#include "tests/gui/graphics/CTestSurface.h"

#include <gtest/gtest.h>

namespace
{
using Orvalite::GUI::Graphics::CDeviceContext;
using Orvalite::Testing::CTestSurface;

const uint32_t RED_REF = 0x0000FF;
const uint32_t RED_PIXEL = 0xFFFF0000;
const uint32_t BLUE_REF = 0xFF0000;
const uint32_t BLUE_PIXEL = 0xFF0000FF;

void selectPenAndBrush(CDeviceContext &context, int32_t penWidth = 1)
{
    CDeviceContext::SPen pen;
    pen.colorRef = RED_REF;
    pen.width = penWidth;
    context.selectPen(pen);
    CDeviceContext::SBrush brush;
    brush.colorRef = BLUE_REF;
    context.selectBrush(brush);
}

TEST(DeviceContext, WidePenCoversItsWidthAcrossTheLine)
{
    CTestSurface surface(20, 20);
    selectPenAndBrush(surface.context(), 3);
    surface.context().moveTo(2, 10);
    surface.context().lineTo(12, 10);
    for (long x = 2; x < 12; ++x)
    {
        EXPECT_TRUE(surface.at(x, 9) == RED_PIXEL && surface.at(x, 10) == RED_PIXEL && surface.at(x, 11) == RED_PIXEL)
            << x;
    }
    EXPECT_EQ(surface.countNotBackground(), 30);
}

TEST(DeviceContext, EllipseStaysInItsBoxAndIsSymmetric)
{
    CTestSurface surface(30, 30);
    selectPenAndBrush(surface.context());
    surface.context().ellipse(5, 5, 25, 19);
    const auto box = surface.changedBox();
    EXPECT_TRUE(box.left == 5 && box.top == 5 && box.right == 25 && box.bottom == 19);
    EXPECT_TRUE(surface.isBackground(5, 5)) << "corners are outside the ellipse";
    EXPECT_EQ(surface.at(15, 12), BLUE_PIXEL) << "the centre is filled";
    EXPECT_EQ(surface.at(5, 12), RED_PIXEL) << "the outline is drawn in the pen";
    for (long y = 5; y < 19; ++y)
    {
        for (long x = 5; x < 25; ++x)
        {
            ASSERT_EQ(surface.at(x, y), surface.at(29 - x, y)) << x << "," << y;
            ASSERT_EQ(surface.at(x, y), surface.at(x, 23 - y)) << x << "," << y;
        }
    }
}

TEST(DeviceContext, ArcDrawsOnlyTheSweptPart)
{
    long counts[2] = {};
    for (const auto direction : {CDeviceContext::e_counterClockwise, CDeviceContext::e_clockwise})
    {
        CTestSurface surface(30, 30);
        selectPenAndBrush(surface.context());
        // From the ray to the right to the ray upwards: counter-clockwise the top-right quarter.
        surface.context().arc(5, 5, 25, 25, {30, 15}, {15, 0}, direction);
        counts[direction == CDeviceContext::e_clockwise] = surface.countNotBackground();
        if (direction == CDeviceContext::e_counterClockwise)
        {
            EXPECT_TRUE(surface.changedBox().left >= 15 && surface.changedBox().bottom <= 15);
        }
    }
    EXPECT_GT(counts[0], 10);
    EXPECT_GT(counts[1], 2 * counts[0]) << "clockwise: the other three quarters";
}

TEST(DeviceContext, ReadsOutsideTheClipOrWithoutBitmapAreInvalid)
{
    CTestSurface surface(20, 20, CTestSurface::BLACK);
    surface.context().setClipBox({10, 10, 20, 20});
    EXPECT_EQ(surface.context().getPixel(5, 5), 0xFFFFFFFFu);
    EXPECT_EQ(surface.context().getPixel(15, 15), 0u) << "black as a colour reference";
    CDeviceContext context;
    context.lineTo(10, 10);
    context.rectangle(0, 0, 10, 10);
    EXPECT_EQ(context.getPixel(0, 0), 0xFFFFFFFFu);
    EXPECT_TRUE(context.getWritableBox().isEmpty());
}
} // namespace
