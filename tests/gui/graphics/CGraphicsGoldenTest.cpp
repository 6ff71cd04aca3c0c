// Small scenes compared with checked-in PNG images. To regenerate them after a
// deliberate change of the drawing rules, run
//   ZELO_WRITE_GOLDEN=1 build/h1/tests/gui/gui_drawing_tests --gtest_filter='GraphicsGolden.*'
// which rewrites tests/gui/graphics/golden/*.png; then inspect them before committing.
#include "gui/graphics/CGraphics.h"

#include "gui/graphics/CPNGImage.h"
#include "gui/graphics/CPNGWriter.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace
{
using namespace Orvalite::Basics;
using namespace Orvalite::GUI::Basics;
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::MathTools;

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

// The plain path is our own integer arithmetic: only PNG round-trip rounding is
// allowed. cairo's coverage may differ slightly between versions. GDI+ places
// anti-aliased edges on its own (Wine's does not anti-alias at all), so on
// Windows edge pixels of that scene may differ freely (108 of 1024 under Wine 8).
#ifdef _WIN32
const long ANTI_ALIASED_EDGE_PIXELS = 120;
#else
const long ANTI_ALIASED_EDGE_PIXELS = 0;
#endif

TEST(GraphicsGolden, ScenesMatchTheirImages)
{
    for (const auto &[antiAliased, name, tolerance, outliersAllowed] :
         {std::tuple(false, "plain_scene.png", 1, 0L),
          std::tuple(true, "anti_aliased_scene.png", 24, ANTI_ALIASED_EDGE_PIXELS)})
    {
        CGraphics graphics(antiAliased);
        graphics.initialise(1, nullptr, CDimension(32, 32));
        drawScene(graphics);
        const CBitmap &drawn = graphics.getNativeImage()->getBitmap();
        const std::string path = std::string(ZELO_GOLDEN_DIR) + "/" + name;
        CString error;
        if (std::getenv("ZELO_WRITE_GOLDEN"))
        {
            ASSERT_TRUE(CPNGWriter::writeToFile(drawn, CSystemString(path.c_str()), error)) << error.getString();
        }
        CPNGImage golden(CSystemString(path.c_str()));
        ASSERT_TRUE(golden.imageHasLoaded()) << path;
        const CBitmap &expected = *golden.getImageHandle();
        ASSERT_TRUE(expected.getWidth() == 32 && expected.getHeight() == 32) << path;
        long outliers = 0;
        for (long index = 0; index < 32 * 32; ++index)
        {
            int largest = 0;
            for (const unsigned shift : {0u, 8u, 16u, 24u})
            {
                const auto channel = [index, shift](const CBitmap &bitmap) {
                    return static_cast<int>((bitmap.getPixel(index % 32, index / 32) >> shift) & 0xFF);
                };
                largest = std::max(largest, std::abs(channel(expected) - channel(drawn)));
            }
            outliers += largest > tolerance ? 1 : 0;
        }
        EXPECT_LE(outliers, outliersAllowed) << path << ": pixels with a channel more than " << tolerance << " off";
        graphics.uninitialise();
    }
}
} // namespace
