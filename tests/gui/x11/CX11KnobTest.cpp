// A knob in a top-level window on a real X server, dragged with XTest: the
// whole path from X events through the control root to the knob's drawing.

// googletest first: Xlib's None and Bool macros would change its names.
#include <gtest/gtest.h>

#include "foundation/basics/CApplicationInformation.h"
#include "gui/controls/base/CControlRoot.h"
#include "gui/controls/sliders/CKnob.h"
#include "gui/graphics/CRGBAImage.h"
#include "gui/windowing/CWindow.h"
#include "tests/gui/x11/CX11TestDisplay.h"

namespace Orvalite::Testing
{
namespace
{
using namespace GUI::Windowing;
using GUI::Controls::CKnob;
using MathTools::CRect;

TEST(X11Knob, DraggingAKnobUpChangesItsValueAndItsDrawnFrame)
{
    std::unique_ptr<CX11TestDisplay> x = CX11TestDisplay::open();
    if (!x)
    {
        GTEST_SKIP() << "No X server can be reached";
    }
    CX11WindowSystem system;
    INativeWindowSystem::install(&system);
    Basics::CApplicationInformation::setProductName("Zelo");
    {
        CWindow window(CRect(CX11TestDisplay::PARENT_X + CX11TestDisplay::CHILD_X,
                             CX11TestDisplay::PARENT_Y + CX11TestDisplay::CHILD_Y, 120, 80));
        // Eleven 50 × 50 frames, one per tenth of the value.
        auto *strip = new GUI::Graphics::CRGBAImage();
        strip->referenced();
        ASSERT_TRUE(strip->initialise(50, 550));
        ASSERT_TRUE(strip->uninitialise());
        auto *knob = new CKnob(&window.getControlRoot(), 1, CRect(10, 10, 50, 50));
        knob->setAnimation(strip, 50, 11, false);
        strip->dereference();
        window.getControlRoot().addControl(knob);
        window.intialiseWindow(window.getWindowAttributes(), true);
        ASSERT_TRUE(x->waitUntilViewable(window.getWindowHandle()));
        x->pumpUntil(system, [] { return false; });
        EXPECT_EQ(knob->getFilmStrip().getCurrentFrame(), 0);

        x->moveTo(35, 55);
        x->button(1, true);
        x->moveTo(35, -5);
        x->button(1, false);
        EXPECT_TRUE(x->pumpUntil(system, [&] { return !knob->isDragging() && knob->getValue() > 0.0; }));
        EXPECT_NEAR(knob->getValue(), 0.3, 1e-12) << "60 pixels up at 1/200";
        x->pumpUntil(system, [&] { return knob->getFilmStrip().getCurrentFrame() == 3; });
        EXPECT_EQ(knob->getFilmStrip().getCurrentFrame(), 3);
        window.uninitialiseWindow();
    }
    INativeWindowSystem::install(nullptr);
    Basics::CApplicationInformation::releaseApplicationInformation();
}
} // namespace
} // namespace Orvalite::Testing
