// CGraphics with its anti-aliased renderer: shapes judged by coverage, and text
// in both paths judged by where its ink lands.
#include "tests/gui/graphics/CTestImage.h"

#include "gui/fonts/CFont.h"
#include "gui/graphics/CGraphics.h"
#include "gui/graphics/SPixelBox.h"

#include <gtest/gtest.h>

namespace
{
using Orvalite::Basics::CString;
using Orvalite::GUI::Basics::CAlphaColour;
using Orvalite::GUI::Fonts::CFont;
using Orvalite::GUI::Graphics::CBitmap;
using Orvalite::GUI::Graphics::CGraphics;
using Orvalite::GUI::Graphics::SPixelBox;
using Orvalite::MathTools::CDimension;
using Orvalite::MathTools::CPoint;
using Orvalite::MathTools::CPolygon;
using Orvalite::MathTools::CRect;
using Orvalite::Testing::CTestImage;

const uint32_t WHITE = 0xFFFFFFFF;
const long WIDTH = 200;
const long HEIGHT = 100;
// The anti-alias mode that turns smoothing on.
const long ANTI_ALIAS = 2;

class CGraphicsDrawing : public testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        CFont::createDefaultFont();
        m_graphics.initialise(1, nullptr, CDimension(WIDTH, HEIGHT));
    }
    void TearDown() override
    {
        m_graphics.uninitialise();
        CFont::releaseDefaultFont();
    }

    const CBitmap &pixels() { return m_graphics.getNativeImage()->getBitmap(); }
    uint32_t at(long x, long y) { return pixels().getPixel(x, y); }
    long countWhere(const std::function<bool(uint32_t)> &matches)
    {
        long total = 0;
        for (long y = 0; y < HEIGHT; ++y)
        {
            for (long x = 0; x < WIDTH; ++x)
            {
                total += matches(at(x, y)) ? 1 : 0;
            }
        }
        return total;
    }
    long countNotWhite()
    {
        return countWhere([](uint32_t pixel) { return pixel != WHITE; });
    }
    SPixelBox inkBox()
    {
        SPixelBox box{WIDTH, HEIGHT, 0, 0};
        for (long y = 0; y < HEIGHT; ++y)
        {
            for (long x = 0; x < WIDTH; ++x)
            {
                if (at(x, y) != WHITE)
                {
                    box = {std::min<int64_t>(box.left, x), std::min<int64_t>(box.top, y),
                           std::max<int64_t>(box.right, x + 1), std::max<int64_t>(box.bottom, y + 1)};
                }
            }
        }
        return box;
    }
    void clear() { m_graphics.getNativeImage()->getDeviceContext()->getBitmap()->fill(WHITE); }

    CGraphics m_graphics{GetParam()};
};

std::string pathName(const testing::TestParamInfo<bool> &info)
{
    return info.param ? "AntiAliased" : "Plain";
}

INSTANTIATE_TEST_SUITE_P(BothPaths, CGraphicsDrawing, testing::Bool(), pathName);

TEST_P(CGraphicsDrawing, RendererIsPresentExactlyOnTheAntiAliasedPath)
{
    EXPECT_EQ(m_graphics.hasAntiAliasedRenderer(), GetParam());
}

TEST_P(CGraphicsDrawing, RectangleOutlineCoversZeroToNine)
{
    m_graphics.drawRectangle(CRect(0, 0, 10, 10));
    for (long i = 0; i < 10; ++i)
    {
        EXPECT_EQ(at(i, 0), 0xFF000000u) << i;
        EXPECT_EQ(at(9, i), 0xFF000000u) << i;
    }
    EXPECT_EQ(countNotWhite(), 36);
}

TEST_P(CGraphicsDrawing, FilledRectangleCoversExactlyItsPixels)
{
    m_graphics.setAntiAliasMode(ANTI_ALIAS);
    m_graphics.getBrush()->setColour(CAlphaColour::BLACK);
    m_graphics.fillRectangle(CRect(3, 4, 10, 6));
    EXPECT_EQ(countNotWhite(), 60);
    EXPECT_EQ(at(3, 4), 0xFF000000u);
    EXPECT_EQ(at(12, 9), 0xFF000000u);
}

// Everything drawn with an offset of (5, 7) is what was drawn without it, moved by (5, 7).
TEST_P(CGraphicsDrawing, DrawingOffsetMovesEveryPrimitiveImageAndText)
{
    CTestImage *image = new CTestImage(6, 6, true, [](long x, long y) {
        return CBitmap::packPremultiplied(static_cast<uint32_t>(x * 40), 0, static_cast<uint32_t>(y * 40), 200);
    });
    image->referenced();
    CPolygon triangle(3);
    triangle.setPoint(0, 60, 10);
    triangle.setPoint(1, 80, 40);
    triangle.setPoint(2, 50, 30);
    const auto drawScene = [&] {
        m_graphics.setAntiAliasMode(ANTI_ALIAS);
        m_graphics.getBrush()->setColour(CAlphaColour::BLUE);
        m_graphics.drawPixel(CPoint(1, 1));
        m_graphics.drawLine(CPoint(2, 3), CPoint(30, 12));
        m_graphics.drawAntiAliasedLine(CPoint(2, 20), CPoint(40, 33));
        m_graphics.drawRaisedRectangle(CRect(10, 40, 20, 12));
        m_graphics.fillEllipse(CRect(35, 40, 18, 14));
        m_graphics.fillRoundedRectangle(CRect(90, 5, 30, 20), CDimension(5, 5));
        m_graphics.fillPolygon(triangle);
        m_graphics.drawEllipse(CRect(125, 5, 20, 20));
        m_graphics.drawImage(image, CRect(150, 5, 6, 6), CRect(0, 0, 6, 6));
        m_graphics.drawImage(image, CRect(160, 5, 12, 12), CRect(0, 0, 6, 6));
        m_graphics.drawText(CString("Offset"), CRect(90, 40, 80, 30), nullptr, 4);
    };
    drawScene();
    CBitmap plain = pixels();
    clear();
    m_graphics.setDrawingOffset(CPoint(5, 7));
    drawScene();
    long compared = 0;
    for (long y = 0; y + 7 < HEIGHT; ++y)
    {
        for (long x = 0; x + 5 < WIDTH; ++x)
        {
            ASSERT_EQ(at(x + 5, y + 7), plain.getPixel(x, y)) << x << "," << y;
            compared += plain.getPixel(x, y) != WHITE ? 1 : 0;
        }
    }
    EXPECT_GT(compared, 1000);
    image->dereference();
}

TEST_P(CGraphicsDrawing, FilledEllipseCoversItsInsideOnly)
{
    m_graphics.setAntiAliasMode(ANTI_ALIAS);
    m_graphics.getBrush()->setColour(CAlphaColour::BLACK);
    m_graphics.fillEllipse(CRect(20, 20, 40, 30));
    EXPECT_EQ(at(40, 35), 0xFF000000u) << "centre";
    EXPECT_EQ(at(22, 35), 0xFF000000u) << "inside near the left end";
    EXPECT_EQ(at(21, 21), WHITE) << "corner of the box";
    EXPECT_EQ(at(19, 35), WHITE) << "left of the box";
    EXPECT_EQ(at(40, 50), WHITE) << "below the box";
    // Without a pen the plain path fills one pixel less to the right and below, as GDI does.
    const double shrink = GetParam() ? 0.0 : 1.0;
    const double area = 3.14159265 * (40 - shrink) / 2 * (30 - shrink) / 2;
    long darkness = 0;
    for (long y = 0; y < HEIGHT; ++y)
    {
        for (long x = 0; x < WIDTH; ++x)
        {
            darkness += 255 - static_cast<long>(CBitmap::redOf(at(x, y)));
        }
    }
    EXPECT_NEAR(darkness / 255.0, area, area * 0.03) << "coverage adds up to the ellipse's area";
}

TEST_P(CGraphicsDrawing, PolygonFillIsAlternate)
{
    CPolygon figure(8);
    const long points[][2] = {{0, 0}, {40, 0}, {40, 40}, {20, 40}, {20, 20}, {60, 20}, {60, 60}, {0, 60}};
    for (long index = 0; index < 8; ++index)
    {
        figure.setPoint(index, points[index][0], points[index][1]);
    }
    m_graphics.getBrush()->setColour(CAlphaColour::BLACK);
    m_graphics.fillPolygon(figure);
    EXPECT_EQ(at(10, 10), 0xFF000000u);
    EXPECT_EQ(at(50, 50), 0xFF000000u);
    EXPECT_EQ(at(30, 30), WHITE) << "the overlap is crossed twice";
}

TEST_P(CGraphicsDrawing, TextLandsWhereEachAlignmentPutsIt)
{
    const CRect area(20, 10, 160, 80);
    for (long alignment = 0; alignment <= 10; ++alignment)
    {
        clear();
        m_graphics.drawText(CString("Hxg"), area, nullptr, alignment);
        const SPixelBox ink = inkBox();
        ASSERT_FALSE(ink.isEmpty()) << "alignment " << alignment;
        const long horizontal = alignment >= 9 ? alignment - 9 : alignment % 3;
        const long vertical = alignment >= 9 ? 1 : alignment / 3;
        const double inkCentreX = (ink.left + ink.right) / 2.0;
        const double inkCentreY = (ink.top + ink.bottom) / 2.0;
        const std::string input = "alignment " + std::to_string(alignment);
        EXPECT_TRUE(ink.left >= area.getLeft() && ink.right <= area.getRight()) << input;
        EXPECT_TRUE(ink.top >= area.getTop() && ink.bottom <= area.getBottom()) << input;
        if (horizontal == 0)
        {
            EXPECT_LE(ink.left - area.getLeft(), 3) << input;
        }
        else if (horizontal == 1)
        {
            EXPECT_NEAR(inkCentreX, area.getLeft() + area.getWidth() / 2.0, 3.0) << input;
        }
        else
        {
            EXPECT_LE(area.getRight() - ink.right, 3) << input;
        }
        if (vertical == 0)
        {
            EXPECT_LE(ink.top - area.getTop(), 5) << input;
        }
        else if (vertical == 1)
        {
            EXPECT_NEAR(inkCentreY, area.getTop() + area.getHeight() / 2.0, 4.0) << input;
        }
        else
        {
            EXPECT_LE(area.getBottom() - ink.bottom, 5) << input;
        }
    }
}

TEST_P(CGraphicsDrawing, TextStaysInsideItsArea)
{
    m_graphics.drawText(CString("A rather long text that cannot fit"), CRect(30, 30, 40, 8), nullptr, 4);
    const SPixelBox ink = inkBox();
    EXPECT_FALSE(ink.isEmpty());
    EXPECT_TRUE(ink.left >= 30 && ink.right <= 70 && ink.top >= 30 && ink.bottom <= 38);
}

TEST_P(CGraphicsDrawing, TextIsDrawnInTheTextColour)
{
    m_graphics.setTextColour(CAlphaColour(255, 0, 0, 255));
    CFont big(CString("Arial"), 40, false, true);
    m_graphics.drawText(CString("I"), CRect(0, 0, 100, 100), &big, 4);
    EXPECT_GT(countWhere([](uint32_t pixel) { return pixel == 0xFFFF0000u; }), 20) << "solid red stems";
    EXPECT_EQ(countWhere([](uint32_t pixel) { return CBitmap::redOf(pixel) != 255; }), 0);
}

TEST_P(CGraphicsDrawing, NoTextWithoutAnyFont)
{
    CFont::releaseDefaultFont();
    m_graphics.drawText(CString("Nothing"), CRect(0, 0, 100, 50), nullptr, 0);
    EXPECT_EQ(countNotWhite(), 0);
}

TEST_P(CGraphicsDrawing, ClipLimitsBothPaths)
{
    m_graphics.getClip()->setClip(CRect(10, 10, 20, 20));
    m_graphics.setAntiAliasMode(ANTI_ALIAS);
    m_graphics.getBrush()->setColour(CAlphaColour::BLACK);
    m_graphics.fillEllipse(CRect(0, 0, 100, 100));
    m_graphics.drawAntiAliasedLine(CPoint(0, 5), CPoint(100, 60));
    m_graphics.drawText(CString("Clipped"), CRect(0, 0, 100, 40), nullptr, 4);
    const SPixelBox ink = inkBox();
    EXPECT_TRUE(ink.left >= 10 && ink.top >= 10 && ink.right <= 30 && ink.bottom <= 30);
}

class CGraphicsAntiAliased : public CGraphicsDrawing
{
};

INSTANTIATE_TEST_SUITE_P(Renderer, CGraphicsAntiAliased, testing::Values(true), pathName);

TEST_P(CGraphicsAntiAliased, DefaultSmoothingDrawsHardEdgesUntilAntiAliasingIsAskedFor)
{
    m_graphics.getBrush()->setColour(CAlphaColour::BLACK);
    m_graphics.fillEllipse(CRect(10, 10, 41, 31));
    const auto partial = [](uint32_t pixel) { return pixel != WHITE && pixel != 0xFF000000u; };
    EXPECT_EQ(countWhere(partial), 0);
    m_graphics.setAntiAliasMode(ANTI_ALIAS);
    m_graphics.fillEllipse(CRect(100, 10, 41, 31));
    EXPECT_GT(countWhere(partial), 20);
    EXPECT_EQ(m_graphics.getAntiAliasMode(), ANTI_ALIAS);
}

TEST_P(CGraphicsAntiAliased, AntiAliasedLineBlendsAlongItsEdges)
{
    m_graphics.setAntiAliasMode(ANTI_ALIAS);
    m_graphics.drawAntiAliasedLine(CPoint(5, 5), CPoint(150, 60));
    const auto partial = [](uint32_t pixel) { return pixel != WHITE && pixel != 0xFF000000u; };
    EXPECT_GT(countWhere(partial), 100);
    uint32_t darkest = 255;
    for (long y = 0; y < HEIGHT; ++y)
    {
        darkest = std::min(darkest, CBitmap::redOf(at(77, y)));
    }
    EXPECT_LT(darkest, 128) << "the pixel nearest the line's middle is mostly covered";
}

TEST_P(CGraphicsAntiAliased, RoundedCornersLeaveTheCornerPixelEmpty)
{
    m_graphics.getBrush()->setColour(CAlphaColour::BLACK);
    m_graphics.fillRoundedRectangle(CRect(10, 10, 40, 30), CDimension(8, 8));
    EXPECT_EQ(at(10, 10), WHITE);
    EXPECT_EQ(at(30, 10), 0xFF000000u) << "the straight top edge";
    EXPECT_EQ(at(30, 25), 0xFF000000u);
}

TEST(GraphicsTextExtent, GrowsWithTheText)
{
    CFont font(CString("Arial"), 11, false, false);
    CDimension one;
    CDimension two;
    CDimension three;
    ASSERT_TRUE(CGraphics::getTextExtent(CString("a"), one, &font));
    ASSERT_TRUE(CGraphics::getTextExtent(CString("ab"), two, &font));
    ASSERT_TRUE(CGraphics::getTextExtent(CString("abW"), three, &font));
    EXPECT_GT(one.getWidth(), 0);
    EXPECT_LT(one.getWidth(), two.getWidth());
    EXPECT_LT(two.getWidth(), three.getWidth());
    EXPECT_GE(one.getHeight(), 11);
    EXPECT_LE(one.getHeight(), 16);
    EXPECT_EQ(one.getHeight(), three.getHeight());
    CFont larger(CString("Arial"), 22, false, false);
    CDimension bigger;
    ASSERT_TRUE(CGraphics::getTextExtent(CString("abW"), bigger, &larger));
    EXPECT_NEAR(bigger.getWidth(), 2 * three.getWidth(), 2);
}

TEST(GraphicsTextExtent, WithoutFontIsFalseAndLeavesTheSize)
{
    CDimension size(3, 4);
    EXPECT_FALSE(CGraphics::getTextExtent(CString("abc"), size, nullptr));
    EXPECT_EQ(size, CDimension(3, 4));
}
} // namespace
