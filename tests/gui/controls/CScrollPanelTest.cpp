// Scroll bars and scroll panels through a headless window: the thumb's size
// and the positions a drag, a press and the wheel report; the default image
// files; a panel scrolled by wheel, keys and its bar, its children placed,
// reached and painted where the scrolling put them, cut at the panel's edge.
#include "gui/controls/views/CScrollPanel.h"
#include "gui/controls/buttons/CLatchingButton.h"
#include "gui/controls/displays/CAreaBox.h"
#include "gui/controls/sliders/CKnob.h"
#include "gui/controls/views/CScrollBar.h"
#include "gui/controls/views/CScrollEvent.h"
#include "gui/controls/views/IScrollListener.h"
#include "gui/graphics/CImageManager.h"

#include "tests/foundation/CTemporaryFolder.h"
#include "tests/gui/controls/CControlWindowTest.h"
#include "tests/gui/graphics/CImageFixtures.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
using namespace Orvalite::GUI::Controls;
using namespace Orvalite::GUI::Windowing;
using Orvalite::GUI::Basics::CAlphaColour;
using Orvalite::MathTools::CPoint;
using Orvalite::MathTools::CRect;

class CScrollRecorder : public Orvalite::Basics::CCountedObject, public IScrollListener
{
public:
    void referenced() override { CCountedObject::referenced(); }
    void dereference() override { CCountedObject::dereference(); }
    long getReferenceCount() const override { return CCountedObject::getReferenceCount(); }
    void getObjectDescription(char *, long) const override {}
    Orvalite::Basics::CClass &getClass() const override { return CCountedObject::getClass(); }
    void handleScrollEvent(const CScrollEvent &event) override
    {
        EXPECT_TRUE(event.isVertical());
        EXPECT_EQ(event.getMaximum(), event.getScrollBar().getMaximumPosition());
        m_positions.push_back(event.getPosition());
    }

    std::vector<long> m_positions;
};

class Scrolling : public Orvalite::Testing::CControlWindowTest
{
protected:
    // A 150 × 120 panel at (10, 10) over content 130 wide and 400 high, with a
    // red box at (20, 100): a vertical bar only.
    CScrollPanel *addPanel()
    {
        CScrollPanel *panel = add<CScrollPanel>(CRect(10, 10, 150, 120));
        panel->setDefaultDrawing(true);
        for (const CRect &area : {CRect(20, 100, 50, 50), CRect(110, 0, 20, 20), CRect(0, 380, 20, 20)})
        {
            auto *box = new CAreaBox(panel, 0, area);
            box->setDefaultControlColours(CAlphaColour(255, 0, 0), CAlphaColour(255, 0, 0));
            panel->addControl(box);
        }
        return panel;
    }
};

TEST_F(Scrolling, TheThumbIsTheVisibleFractionOfTheBar)
{
    struct SCase
    {
        long width, height, content, visible;
        long thumb, maximum;
    };
    const SCase cases[] = {
        {20, 100, 400, 100, 25, 300},      {20, 100, 100, 100, 100, 0},  {20, 100, 50, 100, 100, 0},
        {20, 100, 100000, 100, 12, 99900}, {100, 20, 200, 100, 50, 100}, {20, 100, -5, -9, 100, 0},
    };
    for (const SCase &test : cases)
    {
        CScrollBar bar(&root(), 0, CRect(0, 0, test.width, test.height));
        bar.setScrollRange(test.content, test.visible);
        const CRect &thumb = bar.getHandleArea();
        EXPECT_EQ(bar.isVertical() ? thumb.getHeight() : thumb.getWidth(), test.thumb) << test.content;
        EXPECT_EQ(bar.getMaximumPosition(), test.maximum) << test.content;
    }
}

TEST_F(Scrolling, ABarReportsTheContentScrolledByDragPressAndWheel)
{
    CScrollRecorder recorder;
    CScrollBar *bar = add<CScrollBar>(CRect(0, 0, 20, 100));
    bar->setScrollRange(400, 100);
    bar->addScrollListener(&recorder);
    send(e_leftButtonDown, 10, 5);
    drag(10, 35);
    EXPECT_EQ(bar->getHandleArea().getTop(), 30);
    drag(10, 500);
    send(e_leftButtonUp, 10, 500);
    wheel(120, 10, 50);
    click(10, 20);
    // Thumb 25 on a travel of 75 over 300 pixels of content: 30 → 120; the end;
    // one notch back; a press at 20 centres the thumb at 7 → 28.
    EXPECT_EQ(recorder.m_positions, (std::vector<long>{120, 300, 252, 28}));
    EXPECT_EQ(bar->getScrollPosition(), 28);
    bar->removeScrollListener(&recorder);
    wheel(-120, 10, 50);
    EXPECT_EQ(recorder.m_positions.size(), 4u);
    EXPECT_EQ(events(), 5u) << "the action listener hears every move, the wheel's too";
}

TEST_F(Scrolling, TheDefaultImageFilesDrawTheThumbWhenPresent)
{
    using Orvalite::Testing::CImageFixtures;
    Orvalite::Testing::CTemporaryFolder folder;
    const auto write = [&](const char *name, long height, CImageFixtures::STargaPixel colour) {
        folder.write(name, CImageFixtures::targaFile(20, height, std::vector(size_t(20 * height), colour)));
    };
    write("ScrollBarTopCap.tga", 4, {255, 0, 0, 255});
    write("ScrollBarEndCap.tga", 4, {0, 255, 0, 255});
    write("ScrollBarRepeat.tga", 2, {0, 0, 255, 255});
    Orvalite::GUI::Graphics::CImageManager::setRootPath(folder.path().c_str());
    CScrollBar *bar = add<CScrollBar>(CRect(0, 0, 20, 100));
    bar->setScrollRange(400, 100);
    repaint();
    EXPECT_EQ(pixel(10, 1), argb(0, 0, 255)) << "top cap";
    EXPECT_EQ(pixel(10, 12), argb(255, 0, 0)) << "repeat";
    EXPECT_EQ(pixel(10, 23), argb(0, 255, 0)) << "end cap";
    EXPECT_EQ(pixel(10, 50), argb(255, 255, 255)) << "the track";
    EXPECT_EQ(bar->getImages(CSlider::e_over).image(CScrollBarImages::e_thumb), nullptr) << "no thumb file";
    CControlDescriptor repeat("Down Repeat", CControlDescriptor::e_image);
    bar->fillDescriptor(repeat);
    EXPECT_STREQ(static_cast<Orvalite::Basics::CString *>(repeat.getValue())->getString(), "ScrollBarRepeat.tga");
    Orvalite::GUI::Graphics::CImageManager::destroy();
}

TEST_F(Scrolling, APanelScrollsByWheelKeysAndItsBar)
{
    // Content 400 high in a view 120 high: 280 to scroll; the bar's thumb is
    // 36 long on a travel of 84.
    struct SCase
    {
        const char *label;
        std::function<void()> act;
        long scrolled;
    };
    const SCase cases[] = {
        {"wheel towards the user", [this] { wheel(-120, 50, 50); }, 48},
        {"wheel away at the top", [this] { wheel(120, 50, 50); }, 0},
        {"down", [this] { key(40); }, 16},
        {"page down", [this] { key(34); }, 104},
        {"end", [this] { key(35); }, 280},
        {"up at the top", [this] { key(38); }, 0},
        {"thumb dragged 42 pixels", [this] { dragFrom(152, 20, 152, 62); }, 140},
    };
    for (const SCase &test : cases)
    {
        CScrollPanel *panel = addPanel();
        send(e_mouseMove, 50, 50);
        test.act();
        EXPECT_EQ(panel->getScrollPosition(), CPoint(0, test.scrolled)) << test.label;
        EXPECT_EQ(panel->getControlAtIndex(0, true)->getWindowArea().getTop(), 110 - test.scrolled) << test.label;
        root().removeControl(panel);
    }
    CScrollPanel *panel = addPanel();
    ASSERT_NE(panel->getVerticalScrollBar(), nullptr);
    EXPECT_EQ(panel->getHorizontalScrollBar(), nullptr) << "the content is not wider than the view";
    send(e_mouseMove, 50, 50);
    key(35);
    key(36);
    EXPECT_EQ(panel->getScrollPosition(), CPoint(0, 0)) << "home";
    panel->setKeyboardEnabled(false);
    key(35);
    EXPECT_EQ(panel->getScrollPosition(), CPoint(0, 0)) << "keys scroll only a keyboard-enabled panel";
}

TEST_F(Scrolling, TheWheelTurnsAKnobInThePanelAndScrollsThePanelElsewhere)
{
    CScrollPanel *panel = addPanel();
    auto *knob = new CKnob(panel, 0, CRect(80, 0, 30, 30));
    panel->addControl(knob);
    const double before = knob->getValue();
    send(e_mouseMove, 95, 20);
    wheel(120, 95, 20);
    EXPECT_GT(knob->getValue(), before) << "the knob under the pointer turns";
    EXPECT_EQ(panel->getScrollPosition(), CPoint(0, 0)) << "and the panel stays";
    send(e_mouseMove, 40, 120);
    wheel(-120, 40, 120);
    EXPECT_EQ(panel->getScrollPosition(), CPoint(0, 48)) << "a box takes no wheel: the panel scrolls";
}

TEST_F(Scrolling, AScrolledChildIsReachedAndPaintedAtItsNewPlaceAndCutAtThePanelEdge)
{
    CScrollPanel *panel = addPanel();
    auto *button = new CLatchingButton(panel, 0, CRect(80, 200, 40, 20));
    panel->addControl(button);
    repaint();
    EXPECT_EQ(pixel(40, 125), argb(255, 0, 0)) << "the box's top, inside the panel";
    EXPECT_NE(pixel(40, 135), argb(255, 0, 0)) << "below the panel";
    EXPECT_EQ(pixel(152, 20), argb(153, 116, 188)) << "the bar's thumb, beside the view";
    panel->setScrollPosition(CPoint(0, 140));
    m_system.pump();
    EXPECT_EQ(pixel(40, 12), argb(255, 0, 0)) << "the box's bottom: window 110 - 140 + 50";
    EXPECT_EQ(pixel(40, 50), argb(255, 255, 255)) << "where the box was";
    EXPECT_EQ(panel->getControlAtPoint(CPoint(90, 65)), button) << "content (90, 205)";
    const double before = button->getValue();
    click(100, 75);
    EXPECT_NE(button->getValue(), before) << "a click where the button now shows reaches it";
    panel->addControl(new CAreaBox(panel, 0, CRect(200, 0, 10, 10)));
    EXPECT_NE(panel->getHorizontalScrollBar(), nullptr) << "content wider than the view";
    EXPECT_EQ(panel->getViewArea(), CRect(0, 140, 134, 104));
}
} // namespace
