// A window of controls compared with a checked-in PNG of its screen (the
// README says how to regenerate it after a deliberate change).
#include "gui/controls/base/CControlPanel.h"
#include "gui/controls/buttons/CLatchingButton.h"
#include "gui/controls/text/CTextLabel.h"
#include "gui/graphics/CPNGImage.h"
#include "gui/graphics/CPNGWriter.h"

#include "tests/gui/controls/CControlWindowTest.h"
#include "tests/gui/controls/CRecordingControl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace
{
using namespace Orvalite::GUI::Controls;
using Orvalite::Basics::CString;
using Orvalite::Basics::CSystemString;
using Orvalite::GUI::Basics::CAlphaColour;
using Orvalite::GUI::Graphics::CBitmap;
using Orvalite::MathTools::CRect;

using ControlGolden = Orvalite::Testing::CControlWindowTest;

// Overlapping controls (the later on top), a panel whose child is drawn at the
// panel's origin, a latching button on and off, and a label; then a repaint of
// a small area after the buttons swapped states, which must change only that area.
TEST_F(ControlGolden, PaintingOrderAndUpdateAreasMatchTheImage)
{
    std::vector<std::string> log;
    root().addControl(
        new Orvalite::Testing::CRecordingControl(&root(), CRect(5, 5, 40, 40), CAlphaColour(255, 0, 0), &log));
    root().addControl(
        new Orvalite::Testing::CRecordingControl(&root(), CRect(25, 25, 40, 40), CAlphaColour(0, 0, 255), &log));
    auto *panel = new CControlPanel(&root(), 0, CRect(80, 5, 60, 60));
    panel->setDefaultDrawing(true);
    root().addControl(panel);
    panel->addControl(
        new Orvalite::Testing::CRecordingControl(panel, CRect(10, 10, 20, 20), CAlphaColour(0, 160, 0), &log));
    auto *on = new CLatchingButton(&root(), 0, CRect(5, 80, 60, 30));
    auto *off = new CLatchingButton(&root(), 0, CRect(80, 80, 60, 30));
    on->setValue(1.0);
    root().addControl(on);
    root().addControl(off);
    root().addControl(new CTextLabel(&root(), 0, CRect(5, 120, 150, 20), "Zelo"));
    repaint();
    on->setValue(0.0);
    off->setValue(1.0);
    m_window.redrawWindow(CRect(20, 90, 100, 10));
    m_system.pump();

    const CBitmap &screen = m_system.findWindow(m_handle)->screen;
    const std::string path = std::string(ZELO_CONTROLS_GOLDEN_DIR) + "/controls.png";
    CString error;
    if (std::getenv("ZELO_WRITE_GOLDEN"))
    {
        ASSERT_TRUE(Orvalite::GUI::Graphics::CPNGWriter::writeToFile(screen, CSystemString(path.c_str()), error))
            << error.getString();
    }
    Orvalite::GUI::Graphics::CPNGImage golden{CSystemString(path.c_str())};
    ASSERT_TRUE(golden.imageHasLoaded()) << path;
    const CBitmap &expected = *golden.getImageHandle();
    ASSERT_TRUE(expected.getWidth() == screen.getWidth() && expected.getHeight() == screen.getHeight());
    // Text and rounded corners come from cairo, whose coverage may differ slightly
    // between versions. GDI+ (Windows) rasterises glyph edges its own way: there a
    // few edge pixels may differ by more, while every other pixel keeps the tolerance.
    const long tolerance = 24;
#ifdef _WIN32
    const long edgePixelsAllowed = 60;
#else
    const long edgePixelsAllowed = 0;
#endif
    long beyondTolerance = 0;
    for (long y = 0; y < screen.getHeight(); ++y)
    {
        for (long x = 0; x < screen.getWidth(); ++x)
        {
            long worst = 0;
            for (int shift = 0; shift < 32; shift += 8)
            {
                const long drawn = (screen.getPixel(x, y) >> shift) & 0xFF;
                const long wanted = (expected.getPixel(x, y) >> shift) & 0xFF;
                worst = std::max(worst, std::labs(drawn - wanted));
            }
            beyondTolerance += worst > tolerance ? 1 : 0;
        }
    }
    EXPECT_LE(beyondTolerance, edgePixelsAllowed)
        << "pixels off by more than " << tolerance << " of " << screen.getWidth() * screen.getHeight();
}
} // namespace
