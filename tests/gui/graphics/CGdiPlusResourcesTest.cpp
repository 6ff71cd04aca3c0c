// GDI+ runs only while something uses it, and everything drawing, measuring
// and decoding creates is freed again: the resource ledger returns to zero.
#include "gui/basics/win32/CWin32ResourceLedger.h"
#include "gui/fonts/IFontHandle.h"
#include "gui/graphics/CPNGImage.h"
#include "gui/graphics/IAntiAliasedRenderer.h"
#include "gui/graphics/gdiplus/CGdiPlusSession.h"
#include "tests/gui/graphics/CImageFixtures.h"

#include <cstring>
#include <gtest/gtest.h>

namespace
{
using namespace Orvalite::GUI::Graphics;
using Orvalite::Basics::CString;
using Orvalite::GUI::Basics::CWin32ResourceLedger;
using Orvalite::GUI::Fonts::IFontHandle;
using Orvalite::GUI::Fonts::SLogicalFont;
using namespace Orvalite::Testing;

TEST(GdiPlusSession, StartsOnFirstUseAndShutsDownAfterTheLastUser)
{
    ASSERT_EQ(CGdiPlusSession::getUserCount(), 0) << "nothing holds GDI+ between tests";
    {
        const CGdiPlusSession first;
        EXPECT_TRUE(first.isRunning());
        {
            const CGdiPlusSession second;
            EXPECT_TRUE(second.isRunning());
            EXPECT_EQ(CGdiPlusSession::getUserCount(), 2);
        }
        EXPECT_EQ(CGdiPlusSession::getUserCount(), 1);
    }
    EXPECT_EQ(CGdiPlusSession::getUserCount(), 0);
}

TEST(GdiPlusSession, DrawingMeasuringAndDecodingFreeEverythingTheyMade)
{
    const long before = CWin32ResourceLedger::total();
    CTemporaryFolder folder;
    CString error;
    ASSERT_TRUE(CPNGWriter::writeToFile(CImageFixtures::patternBitmap(4, 3), pathIn(folder, "a.png"), error));
    EXPECT_EQ(CWin32ResourceLedger::total(), before) << "encoding";
    {
        CBitmap surface;
        surface.create(40, 30);
        const auto renderer = IAntiAliasedRenderer::create(surface);
        ASSERT_NE(renderer, nullptr);
        renderer->setClip(2, 2, 30, 20);
        renderer->drawLine({0, 0}, {39, 29}, {});
        renderer->fillRoundedRectangle(1, 1, 20, 10, 4.0, 0xFF00FF00);
        renderer->fillPolygon({{0, 0}, {30, 5}, {10, 25}}, 0x80FF0000);
        SLogicalFont description;
        description.height = -12;
        std::strcpy(description.faceName, "Arial");
        const auto font = IFontHandle::create(description);
        ASSERT_NE(font, nullptr);
        double width = 0.0;
        EXPECT_TRUE(font->measureText("Zelo", width) && width > 10.0) << width;
        font->drawText(surface, {0, 0, 40, 30}, 1.0, 20.0, "Zelo", 0xFF000000, true);
        const CPNGImage image(pathIn(folder, "a.png"));
        EXPECT_TRUE(image.imageHasLoaded());
        EXPECT_GT(CGdiPlusSession::getUserCount(), 0) << "the renderer and the font hold GDI+";
        EXPECT_EQ(CWin32ResourceLedger::count(CWin32ResourceLedger::e_font), 1);
        EXPECT_GE(CWin32ResourceLedger::count(CWin32ResourceLedger::e_bitmap), 2) << "the two surfaces";
    }
    for (int kind = 0; kind < CWin32ResourceLedger::NUMBER_OF_KINDS; ++kind)
    {
        EXPECT_EQ(CWin32ResourceLedger::count(static_cast<CWin32ResourceLedger::EKind>(kind)), 0)
            << CWin32ResourceLedger::nameOf(static_cast<CWin32ResourceLedger::EKind>(kind));
    }
    EXPECT_EQ(CWin32ResourceLedger::total(), before);
    EXPECT_EQ(CGdiPlusSession::getUserCount(), 0);
}
} // namespace
