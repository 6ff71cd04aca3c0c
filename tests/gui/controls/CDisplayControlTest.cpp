// Meters, labels, images and animations: what they show, read back from the
// screen, and how they answer the mouse and the clock.
#include "gui/controls/base/CControlFactory.h"
#include "gui/controls/buttons/CLatchingButton.h"
#include "gui/controls/displays/CAnimationFrame.h"
#include "gui/controls/displays/CAutoAnimation.h"
#include "gui/controls/displays/CImageLabel.h"
#include "gui/controls/displays/CLevelMeter.h"
#include "gui/controls/displays/CProgressBar.h"
#include "gui/controls/displays/CStepLabel.h"
#include "gui/controls/displays/CTriStateImage.h"
#include "gui/graphics/CGraphics.h"
#include "gui/graphics/CRGBAImage.h"

#include "tests/gui/controls/CControlWindowTest.h"
#include "tests/gui/controls/ColourStrips.h"
#include "tests/gui/controls/ControlXML.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
using namespace Orvalite::GUI::Controls;
using namespace Orvalite::GUI::Windowing;
using Orvalite::GUI::Graphics::CRGBAImage;
using Orvalite::MathTools::CRect;
using Orvalite::Testing::frameColour;
using Orvalite::Testing::makeStrip;

class DisplayControls : public Orvalite::Testing::CControlWindowTest
{
protected:
    template <class T> T *addLabel(const CRect &area)
    {
        auto *control = new T(&root(), 1, area);
        control->registerActionListener(&m_listener);
        root().addControl(control);
        return control;
    }
};

TEST_F(DisplayControls, DisplayOnlyControlsLetClicksThroughToTheControlBeneath)
{
    for (const char *type :
         {"CLevelMeter", "CProgressBar", "CImageLabel", "CAreaBox", "CAnimationFrame", "CAutoAnimation"})
    {
        IControl *display = nullptr;
        ASSERT_TRUE(CControlFactory::createControl(type, display, &root()));
        display->setArea(CRect(0, 0, 100, 100));
        root().addControl(display);
        add<CLatchingButton>(CRect(0, 0, 100, 100));
        m_listener.m_actions.clear();
        click(50, 50);
        EXPECT_EQ(events(), 1u) << type;
        root().clearControls();
    }
    IControl *box = nullptr;
    ASSERT_TRUE(CControlFactory::createControl("CAreaBox", box, &root()));
    root().addControl(box);
    repaint();
    EXPECT_EQ(pixel(0, 10), argb(0, 0, 0)) << "an area box's frame";
    EXPECT_EQ(pixel(10, 10), argb(255, 255, 255)) << "and background";
}

TEST_F(DisplayControls, ALevelMeterLightsWholeStepsFromTheBottom)
{
    struct SCase
    {
        double value;
        long steps, lit;
    };
    CLevelMeter *meter = add<CLevelMeter>(CRect(0, 0, 20, 100));
    for (const SCase &test : {SCase{0.0, 10, 0}, SCase{0.7, 10, 7}, SCase{0.29, 10, 2}, SCase{1.0, 10, 10},
                              SCase{0.5, 3, 1}, SCase{0.999, 256, 255}})
    {
        meter->setStepCount(test.steps);
        meter->setValue(test.value);
        EXPECT_EQ(meter->getLitSteps(), test.lit) << test.value << " of " << test.steps;
    }
    meter->setStepCount(0);
    meter->setStepCount(257);
    EXPECT_EQ(meter->getStepCount(), 256);
    meter->setStepCount(10);
    meter->setValue(0.3);
    meter->setValue(1.5);
    EXPECT_EQ(meter->getStepArea(0), CRect(0, 91, 20, 9)) << "the bottom tenth less the pixel between steps";
    EXPECT_EQ(meter->getStepColour(9).toARGB(), argb(243, 32, 32)) << "the top step has the max colour";
    repaint();
    EXPECT_EQ(pixel(10, 95), argb(102, 200, 85)) << "the base colour";
    EXPECT_EQ(pixel(10, 75), meter->getStepColour(2).toARGB());
    EXPECT_NE(pixel(10, 75), pixel(10, 95));
    EXPECT_EQ(pixel(10, 65), argb(255, 255, 255)) << "unlit";

    for (const char *count : {"0", "-1", "257", "2000000000"})
    {
        EXPECT_FALSE(meter->readFromXML(*Orvalite::Testing::descriptorNode("integer", "Step Count", count))) << count;
        EXPECT_EQ(meter->getStepCount(), 10) << count;
    }
}

TEST_F(DisplayControls, AProgressBarFillsFromTheLeftAndShowsTheRoundedPercentage)
{
    CProgressBar *bar = addLabel<CProgressBar>(CRect(0, 0, 200, 20));
    for (const auto &[value, text] :
         {std::pair{0.0, "0%"}, std::pair{0.424, "42%"}, std::pair{0.425, "43%"}, std::pair{1.0, "100%"}})
    {
        bar->setValue(value);
        EXPECT_STREQ(bar->getPercentageText().getString(), text) << value;
    }
    bar->setValue(0.5);
    bar->setValue(-0.2);
    EXPECT_EQ(bar->getBarArea(), CRect(0, 0, 100, 20));
    repaint();
    EXPECT_EQ(pixel(20, 10), argb(153, 116, 188));
    EXPECT_EQ(pixel(180, 10), argb(255, 255, 255));
}

TEST_F(DisplayControls, AStepLabelStepsThroughItsTextsAndWrapsOnlyWhenAsked)
{
    struct SStep
    {
        uint32_t message;
        bool wrap;
        const char *text;
        size_t events;
    };
    CStepLabel *label = addLabel<CStepLabel>(CRect(0, 0, 50, 20));
    label->setTexts({"Sine", "Saw", "Square"});
    const SStep steps[] = {
        {e_leftButtonDown, false, "Saw", 1},    {e_leftButtonDown, false, "Square", 2},
        {e_leftButtonDown, false, "Square", 2}, {e_leftButtonDown, true, "Sine", 3},
        {e_rightButtonDown, true, "Square", 4}, {e_rightButtonDown, false, "Saw", 5},
        {e_rightButtonDown, false, "Sine", 6},  {e_rightButtonDown, false, "Sine", 6},
    };
    for (const SStep &step : steps)
    {
        label->setWrap(step.wrap);
        send(step.message, 10, 10);
        send(step.message + 1, 10, 10);
        EXPECT_STREQ(label->getText().getString(), step.text) << step.events;
        EXPECT_EQ(events(), step.events) << step.text;
    }
    wheel(120, 10, 10);
    EXPECT_STREQ(label->getText().getString(), "Saw");
    EXPECT_EQ(m_listener.m_actions.back().value, 0.5);
    label->setValue(1.0);
    EXPECT_STREQ(label->getText().getString(), "Square");
    const auto screen = [this] {
        repaint();
        std::vector<uint32_t> pixels;
        for (long y = 0; y < 20; ++y)
        {
            for (long x = 0; x < 50; ++x)
            {
                pixels.push_back(pixel(x, y));
            }
        }
        return pixels;
    };
    const std::vector<uint32_t> square = screen();
    label->setValue(0.0);
    EXPECT_NE(screen(), square) << "the label shows the text it stepped to";
}

TEST_F(DisplayControls, ATriStateImageCyclesOnClicksAndShowsEachStatesImage)
{
    CTriStateImage *control = add<CTriStateImage>(CRect(0, 0, 50, 20));
    for (double value : {0.5, 1.0, 0.0})
    {
        click(10, 10);
        EXPECT_EQ(control->getValue(), value);
    }
    EXPECT_EQ(events(), 3u);
    control->setValue(0.5);
    repaint();
    EXPECT_EQ(pixel(10, 10), argb(0, 0, 0)) << "half filled in the frame colour";
    EXPECT_EQ(pixel(40, 10), argb(255, 255, 255));
    CRGBAImage *images[] = {makeStrip(4, 4, 1, 0), makeStrip(4, 4, 1, 1), makeStrip(4, 4, 1, 2)};
    control->setImages(images[0], images[1], images[2]);
    for (CRGBAImage *image : images)
    {
        image->dereference();
    }
    control->setValue(1.0);
    m_system.pump();
    EXPECT_EQ(pixel(25, 10), frameColour(2).toARGB()) << "the third image";
}

TEST_F(DisplayControls, ImagesAndFramesAreDrawnWhereTheyBelong)
{
    CImageLabel *label = add<CImageLabel>(CRect(0, 0, 100, 20));
    CRGBAImage *icon = makeStrip(10, 6, 1);
    label->setPrimaryImage(icon);
    icon->dereference();
    EXPECT_EQ(label->getImageArea(), CRect(45, 7, 10, 6)) << "centred at its own size";

    CAnimationFrame *frame = add<CAnimationFrame>(CRect(100, 0, 50, 50));
    CRGBAImage *strip = makeStrip(50, 50, 2);
    frame->setAnimation(strip, 50, 10);
    strip->dereference();
    EXPECT_EQ(frame->getNumberOfFrames(), 2) << "only two frames fit in the image";
    frame->setFrame(5);
    EXPECT_EQ(frame->getFrame(), 1);
    repaint();
    EXPECT_EQ(pixel(50, 10), frameColour(0).toARGB());
    EXPECT_NE(pixel(40, 10), frameColour(0).toARGB());
    EXPECT_EQ(pixel(125, 25), frameColour(1).toARGB());
    frame->setValue(0.4);
    m_system.pump();
    EXPECT_EQ(pixel(125, 25), frameColour(0).toARGB());
}

TEST_F(DisplayControls, AnAutoAnimationPlaysEachStyleOnItsOwnTimer)
{
    struct SCase
    {
        long style;
        std::vector<long> frames;
        bool playingAtEnd;
    };
    const SCase cases[] = {
        {CAutoAnimation::e_forward, {0, 1, 2, 3, 3, 3}, false},
        {CAutoAnimation::e_backward, {3, 2, 1, 0, 0}, false},
        {CAutoAnimation::e_bounce, {0, 1, 2, 3, 2, 1, 0, 1}, true},
        {CAutoAnimation::e_forwardLoop, {0, 1, 2, 3, 0, 1}, true},
        {CAutoAnimation::e_backwardLoop, {3, 2, 1, 0, 3}, true},
    };
    CRGBAImage *strip = makeStrip(20, 20, 4);
    for (const SCase &test : cases)
    {
        CAutoAnimation *animation = add<CAutoAnimation>(CRect(0, 0, 20, 20));
        animation->setAnimation(strip, 20, 4, false);
        animation->setStyle(test.style);
        animation->play();
        for (size_t tick = 0; tick < test.frames.size(); ++tick)
        {
            EXPECT_EQ(animation->getFrame(), test.frames[tick]) << "style " << test.style << " tick " << tick;
            m_system.advanceClock(CAutoAnimation::DEFAULT_FRAME_PERIOD);
        }
        EXPECT_EQ(pixel(10, 10), frameColour(animation->getFrame()).toARGB()) << test.style;
        EXPECT_EQ(animation->isPlaying(), test.playingAtEnd) << test.style;
        root().removeControl(animation);
        m_system.advanceClock(CAutoAnimation::DEFAULT_FRAME_PERIOD);
        EXPECT_EQ(m_system.findWindow(m_handle)->timers.size(), 0u) << "destroyed while playing";
    }

    CAutoAnimation *first = add<CAutoAnimation>(CRect(0, 0, 20, 20));
    CAutoAnimation *second = add<CAutoAnimation>(CRect(20, 0, 20, 20));
    for (CAutoAnimation *animation : {first, second})
    {
        animation->setAnimation(strip, 20, 4, false);
        animation->setStyle(CAutoAnimation::e_forwardLoop);
        animation->play();
    }
    auto window = std::make_unique<CWindow>(CRect(0, 0, 20, 20));
    window->intialiseWindow(window->getWindowAttributes(), true);
    auto *kept = new CAutoAnimation(&window->getControlRoot(), 1, CRect(0, 0, 20, 20));
    window->getControlRoot().addControl(kept);
    kept->setAnimation(strip, 20, 4, false);
    kept->play();
    kept->referenced();
    window.reset();
    EXPECT_FALSE(kept->isPlaying()) << "kept past its window, it no longer runs that window's timer";
    kept->dereference();
    strip->dereference();
    second->stop();
    m_system.advanceClock(CAutoAnimation::DEFAULT_FRAME_PERIOD);
    EXPECT_EQ(first->getFrame(), 1) << "stopping one animation leaves the other playing";
    EXPECT_EQ(second->getFrame(), 0);
}
} // namespace
