// CGraphics on both of its paths, plain and anti-aliased: exact pixel rules
// where both paths must agree, coverage where anti-aliasing may soften edges,
// and text judged by where its ink lands.
#include "gui/graphics/CGraphics.h"

#include "foundation/basics/CException.h"
#include "gui/fonts/CFont.h"
#include "gui/graphics/CBaseImage.h"
#include "tests/gui/graphics/CTestSurface.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <tuple>

#ifdef _WIN32
#include <windows.h>
#endif

namespace
{
using namespace Orvalite::Basics;
using namespace Orvalite::GUI::Basics;
using namespace Orvalite::GUI::Fonts;
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::MathTools;
using namespace Orvalite::Testing;

const long WIDTH = 200;
const long HEIGHT = 100;
// The anti-alias mode that turns smoothing on.
const long ANTI_ALIAS = 2;

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

// A loaded image, referenced once, whose pixel (x, y) is red x × step, green y × step.
class CGradientImage : public CBaseImage
{
public:
    CGradientImage(long width, long height, bool hasAlpha, uint32_t step, uint32_t alpha = 255) : CBaseImage(hasAlpha)
    {
        getBitmap().create(width, height);
        for (long index = 0; index < width * height; ++index)
        {
            const uint32_t x = static_cast<uint32_t>(index % width), y = static_cast<uint32_t>(index / width);
            getBitmap().setPixel(x, y, CBitmap::packPremultiplied(x * step, y * step, 0, alpha));
        }
        finishLoad();
        referenced();
    }
    long getImageFileFormat() const override { return e_rgbaImage; }
};

// Wine's GDI+ fills and strokes without anti-aliasing, whatever the smoothing mode.
bool drawsWithoutAntiAliasing()
{
#ifdef _WIN32
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}

// The parameter chooses the anti-aliased path (true) or the plain one.
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
    long countNotWhite() { return countNot(pixels()); }
    long countPartial()
    {
        return countPixels(pixels(), [](uint32_t pixel) { return pixel != WHITE && pixel != BLACK; });
    }
    // The sum of 255 − red down column x: ink on white in whole pixels × 255.
    long columnInk(long x)
    {
        long total = 0;
        for (long y = 0; y < HEIGHT; ++y)
        {
            total += 255 - static_cast<long>(CBitmap::redOf(at(x, y)));
        }
        return total;
    }
    SPixelBox inkBox() { return changedBox(pixels()); }
    bool inkInside(const SPixelBox &area)
    {
        const SPixelBox ink = inkBox();
        return !ink.isEmpty() && ink.left >= area.left && ink.top >= area.top && ink.right <= area.right &&
               ink.bottom <= area.bottom;
    }
    void clear() { m_graphics.getNativeImage()->getDeviceContext()->getBitmap()->fill(WHITE); }

    CGraphics m_graphics{GetParam()};
};

std::string pathName(const testing::TestParamInfo<bool> &info)
{
    return info.param ? "AntiAliased" : "Plain";
}

INSTANTIATE_TEST_SUITE_P(BothPaths, CGraphicsDrawing, testing::Bool(), pathName);

TEST_P(CGraphicsDrawing, RectanglesCoverExactlyTheirPixels)
{
    EXPECT_EQ(m_graphics.hasAntiAliasedRenderer(), GetParam());
    m_graphics.drawRectangle(CRect(0, 0, 10, 10));
    for (long i = 0; i < 10; ++i)
    {
        EXPECT_TRUE(at(i, 0) == BLACK && at(i, 9) == BLACK && at(0, i) == BLACK && at(9, i) == BLACK) << i;
    }
    EXPECT_EQ(countNotWhite(), 36) << "the outline only, nothing at 10";
    clear();
    m_graphics.setAntiAliasMode(ANTI_ALIAS);
    m_graphics.getBrush()->setColour(CAlphaColour::BLACK);
    m_graphics.fillRectangle(CRect(3, 4, 10, 6));
    EXPECT_EQ(countNotWhite(), 60);
    EXPECT_TRUE(inkBox().left == 3 && inkBox().top == 4 && inkBox().right == 13 && inkBox().bottom == 10);
}

TEST_P(CGraphicsDrawing, LinesExcludeTheirEndPixel)
{
    const struct
    {
        long fromX, fromY, toX, toY;
    } cases[] = {{2, 5, 12, 5}, {12, 5, 2, 5}, {5, 2, 5, 14}, {5, 14, 5, 2}, {1, 1, 9, 9}, {9, 1, 1, 9},
                 {0, 0, 15, 4}, {15, 4, 0, 0}, {3, 15, 6, 0}, {2, 2, 3, 3},  {4, 4, 4, 4}};
    for (const auto &line : cases)
    {
        clear();
        m_graphics.drawLine(CPoint(line.fromX, line.fromY), CPoint(line.toX, line.toY));
        const long length = std::max(std::abs(line.toX - line.fromX), std::abs(line.toY - line.fromY));
        const auto input = testing::Message()
                           << "(" << line.fromX << "," << line.fromY << ")->(" << line.toX << "," << line.toY << ")";
        EXPECT_EQ(countNotWhite(), length) << input << ": one pixel per step of the longer axis";
        EXPECT_EQ(at(line.toX, line.toY), WHITE) << input;
        EXPECT_TRUE(length == 0 || at(line.fromX, line.fromY) == BLACK) << input;
    }
    clear();
    m_graphics.drawPolyLine(polygonOf({CPoint(1, 5), CPoint(5, 5), CPoint(5, 9)}));
    EXPECT_EQ(countNotWhite(), 8) << "the poly line continues from each point and is not closed";
    EXPECT_EQ(at(5, 9), WHITE);
}

TEST_P(CGraphicsDrawing, DrawingOffsetMovesEveryPrimitiveImageAndText)
{
    auto *image = new CGradientImage(6, 6, true, 40, 200);
    const auto drawScene = [&] {
        m_graphics.setAntiAliasMode(ANTI_ALIAS);
        m_graphics.getBrush()->setColour(CAlphaColour::BLUE);
        m_graphics.drawPixel(CPoint(1, 1));
        m_graphics.drawLine(CPoint(2, 3), CPoint(30, 12));
        m_graphics.drawAntiAliasedLine(CPoint(2, 20), CPoint(40, 33));
        m_graphics.drawRaisedRectangle(CRect(10, 40, 20, 12));
        m_graphics.drawGradientRectangle(CRect(60, 45, 20, 10));
        m_graphics.fillEllipse(CRect(35, 40, 18, 14));
        m_graphics.fillRoundedRectangle(CRect(90, 5, 30, 20), CDimension(5, 5));
        m_graphics.fillPolygon(polygonOf({CPoint(60, 10), CPoint(80, 40), CPoint(50, 30)}));
        m_graphics.drawEllipse(CRect(125, 5, 20, 20));
        m_graphics.drawImage(image, CRect(150, 5, 6, 6), CRect(0, 0, 6, 6));
        m_graphics.drawImage(image, CRect(160, 5, 12, 12), CRect(0, 0, 6, 6));
        m_graphics.drawText(CString("Offset"), CRect(90, 40, 80, 30), nullptr, 4);
    };
    drawScene();
    const CBitmap plain = pixels();
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

TEST_P(CGraphicsDrawing, PolygonFillIsAlternate)
{
    m_graphics.getBrush()->setColour(CAlphaColour::BLACK);
    m_graphics.fillPolygon(polygonOf({CPoint(0, 0), CPoint(40, 0), CPoint(40, 40), CPoint(20, 40), CPoint(20, 20),
                                      CPoint(60, 20), CPoint(60, 60), CPoint(0, 60)}));
    EXPECT_TRUE(at(10, 10) == BLACK && at(50, 50) == BLACK);
    EXPECT_EQ(at(30, 30), WHITE) << "the overlap is crossed twice";
}

// Alignments 0 … 8 are left/centre/right by top/middle/bottom; 9 and 10 are left and centre, middle.
TEST_P(CGraphicsDrawing, TextLandsWhereEachAlignmentPutsIt)
{
    // Where the ink should sit along one axis: 0 at the start, 1 centred, 2 at the end.
    const auto placed = [](long place, int64_t inkFrom, int64_t inkTo, long from, long to, double slack) {
        const double centre = (inkFrom + inkTo) / 2.0;
        return place == 0   ? inkFrom - from <= slack
               : place == 1 ? std::abs(centre - (from + to) / 2.0) <= slack
                            : to - inkTo <= slack;
    };
    for (long alignment = 0; alignment <= 10; ++alignment)
    {
        clear();
        m_graphics.drawText(CString("Hxg"), CRect(20, 10, 160, 80), nullptr, alignment);
        const SPixelBox ink = inkBox();
        const long horizontal = alignment >= 9 ? alignment - 9 : alignment % 3;
        const long vertical = alignment >= 9 ? 1 : alignment / 3;
        EXPECT_TRUE(inkInside({20, 10, 180, 90})) << "alignment " << alignment;
        EXPECT_TRUE(placed(horizontal, ink.left, ink.right, 20, 180, 3.0)) << "alignment " << alignment;
        EXPECT_TRUE(placed(vertical, ink.top, ink.bottom, 10, 90, 5.0)) << "alignment " << alignment;
    }
}

TEST_P(CGraphicsDrawing, TextInkIsTheTextColourAndStaysInsideItsArea)
{
    m_graphics.drawText(CString("A rather long text that cannot fit"), CRect(30, 30, 40, 8), nullptr, 4);
    EXPECT_TRUE(inkInside({30, 30, 70, 38}));
    clear();
    m_graphics.setTextColour(CAlphaColour(255, 0, 0, 255));
    CFont big(CString("Arial"), 40, false, true);
    m_graphics.drawText(CString("I"), CRect(0, 0, 100, 100), &big, 4);
    EXPECT_GT(countPixels(pixels(), [](uint32_t pixel) { return pixel == 0xFFFF0000u; }), 20) << "solid red stems";
    EXPECT_EQ(countPixels(pixels(), [](uint32_t pixel) { return CBitmap::redOf(pixel) != 255; }), 0);
}

TEST_P(CGraphicsDrawing, ClipLimitsEveryOperationUntilCleared)
{
    auto *image = new CGradientImage(40, 40, false, 5);
    m_graphics.getClip()->setClip(CRect(10, 10, 20, 20));
    m_graphics.setAntiAliasMode(ANTI_ALIAS);
    m_graphics.getBrush()->setColour(CAlphaColour::BLACK);
    m_graphics.fillEllipse(CRect(0, 0, 100, 100));
    m_graphics.drawAntiAliasedLine(CPoint(0, 5), CPoint(100, 60));
    m_graphics.drawLine(CPoint(0, 0), CPoint(99, 99));
    m_graphics.fillPolygon(polygonOf({CPoint(0, 15), CPoint(40, 12), CPoint(30, 39)}));
    m_graphics.drawImage(image, CRect(0, 0, 40, 40), CRect(0, 0, 40, 40));
    m_graphics.drawText(CString("Clipped"), CRect(0, 0, 100, 40), nullptr, 4);
    EXPECT_TRUE(inkInside({10, 10, 30, 30}));
    m_graphics.getClip()->clearClip();
    m_graphics.fillRectangle(CRect(0, 0, WIDTH, HEIGHT));
    EXPECT_EQ(countNotWhite(), WIDTH * HEIGHT);
    image->dereference();
}

// Rectangles, offsets and lines far off the surface, reversed or at the ends of
// the 32-bit range clip without touching memory outside the surface (the
// sanitizers watch the writes).
TEST_P(CGraphicsDrawing, HugeNegativeAndReversedCoordinatesClip)
{
    const long big = std::numeric_limits<int32_t>::max();
    const long small = std::numeric_limits<int32_t>::min();
    auto *image = new CGradientImage(4, 4, true, 50);
    const CRect rects[] = {CRect(small, small, big, big), CRect(big - 5, big - 5, 100, 100), CRect(10, 10, -20, -30),
                           CRect(-100, 5, big, 10), CRect(0, 0, big, big)};
    for (const CRect &rect : rects)
    {
        for (const CPoint &offset : {CPoint(0, 0), CPoint(big, big), CPoint(small, 5)})
        {
            m_graphics.setDrawingOffset(offset);
            m_graphics.getPen()->setWidth(5);
            m_graphics.drawRectangle(rect);
            m_graphics.fillRectangle(rect);
            m_graphics.fillEllipse(rect);
            m_graphics.fillRoundedRectangle(rect, CDimension(big, big));
            m_graphics.drawRoundedRectangle(rect, CDimension(6, 6));
            m_graphics.drawArc(rect, CPoint(0, 0), CPoint(big, small), false);
            m_graphics.drawRaisedRectangle(rect);
            m_graphics.drawGradientRectangle(rect);
            m_graphics.fillPolygon(polygonOf({CPoint(rect.getLeft(), rect.getTop()), CPoint(big, 0), CPoint(0, big)}));
            m_graphics.drawAntiAliasedLine(CPoint(rect.getLeft(), rect.getTop()), CPoint(big, small));
            m_graphics.drawImage(image, rect, rect);
            m_graphics.drawAlphaImage(image, rect, CRect(0, 0, 4, 4), 0.5);
        }
    }
    image->dereference();
    clear();
    m_graphics.setDrawingOffset(CPoint(0, 0));
    m_graphics.getPen()->setWidth(1);
    m_graphics.drawLine(CPoint(small, 10), CPoint(big, 10));
    EXPECT_EQ(countNotWhite(), WIDTH) << "a line through the whole range crosses the surface pixel by pixel";
    EXPECT_EQ(inkBox().top, 10);
}

// A gradient's rows rise from the pen colour to white at the middle and back. A
// bevel shades its top and left with the brush lightened and its bottom and right
// with it darkened (sunken: the other way round) inside the pen's border. Neither
// changes the pen or the brush.
TEST_P(CGraphicsDrawing, GradientsAndBevelsShadeThePenAndBrushColours)
{
    const CAlphaColour pen(55, 155, 250, 255), brush(100, 100, 100, 255);
    CAlphaColour light = brush, dark = brush;
    light.lighten();
    dark.darken();
    const auto pixel = [](const CAlphaColour &c) { return CBitmap::pack(c.getRed(), c.getGreen(), c.getBlue(), 255); };
    m_graphics.getPen()->setColour(pen);
    m_graphics.getBrush()->setColour(brush);
    m_graphics.drawGradientRectangle(CRect(0, 20, 12, 10));
    EXPECT_TRUE(at(0, 20) == pixel(pen) && at(11, 25) == WHITE);
    for (long row = 1; row < 5; ++row)
    {
        EXPECT_TRUE(at(0, 20 + row) == at(11, 30 - row) &&
                    CBitmap::redOf(at(0, 20 + row)) > CBitmap::redOf(at(0, 19 + row)) &&
                    CBitmap::blueOf(at(0, 20 + row)) >= CBitmap::blueOf(at(0, 19 + row)))
            << "row " << row << " rises, and falls back the same way";
    }
    m_graphics.drawRaisedRectangle(CRect(20, 0, 12, 10));
    m_graphics.drawSunkenRectangle(CRect(40, 0, 12, 10));
    for (const auto &[left, topLeft, bottomRight] : {std::tuple(20L, light, dark), std::tuple(40L, dark, light)})
    {
        EXPECT_TRUE(at(left + 5, 1) == pixel(topLeft) && at(left + 1, 5) == pixel(topLeft)) << left;
        EXPECT_TRUE(at(left + 5, 8) == pixel(bottomRight) && at(left + 10, 5) == pixel(bottomRight)) << left;
        EXPECT_TRUE(at(left + 5, 0) == pixel(pen) && at(left + 5, 5) == pixel(brush)) << left << ": border, inside";
    }
    EXPECT_TRUE(m_graphics.getPen()->getColour() == pen && m_graphics.getBrush()->getColour() == brush);
}

TEST_P(CGraphicsDrawing, AlphaPixelBlendsThePenColour)
{
    m_graphics.drawAlphaPixel(CPoint(3, 3), 128);
    EXPECT_EQ(at(3, 3), 0xFF7F7F7Fu);
    m_graphics.drawAlphaPixel(CPoint(4, 4), 1000);
    EXPECT_EQ(at(4, 4), BLACK) << "weights above 255 count as 255";
}

TEST_P(CGraphicsDrawing, ImagesCopyOneToOneAtTheirSizeAndStretchToNearestOtherwise)
{
    auto *image = new CGradientImage(10, 8, false, 20);
    const CBitmap &source = *image->getImageHandle();
    m_graphics.drawImage(image, CRect(5, 5, 10, 8), CRect(2, 1, 10, 8));
    EXPECT_TRUE(at(5, 5) == source.getPixel(2, 1) && at(12, 11) == source.getPixel(9, 7));
    EXPECT_EQ(at(13, 5), WHITE) << "source pixels beyond the image are not drawn";
    clear();
    m_graphics.drawImage(image, CRect(0, 0, 8, 8), CRect(2, 2, 2, 2));
    EXPECT_EQ(countNotWhite(), 64);
    EXPECT_TRUE(at(0, 0) == source.getPixel(2, 2) && at(3, 3) == source.getPixel(2, 2));
    EXPECT_EQ(at(4, 7), source.getPixel(3, 3));
    image->dereference();
}

TEST_P(CGraphicsDrawing, AlphaLayersAndImagesBlendAtTheirConstantAlpha)
{
    m_graphics.beginAlphaLayer(0.5);
    m_graphics.getBrush()->setColour(CAlphaColour::BLACK);
    m_graphics.fillRectangle(CRect(0, 0, 10, 10));
    EXPECT_EQ(countNotWhite(), 0) << "drawing goes to the layer";
    m_graphics.endAlphaLayer();
    EXPECT_EQ(at(5, 5), 0xFF808080u) << "at 0.5 the constant alpha is 127, 255 − 127 of white stays";
    EXPECT_EQ(countNotWhite(), 100);
    EXPECT_EQ(m_graphics.getBrush()->getColour(), CAlphaColour::WHITE) << "the brush of before the layer is back";
    auto *black = new CGradientImage(4, 4, true, 0);
    m_graphics.drawAlphaImage(black, CRect(20, 20, 4, 4), CRect(0, 0, 4, 4), 0.5);
    EXPECT_EQ(at(21, 21), 0xFF808080u);
    m_graphics.drawImage(black, CRect(30, 30, 4, 4), CRect(0, 0, 4, 4));
    EXPECT_EQ(at(31, 31), BLACK) << "drawImage blends an alpha image at full alpha";
    black->dereference();
}

TEST_P(CGraphicsDrawing, DegenerateInputsDrawNothing)
{
    const auto drawn = [this](const std::function<void()> &draw) {
        clear();
        draw();
        return countNotWhite();
    };
    const CRect area(0, 0, 4, 4);
    auto *unloaded = new CGradientImage(4, 4, false, 20);
    unloaded->unloadImage();
    const CPolygon two = polygonOf({CPoint(0, 0), CPoint(30, 20)});
    const CPolygon three = polygonOf({CPoint(0, 0), CPoint(30, 20), CPoint(30, 30)});
    EXPECT_EQ(drawn([&] { m_graphics.drawAntiAliasedPolyLine(two); }), 0);
    EXPECT_GT(drawn([&] { m_graphics.drawAntiAliasedPolyLine(three); }), 0) << "three points make a poly line";
    EXPECT_EQ(drawn([&] { m_graphics.drawGradientRectangle(CRect(0, 0, 10, 1)); }), 0) << "a gradient of one row";
    EXPECT_EQ(drawn([&] { m_graphics.drawImage(nullptr, area, area); }), 0);
    EXPECT_EQ(drawn([&] { m_graphics.drawAlphaImage(nullptr, area, area, 1.0); }), 0);
    EXPECT_EQ(drawn([&] { m_graphics.drawImage(unloaded, area, area); }), 0);
    unloaded->dereference();
    CFont::releaseDefaultFont();
    EXPECT_EQ(drawn([&] { m_graphics.drawText(CString("Nothing"), CRect(0, 0, 100, 50), nullptr, 0); }), 0)
        << "text without any font";
}

class CGraphicsPlain : public CGraphicsDrawing
{
};

INSTANTIATE_TEST_SUITE_P(Software, CGraphicsPlain, testing::Values(false), pathName);

// Diagonal lines split each step's ink between two pixels; straight ones keep it in one.
TEST_P(CGraphicsPlain, SoftwareAntiAliasedLinesPutOnePixelOfInkPerStep)
{
    m_graphics.drawAntiAliasedLine(CPoint(2, 2), CPoint(32, 12));
    EXPECT_TRUE(at(2, 2) == BLACK && at(32, 12) == BLACK) << "both end points are drawn";
    for (long x = 3; x < 32; ++x)
    {
        EXPECT_NEAR(columnInk(x), 255, 1) << "column " << x;
    }
    clear();
    m_graphics.drawAntiAliasedLine(CPoint(1, 1), CPoint(20, 1));
    m_graphics.drawAntiAliasedLine(CPoint(1, 5), CPoint(1, 30));
    m_graphics.drawAntiAliasedLine(CPoint(5, 5), CPoint(25, 25));
    EXPECT_EQ(countNotWhite(), 20 + 26 + 21) << "every pixel end to end";
    EXPECT_EQ(countPartial(), 0);
}

class CGraphicsAntiAliased : public CGraphicsDrawing
{
};

INSTANTIATE_TEST_SUITE_P(Renderer, CGraphicsAntiAliased, testing::Values(true), pathName);

TEST_P(CGraphicsAntiAliased, EdgesAreSoftOnlyOnceAntiAliasingIsAskedFor)
{
    m_graphics.getBrush()->setColour(CAlphaColour::BLACK);
    m_graphics.fillEllipse(CRect(10, 10, 41, 31));
    m_graphics.fillRoundedRectangle(CRect(60, 10, 40, 30), CDimension(8, 8));
    EXPECT_EQ(countPartial(), 0) << "default smoothing draws hard edges";
    EXPECT_TRUE(at(60, 10) == WHITE && at(80, 10) == BLACK) << "a rounded corner, the straight top edge";
    if (drawsWithoutAntiAliasing())
    {
        GTEST_SKIP() << "Wine's GDI+ does not anti-alias";
    }
    m_graphics.setAntiAliasMode(ANTI_ALIAS);
    m_graphics.drawAntiAliasedLine(CPoint(5, 45), CPoint(150, 99));
    EXPECT_GT(countPartial(), 100);
    uint32_t darkest = 255;
    for (long y = 45; y < HEIGHT; ++y)
    {
        darkest = std::min(darkest, CBitmap::redOf(at(77, y)));
    }
    EXPECT_LT(darkest, 128) << "the pixel nearest the line's middle is mostly covered";
}

// Without a window CGraphics draws straight into the given context and leaves it as it found it.
TEST(GraphicsDirect, DrawsIntoTheGivenContextForOneCycle)
{
    CTestSurface surface(20, 20);
    CDeviceContext::SPen pen;
    pen.colorRef = 0x123456;
    surface.context().selectPen(pen);
    CGraphics graphics(false);
    graphics.initialise(0, &surface.context(), CDimension(20, 20));
    graphics.getPen()->setWidth(3);
    graphics.drawRectangle(CRect(2, 2, 5, 5));
    EXPECT_EQ(surface.at(2, 2), BLACK);
    EXPECT_FALSE(graphics.getNativeImage()->isCreated());
    graphics.uninitialise();
    EXPECT_TRUE(surface.context().getPen().colorRef == 0x123456u && surface.context().getPen().width == 1);
    graphics.drawRectangle(CRect(10, 10, 5, 5));
    EXPECT_EQ(surface.at(10, 10), WHITE) << "nothing is drawn between cycles";
}

TEST(GraphicsDirect, AClipNeedsTheNativeImageItClips)
{
    EXPECT_THROW(CClip().initialise(nullptr, CRect(0, 0, 10, 10), nullptr), Orvalite::Exceptions::CException);
}
} // namespace
