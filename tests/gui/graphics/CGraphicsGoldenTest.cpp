// Small scenes compared with checked-in PNG images. To regenerate them after a
// deliberate change of the drawing rules, run
//   ZELO_WRITE_GOLDEN=1 build/h1/tests/gui/gui_drawing_tests --gtest_filter='GraphicsGolden.*'
// which rewrites tests/gui/graphics/golden/*.png; then inspect them before committing.
#include "gui/graphics/CPNGImage.h"
#include "gui/graphics/CPNGWriter.h"

#include "gui/graphics/CGraphics.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace
{
using namespace Orvalite::Basics;
using namespace Orvalite::GUI::Basics;
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::MathTools;

const long SIZE = 32;

void drawScene(CGraphics &graphics)
{
    graphics.setAntiAliasMode(2);
    graphics.getBrush()->setColour(CAlphaColour::TURQUOISE);
    graphics.getPen()->setColour(CAlphaColour::PURPLE);
    graphics.drawRaisedRectangle(CRect(1, 1, 14, 10));
    graphics.getBrush()->setColour(CAlphaColour::ORANGE);
    graphics.fillEllipse(CRect(17, 2, 13, 11));
    graphics.drawEllipse(CRect(2, 14, 12, 16));
    CPolygon triangle(3);
    triangle.setPoint(0, 18, 16);
    triangle.setPoint(1, 30, 22);
    triangle.setPoint(2, 20, 30);
    graphics.getBrush()->setColour(CAlphaColour::GREEN);
    graphics.fillPolygon(triangle);
    graphics.getPen()->setColour(CAlphaColour::BLUE);
    graphics.drawAntiAliasedLine(CPoint(0, 31), CPoint(31, 12));
}

// Largest difference of any channel between the two bitmaps; 256 when the sizes differ.
unsigned largestDifference(const CBitmap &first, const CBitmap &second)
{
    if (first.getWidth() != second.getWidth() || first.getHeight() != second.getHeight())
    {
        return 256;
    }
    unsigned largest = 0;
    for (long y = 0; y < first.getHeight(); ++y)
    {
        for (long x = 0; x < first.getWidth(); ++x)
        {
            for (unsigned shift : {0u, 8u, 16u, 24u})
            {
                const int a = static_cast<int>((first.getPixel(x, y) >> shift) & 0xFF);
                const int b = static_cast<int>((second.getPixel(x, y) >> shift) & 0xFF);
                largest = std::max(largest, static_cast<unsigned>(std::abs(a - b)));
            }
        }
    }
    return largest;
}

void compareWithGolden(bool antiAliased, const char *name, unsigned tolerance)
{
    CGraphics graphics(antiAliased);
    graphics.initialise(1, nullptr, CDimension(SIZE, SIZE));
    drawScene(graphics);
    const std::string path = std::string(ZELO_GOLDEN_DIR) + "/" + name;
    if (std::getenv("ZELO_WRITE_GOLDEN"))
    {
        CString error;
        ASSERT_TRUE(CPNGWriter::writeToFile(graphics.getNativeImage()->getBitmap(), CSystemString(path.c_str()), error))
            << error.getString();
    }
    CPNGImage *golden = new CPNGImage(CSystemString(path.c_str()));
    golden->referenced();
    ASSERT_TRUE(golden->imageHasLoaded()) << path;
    EXPECT_LE(largestDifference(*golden->getImageHandle(), graphics.getNativeImage()->getBitmap()), tolerance) << path;
    golden->dereference();
    graphics.uninitialise();
}

TEST(GraphicsGolden, PlainSceneMatchesItsImage)
{
    // The plain path is our own integer arithmetic: only PNG round-trip rounding is allowed.
    compareWithGolden(false, "plain_scene.png", 1);
}

TEST(GraphicsGolden, AntiAliasedSceneMatchesItsImage)
{
    // cairo's coverage may differ slightly between versions.
    compareWithGolden(true, "anti_aliased_scene.png", 24);
}
} // namespace
