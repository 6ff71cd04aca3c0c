// CGraphics without the anti-aliased renderer: every operation on its plain path.
#include "tests/gui/graphics/CTestImage.h"

#include "gui/fonts/CFont.h"
#include "gui/graphics/CGraphics.h"
#include "tests/gui/graphics/CTestSurface.h"

#include <gtest/gtest.h>
#include <limits>

namespace
{
using Orvalite::GUI::Basics::CAlphaColour;
using Orvalite::GUI::Graphics::CBitmap;
using Orvalite::GUI::Graphics::CGraphics;
using Orvalite::MathTools::CDimension;
using Orvalite::MathTools::CPoint;
using Orvalite::MathTools::CPolygon;
using Orvalite::MathTools::CRect;
using Orvalite::Testing::CTestImage;
using Orvalite::Testing::CTestSurface;

const long WINDOW = 1;
const uint32_t WHITE = 0xFFFFFFFF;

class CGraphicsPlain : public testing::Test
{
protected:
    void SetUp() override { m_graphics.initialise(WINDOW, nullptr, CDimension(40, 40)); }
    void TearDown() override { m_graphics.uninitialise(); }

    const CBitmap &pixels() { return m_graphics.getNativeImage()->getBitmap(); }
    uint32_t at(long x, long y) { return pixels().getPixel(x, y); }
    long countNotWhite()
    {
        long total = 0;
        for (long y = 0; y < pixels().getHeight(); ++y)
        {
            for (long x = 0; x < pixels().getWidth(); ++x)
            {
                total += at(x, y) != WHITE ? 1 : 0;
            }
        }
        return total;
    }

    CGraphics m_graphics{false};
};

CPolygon polygonOf(std::initializer_list<CPoint> points)
{
    CPolygon polygon(static_cast<long>(points.size()));
    long index = 0;
    for (const CPoint &point : points)
    {
        polygon.setPoint(index++, point);
    }
    return polygon;
}

TEST_F(CGraphicsPlain, StartsWithoutRendererOnAWhiteBackBuffer)
{
    EXPECT_FALSE(m_graphics.hasAntiAliasedRenderer());
    EXPECT_EQ(countNotWhite(), 0);
}

TEST_F(CGraphicsPlain, RectangleOutlineCoversZeroToNine)
{
    m_graphics.drawRectangle(CRect(0, 0, 10, 10));
    for (long i = 0; i < 10; ++i)
    {
        EXPECT_EQ(at(i, 0), 0xFF000000u) << i;
        EXPECT_EQ(at(i, 9), 0xFF000000u) << i;
        EXPECT_EQ(at(0, i), 0xFF000000u) << i;
        EXPECT_EQ(at(9, i), 0xFF000000u) << i;
    }
    EXPECT_EQ(countNotWhite(), 36) << "outline only, nothing at 10";
}

TEST_F(CGraphicsPlain, FillRectangleCoversWidthByHeight)
{
    m_graphics.getBrush()->setColour(CAlphaColour::RED);
    m_graphics.fillRectangle(CRect(2, 3, 10, 5));
    EXPECT_EQ(countNotWhite(), 50);
    EXPECT_EQ(at(2, 3), CBitmap::pack(243, 32, 32, 255));
    EXPECT_EQ(at(11, 7), CBitmap::pack(243, 32, 32, 255));
}

TEST_F(CGraphicsPlain, LinesExcludeTheirEndPixel)
{
    m_graphics.drawLine(CPoint(1, 1), CPoint(11, 1));
    EXPECT_EQ(countNotWhite(), 10);
    EXPECT_EQ(at(11, 1), WHITE);
    m_graphics.drawPolyLine(polygonOf({CPoint(1, 5), CPoint(5, 5), CPoint(5, 9)}));
    EXPECT_EQ(countNotWhite(), 18) << "the poly line is not closed and its last point stays empty";
    EXPECT_EQ(at(5, 9), WHITE);
}

TEST_F(CGraphicsPlain, AntiAliasedPolyLineOfTwoPointsDrawsNothing)
{
    m_graphics.drawAntiAliasedPolyLine(polygonOf({CPoint(0, 0), CPoint(30, 20)}));
    EXPECT_EQ(countNotWhite(), 0);
    m_graphics.drawAntiAliasedPolyLine(polygonOf({CPoint(0, 0), CPoint(30, 20), CPoint(30, 30)}));
    EXPECT_GT(countNotWhite(), 0);
}

TEST_F(CGraphicsPlain, SoftwareAntiAliasedLineSplitsFullCoverageBetweenTwoPixels)
{
    m_graphics.drawAntiAliasedLine(CPoint(2, 2), CPoint(32, 12));
    EXPECT_EQ(at(2, 2), 0xFF000000u);
    EXPECT_EQ(at(32, 12), 0xFF000000u);
    for (long x = 3; x < 32; ++x)
    {
        long darkness = 0;
        for (long y = 0; y < 40; ++y)
        {
            darkness += 255 - static_cast<long>(CBitmap::redOf(at(x, y)));
        }
        EXPECT_NEAR(darkness, 255, 1) << "column " << x;
    }
}

TEST_F(CGraphicsPlain, SoftwareAntiAliasedStraightLinesAreNotBlended)
{
    m_graphics.drawAntiAliasedLine(CPoint(1, 1), CPoint(20, 1));
    m_graphics.drawAntiAliasedLine(CPoint(1, 5), CPoint(1, 30));
    m_graphics.drawAntiAliasedLine(CPoint(5, 5), CPoint(25, 25));
    EXPECT_EQ(countNotWhite(), 20 + 26 + 21) << "every pixel end to end";
    EXPECT_EQ(at(15, 15), 0xFF000000u);
}

TEST_F(CGraphicsPlain, AlphaPixelBlendsThePenColour)
{
    m_graphics.getPen()->setColour(CAlphaColour::BLACK);
    m_graphics.drawAlphaPixel(CPoint(3, 3), 128);
    EXPECT_EQ(at(3, 3), 0xFF7F7F7Fu);
    m_graphics.drawAlphaPixel(CPoint(4, 4), 1000);
    EXPECT_EQ(at(4, 4), 0xFF000000u) << "weights above 255 count as 255";
}

TEST_F(CGraphicsPlain, GradientRowsRiseToWhiteAtTheMiddleAndFallBack)
{
    const CAlphaColour penColour(55, 155, 250, 255);
    m_graphics.getPen()->setColour(penColour);
    m_graphics.setDrawingOffset(CPoint(3, 4));
    m_graphics.drawGradientRectangle(CRect(20, 20, 12, 10));
    // Height 10: five rows up by (255 − c) / 5, then back down by the same step.
    const long steps[] = {0, 1, 2, 3, 4, 5, 4, 3, 2, 1};
    for (long row = 0; row < 10; ++row)
    {
        const uint32_t expected = CBitmap::pack(55 + 40 * steps[row], 155 + 20 * steps[row], 250 + 1 * steps[row], 255);
        EXPECT_EQ(at(23, 24 + row), expected) << "row " << row;
        EXPECT_EQ(at(34, 24 + row), expected) << "row " << row;
    }
    EXPECT_EQ(countNotWhite(), 12 * 9) << "rows start at the rectangle moved by the drawing offset, each the "
                                          "rectangle's width; the middle row is white";
    EXPECT_EQ(m_graphics.getPen()->getColour(), penColour);
}

TEST_F(CGraphicsPlain, GradientBelowTwoRowsDrawsNothing)
{
    m_graphics.drawGradientRectangle(CRect(0, 0, 10, 1));
    EXPECT_EQ(countNotWhite(), 0);
}

TEST_F(CGraphicsPlain, RaisedAndSunkenBevelsLightAndDarkInsideTheBorder)
{
    const CAlphaColour brush(100, 100, 100, 255);
    CAlphaColour light = brush;
    light.lighten();
    CAlphaColour dark = brush;
    dark.darken();
    for (const bool raised : {true, false})
    {
        m_graphics.getBrush()->setColour(brush);
        m_graphics.getPen()->setColour(CAlphaColour::RED);
        const CRect rect(raised ? 0 : 20, 0, 12, 10);
        const long left = rect.getLeft();
        raised ? m_graphics.drawRaisedRectangle(rect) : m_graphics.drawSunkenRectangle(rect);
        const uint32_t lightPixel = CBitmap::pack(light.getRed(), light.getGreen(), light.getBlue(), 255);
        const uint32_t darkPixel = CBitmap::pack(dark.getRed(), dark.getGreen(), dark.getBlue(), 255);
        EXPECT_EQ(at(left + 5, 1), raised ? lightPixel : darkPixel) << "top, raised " << raised;
        EXPECT_EQ(at(left + 1, 5), raised ? lightPixel : darkPixel) << "left, raised " << raised;
        EXPECT_EQ(at(left + 5, 8), raised ? darkPixel : lightPixel) << "bottom, raised " << raised;
        EXPECT_EQ(at(left + 10, 5), raised ? darkPixel : lightPixel) << "right, raised " << raised;
        EXPECT_EQ(at(left + 5, 0), CBitmap::pack(243, 32, 32, 255)) << "border, raised " << raised;
        EXPECT_EQ(at(left + 5, 5), CBitmap::pack(100, 100, 100, 255)) << "inside, raised " << raised;
        EXPECT_EQ(m_graphics.getPen()->getColour(), CAlphaColour::RED);
        EXPECT_EQ(m_graphics.getBrush()->getColour(), brush);
    }
}

TEST_F(CGraphicsPlain, ClipLimitsDrawingAndClearingItRemovesIt)
{
    m_graphics.getClip()->setClip(CRect(10, 10, 5, 5));
    m_graphics.getBrush()->setColour(CAlphaColour::BLACK);
    m_graphics.fillRectangle(CRect(0, 0, 40, 40));
    EXPECT_EQ(countNotWhite(), 25);
    m_graphics.getClip()->clearClip();
    m_graphics.fillRectangle(CRect(0, 0, 40, 40));
    EXPECT_EQ(countNotWhite(), 1600);
}

TEST_F(CGraphicsPlain, HugeAndNegativeRectanglesWithOffsetsClip)
{
    const long big = std::numeric_limits<int32_t>::max();
    const long small = std::numeric_limits<int32_t>::min();
    const CRect rects[] = {CRect(small, small, big, big), CRect(big - 5, big - 5, 100, 100), CRect(10, 10, -20, -30),
                           CRect(-100, 5, big, 10), CRect(0, 0, big, big)};
    for (const CRect &rect : rects)
    {
        for (const CPoint &offset : {CPoint(0, 0), CPoint(big, big), CPoint(small, 5)})
        {
            m_graphics.setDrawingOffset(offset);
            m_graphics.drawRectangle(rect);
            m_graphics.fillRectangle(rect);
            m_graphics.fillEllipse(rect);
            m_graphics.fillRoundedRectangle(rect, CDimension(big, big));
            m_graphics.drawRoundedRectangle(rect, CDimension(6, 6));
            m_graphics.drawEllipse(rect);
            m_graphics.drawRaisedRectangle(rect);
            m_graphics.drawGradientRectangle(rect);
            m_graphics.drawAntiAliasedLine(CPoint(rect.getLeft(), rect.getTop()), CPoint(big, small));
            m_graphics.drawLine(CPoint(small, small), CPoint(big, big));
        }
    }
    SUCCEED() << "nothing was written outside the surface (checked by the sanitizers)";
}

TEST_F(CGraphicsPlain, ImageOfTheDestinationSizeIsCopiedOneToOne)
{
    CTestImage *image = new CTestImage(10, 8, false, [](long x, long y) {
        return CBitmap::pack(static_cast<uint32_t>(x * 20), static_cast<uint32_t>(y * 20), 0, 255);
    });
    image->referenced();
    m_graphics.drawImage(image, CRect(5, 5, 10, 8), CRect(2, 1, 10, 8));
    EXPECT_EQ(at(5, 5), image->getImageHandle()->getPixel(2, 1));
    EXPECT_EQ(at(12, 11), image->getImageHandle()->getPixel(9, 7));
    EXPECT_EQ(at(13, 5), WHITE) << "source pixels beyond the image are not drawn";
    image->dereference();
}

TEST_F(CGraphicsPlain, ImageOfAnotherSizeStretchesTheWholeSourceRectangle)
{
    CTestImage *image = new CTestImage(4, 4, false, [](long x, long y) {
        return CBitmap::pack(static_cast<uint32_t>(x * 50), static_cast<uint32_t>(y * 50), 0, 255);
    });
    image->referenced();
    m_graphics.drawImage(image, CRect(0, 0, 8, 8), CRect(2, 2, 2, 2));
    EXPECT_EQ(countNotWhite(), 64);
    EXPECT_EQ(at(0, 0), image->getImageHandle()->getPixel(2, 2));
    EXPECT_EQ(at(3, 3), image->getImageHandle()->getPixel(2, 2));
    EXPECT_EQ(at(4, 7), image->getImageHandle()->getPixel(3, 3));
    image->dereference();
}

TEST_F(CGraphicsPlain, AlphaImageAtHalfUsesConstantAlpha127)
{
    CTestImage *image = new CTestImage(4, 4, true, [](long, long) { return 0xFF000000u; });
    image->referenced();
    m_graphics.drawAlphaImage(image, CRect(0, 0, 4, 4), CRect(0, 0, 4, 4), 0.5);
    EXPECT_EQ(at(1, 1), 0xFF808080u) << "255 − 127 of white stays";
    m_graphics.drawImage(image, CRect(10, 10, 4, 4), CRect(0, 0, 4, 4));
    EXPECT_EQ(at(11, 11), 0xFF000000u) << "drawImage blends an alpha image at full alpha";
    image->dereference();
}

TEST_F(CGraphicsPlain, AbsentOrUnloadedImagesDrawNothing)
{
    CTestImage *image = new CTestImage(4, 4, false, [](long, long) { return 0xFF000000u; });
    image->referenced();
    image->unloadImage();
    m_graphics.drawImage(image, CRect(0, 0, 4, 4), CRect(0, 0, 4, 4));
    m_graphics.drawImage(nullptr, CRect(0, 0, 4, 4), CRect(0, 0, 4, 4));
    m_graphics.drawAlphaImage(nullptr, CRect(0, 0, 4, 4), CRect(0, 0, 4, 4), 1.0);
    EXPECT_EQ(countNotWhite(), 0);
    image->dereference();
}

TEST_F(CGraphicsPlain, AlphaLayerBlendsBackWhenEnded)
{
    m_graphics.beginAlphaLayer(0.5);
    m_graphics.getBrush()->setColour(CAlphaColour::BLACK);
    m_graphics.fillRectangle(CRect(0, 0, 10, 10));
    EXPECT_EQ(countNotWhite(), 0) << "drawing goes to the layer";
    m_graphics.endAlphaLayer();
    EXPECT_EQ(at(5, 5), 0xFF808080u);
    EXPECT_EQ(at(20, 20), WHITE);
    EXPECT_EQ(m_graphics.getBrush()->getColour(), CAlphaColour::WHITE) << "the brush of before the layer is back";
}

TEST(GraphicsDirect, DrawsStraightIntoAContextWithoutWindow)
{
    CTestSurface surface(20, 20);
    CGraphics graphics(false);
    graphics.initialise(0, &surface.context(), CDimension(20, 20));
    graphics.drawRectangle(CRect(2, 2, 5, 5));
    EXPECT_EQ(surface.at(2, 2), 0xFF000000u);
    EXPECT_FALSE(graphics.getNativeImage()->isCreated());
    graphics.uninitialise();
    graphics.drawRectangle(CRect(10, 10, 5, 5));
    EXPECT_TRUE(surface.isBackground(10, 10)) << "nothing is drawn between cycles";
}

TEST(GraphicsDirect, PenAndBrushOfTheContextAreRestoredAfterwards)
{
    CTestSurface surface(8, 8);
    Orvalite::GUI::Graphics::CDeviceContext::SPen pen;
    pen.colorRef = 0x123456;
    surface.context().selectPen(pen);
    {
        CGraphics graphics(false);
        graphics.initialise(0, &surface.context(), CDimension(8, 8));
        graphics.getPen()->setColour(CAlphaColour::RED);
        graphics.getPen()->setWidth(3);
        graphics.uninitialise();
    }
    EXPECT_EQ(surface.context().getPen().colorRef, 0x123456u);
    EXPECT_EQ(surface.context().getPen().width, 1);
}
} // namespace
