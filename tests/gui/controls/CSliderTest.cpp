#include "gui/controls/sliders/CSlider.h"
#include "gui/controls/sliders/CCenterSlider.h"
#include "gui/controls/sliders/CModulatedSlider.h"
#include "gui/controls/sliders/CSliderArray.h"
#include "gui/graphics/CRGBAImage.h"

#include "tests/gui/controls/CControlWindowTest.h"
#include "tests/gui/controls/ControlXML.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
using namespace Orvalite::GUI::Controls;
using namespace Orvalite::GUI::Windowing;
using Orvalite::MathTools::CRect;

class Sliders : public Orvalite::Testing::CControlWindowTest
{
protected:
    const Orvalite::Testing::CActionRecorder::SAction &last() const { return m_listener.m_actions.back(); }
};

TEST_F(Sliders, TheHandleIsAThirdOfTheLongerSide)
{
    struct SCase
    {
        long width, height;
        bool vertical;
        long handleWidth, handleHeight;
        double travel;
    };
    const SCase cases[] = {
        {20, 100, true, 20, 33, 67}, {100, 20, false, 33, 20, 67}, {30, 30, true, 30, 10, 20}, {0, 0, true, 0, 0, 0}};
    for (const SCase &test : cases)
    {
        CSlider slider(&root(), 0, CRect(0, 0, test.width, test.height));
        EXPECT_EQ(slider.isVertical(), test.vertical) << test.width << "x" << test.height;
        EXPECT_EQ(slider.getHandleArea(), CRect(0, 0, test.handleWidth, test.handleHeight)) << test.width;
        EXPECT_EQ(slider.getTravel(), test.travel) << test.width << "x" << test.height;
    }
}

TEST_F(Sliders, AValueSetOrDraggedPutsTheHandleInTheSamePlace)
{
    CSlider *slider = add<CSlider>(CRect(10, 10, 20, 100));
    slider->setValue(0.5);
    slider->setValue(1.5);
    slider->setValue(-0.1);
    EXPECT_EQ(slider->getValue(), 0.5);
    EXPECT_EQ(slider->getHandleArea().getTop(), 34) << "(1 - 0.5) x 67, rounded";

    send(e_leftButtonDown, 15, 100);
    EXPECT_EQ(slider->getHandleArea().getTop(), 67) << "centred on y = 90, held inside the control";
    EXPECT_EQ(slider->getValue(), 0.0);
    ASSERT_EQ(events(), 1u);
    drag(15, 5);
    EXPECT_EQ(slider->getHandleArea().getTop(), 67) << "above the control nothing moves";
    EXPECT_EQ(events(), 1u);
    drag(15, 60);
    EXPECT_EQ(slider->getHandleArea().getTop(), 27) << "y 50 less the grab offset 23";
    const double dragged = slider->getValue();
    EXPECT_NEAR(dragged, 1.0 - 27.0 / 67.0, 1e-12);
    slider->setValue(dragged);
    EXPECT_EQ(slider->getHandleArea().getTop(), 27);
    send(e_leftButtonUp, 15, 60);
    EXPECT_EQ(slider->getHandleState(), CSlider::e_over);
    EXPECT_EQ(root().getLockedControl(), slider) << "released on the handle: the rollover goes on";
    send(e_mouseMove, 100, 100);
    EXPECT_FALSE(root().controlIsLocked());

    CSlider *horizontal = add<CSlider>(CRect(50, 120, 100, 20));
    horizontal->setValue(0.25);
    EXPECT_EQ(horizontal->getHandleArea().getLeft(), 50) << "(1 - 0.25) x 67, rounded";
}

TEST_F(Sliders, WithoutTravelNothingMovesAndNothingIsReported)
{
    auto *image = new Orvalite::GUI::Graphics::CRGBAImage();
    image->referenced();
    ASSERT_TRUE(image->initialise(20, 100));
    CSlider *empty = add<CSlider>(CRect(0, 0, 0, 0));
    CSlider *covered = add<CSlider>(CRect(100, 0, 20, 100));
    covered->setHandleImages(image, nullptr, nullptr, nullptr);
    image->dereference();
    EXPECT_EQ(covered->getHandleArea(), CRect(0, 0, 20, 100));
    for (const auto &[slider, x, y] : {std::tuple{empty, 0, 0}, std::tuple{covered, 110, 50}})
    {
        dragFrom(static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(x),
                 static_cast<int16_t>(y + 30));
        EXPECT_EQ(slider->getValue(), 1.0);
        EXPECT_EQ(slider->getHandleArea().getTop(), 0);
    }
    EXPECT_EQ(events(), 0u);
}

TEST_F(Sliders, LeavingTheWindowEndsTheRolloverLock)
{
    CSlider *slider = add<CSlider>(CRect(10, 10, 20, 100));
    send(e_mouseMove, 20, 20);
    EXPECT_EQ(slider->getHandleState(), CSlider::e_over);
    EXPECT_EQ(root().getLockedControl(), slider);
    send(e_mouseLeave, 0, 0);
    EXPECT_FALSE(root().controlIsLocked());
    EXPECT_EQ(slider->getHandleState(), CSlider::e_normal);
    click(150, 140);
    EXPECT_EQ(slider->getValue(), 1.0) << "a press elsewhere does not reach the slider";
    EXPECT_EQ(events(), 0u);
}

TEST_F(Sliders, TheHandleIsDrawnTwoPixelsInsideInTheStateColourWithABlackOutline)
{
    add<CSlider>(CRect(10, 10, 20, 100));
    repaint();
    EXPECT_EQ(pixel(12, 20), argb(0, 0, 0)) << "outline";
    EXPECT_EQ(pixel(20, 20), argb(153, 116, 188));
    EXPECT_EQ(pixel(11, 20), argb(255, 255, 255)) << "the track shows between area and inset";
    EXPECT_EQ(pixel(20, 80), argb(255, 255, 255));
    send(e_mouseMove, 20, 20);
    m_system.pump();
    EXPECT_EQ(pixel(20, 20), argb(239, 149, 41)) << "over";
    send(e_leftButtonDown, 20, 20);
    m_system.pump();
    EXPECT_EQ(pixel(20, 20), argb(243, 32, 32)) << "down";
}

TEST_F(Sliders, ASliderArrayPaintsBarsFromThePointerAndRefusesUnsoundCounts)
{
    CSliderArray *bars = add<CSliderArray>(CRect(0, 0, 200, 100));
    send(e_leftButtonDown, 30, 25);
    drag(47, 40);
    drag(55, 50);
    send(e_leftButtonUp, 55, 50);
    ASSERT_EQ(events(), 2u) << "bar 1, a gap, bar 2";
    EXPECT_EQ(m_listener.m_actions[0].type, 1);
    EXPECT_EQ(m_listener.m_actions[0].value, 0.75);
    EXPECT_EQ(last().type, 2);
    EXPECT_EQ(bars->getSliderValue(2), 0.5);
    repaint();
    EXPECT_EQ(pixel(30, 60), argb(153, 116, 188));
    EXPECT_EQ(pixel(30, 20), argb(255, 255, 255));

    const std::pair<const char *, const char *> refused[] = {
        {"Slider Count", "0"},        {"Slider Count", "-3"}, {"Slider Count", "129"}, {"Slider Width", "0"},
        {"Slider Width", "99999999"}, {"Gap Width", "-1"},    {"Gap Width", "999999"},
    };
    for (const auto &[name, value] : refused)
    {
        EXPECT_FALSE(bars->readFromXML(*Orvalite::Testing::descriptorNode("integer", name, value)))
            << name << " " << value;
        EXPECT_EQ(bars->getSliderCount(), 8) << name << " " << value;
    }
    EXPECT_FALSE(bars->setLayout(1, 0, 0));
    EXPECT_TRUE(bars->setLayout(128, 1, 0));
    EXPECT_EQ(bars->sliderAt(127), 127);
    EXPECT_EQ(bars->sliderAt(128), -1);
}

TEST_F(Sliders, ACentreSliderFollowsThePointerAndDrawsFromTheCentre)
{
    CCenterSlider *slider = add<CCenterSlider>(CRect(0, 0, 100, 20));
    EXPECT_EQ(slider->getValue(), 0.5);
    send(e_leftButtonDown, 75, 10);
    EXPECT_EQ(slider->getValue(), 0.75);
    m_system.pump();
    EXPECT_EQ(pixel(60, 10), argb(243, 32, 32)) << "between the centre and the value, while down";
    EXPECT_EQ(pixel(40, 10), argb(255, 255, 255));
    drag(-40, 10);
    EXPECT_EQ(slider->getValue(), 0.0);
    send(e_leftButtonUp, 20, 10);
    m_system.pump();
    EXPECT_EQ(pixel(30, 10), argb(239, 149, 41)) << "over after the release";
    send(e_leftButtonDoubleClick, 20, 10);
    EXPECT_EQ(slider->getValue(), 0.5);
    EXPECT_EQ(events(), 3u);
    send(e_mouseLeave, 0, 0);
    EXPECT_FALSE(root().controlIsLocked());
}

TEST_F(Sliders, RangeHandlesCannotCrossAndLockedHandlesStay)
{
    // 150 wide: handles of 10 on a track of 130; 0.25 … 0.75 puts them at 33 and 108.
    struct SCase
    {
        const char *label;
        bool jumpToMax, lockMinimum;
        int16_t press, moveTo;
        long type;
        double minimum, maximum;
    };
    const SCase cases[] = {
        {"minimum dragged past the maximum", false, false, 38, 140, 0, 0.75, 0.75},
        {"maximum dragged below the minimum", false, false, 113, 0, 1, 0.25, 0.25},
        {"beside: the nearer handle jumps", false, false, 130, 130, 1, 0.25, 115.0 / 130.0},
        {"beside, jump to max", true, false, 20, 20, 1, 0.25, 0.25},
        {"beside the locked minimum", false, true, 20, 20, -1, 0.25, 0.75},
    };
    for (const SCase &test : cases)
    {
        CRangeSlider *range = add<CRangeSlider>(CRect(0, 0, 150, 100));
        m_listener.m_actions.clear();
        range->setJumpToMax(test.jumpToMax);
        range->setLocks(test.lockMinimum, false);
        dragFrom(test.press, 50, test.moveTo, 50);
        EXPECT_NEAR(range->getMinimum(), test.minimum, 1e-12) << test.label;
        EXPECT_NEAR(range->getMaximum(), test.maximum, 1e-12) << test.label;
        EXPECT_EQ(events() ? last().type : -1, test.type) << test.label;
        send(e_mouseLeave, 0, 0);
        root().removeControl(range);
    }
    CRangeSlider *narrow = add<CRangeSlider>(CRect(0, 120, 15, 20));
    m_listener.m_actions.clear();
    dragFrom(5, 130, 14, 130);
    EXPECT_EQ(narrow->getMinimum(), 0.25) << "no room for two handles: nothing moves";
    EXPECT_EQ(narrow->getMaximum(), 0.75);
    EXPECT_EQ(events(), 0u);
}

TEST_F(Sliders, TheModulationMarkStaysInsideTheRange)
{
    CModulatedSlider *slider = add<CModulatedSlider>(CRect(0, 0, 150, 20));
    slider->setModulationValue(1.0);
    slider->setModulationValue(1.5);
    EXPECT_EQ(slider->getModulationValue(), 1.0);
    EXPECT_EQ(slider->getMarkArea(), CRect(107, 0, 2, 20)) << "held at the maximum, 0.75";
    repaint();
    EXPECT_EQ(pixel(107, 10), argb(32, 160, 240));
    EXPECT_EQ(pixel(70, 10), argb(153, 116, 188)) << "the range band";
    EXPECT_EQ(pixel(38, 10), argb(153, 116, 188)) << "the minimum handle";
    EXPECT_EQ(pixel(33, 10), argb(0, 0, 0)) << "its outline";
    dragFrom(113, 10, 73, 10);
    EXPECT_NEAR(slider->getMaximum(), 58.0 / 130.0, 1e-12) << "the handle moved from 108 to 68";
    EXPECT_EQ(slider->getMarkArea(), CRect(67, 0, 2, 20)) << "the mark follows the maximum down";
}
} // namespace
