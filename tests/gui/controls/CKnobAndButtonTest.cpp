#include "gui/controls/base/CControlPanel.h"
#include "gui/controls/buttons/CLatchingButton.h"
#include "gui/controls/buttons/CMomentaryButton.h"
#include "gui/controls/sliders/CKnob.h"
#include "gui/controls/text/CTextLabel.h"

#include "tests/gui/controls/CControlWindowTest.h"
#include "tests/gui/controls/ColourStrips.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
using namespace Orvalite::GUI::Controls;
using namespace Orvalite::GUI::Windowing;
using Orvalite::MathTools::CRect;

class KnobsAndButtons : public Orvalite::Testing::CControlWindowTest
{
protected:
    template <class T> T *add(double value)
    {
        auto *control = CControlWindowTest::add<T>(CRect(50, 50, 50, 50));
        control->setValue(value);
        return control;
    }
    void setShift(bool shift) { m_system.setModifierState(SModifierState{false, shift, false}); }
    // The controls that reported, in order; knobs and buttons report events of type 0 only.
    std::vector<const IControl *> reported() const
    {
        std::vector<const IControl *> controls;
        for (const auto &action : m_listener.m_actions)
        {
            EXPECT_EQ(action.type, 0);
            controls.push_back(action.control);
        }
        return controls;
    }
};

TEST_F(KnobsAndButtons, KnobDragsMoveByDistanceTimesStepWithoutJumpsWhenShiftChanges)
{
    struct SMove
    {
        int16_t dx, dy;
        bool shift;
        double value;
    };
    struct SCase
    {
        const char *label;
        std::vector<SMove> moves;
        size_t events;
    };
    const SCase cases[] = {
        {"up 20, left 10", {{-10, -20, false, 0.55}}, 1},
        {"shift from the press", {{0, -1, true, 0.505}, {0, -2, true, 0.50505}}, 2},
        {"shift mid-drag", {{0, -10, false, 0.55}, {0, -12, true, 0.56}, {0, -112, true, 0.565}}, 3},
        {"past the top", {{0, -200, false, 1.0}, {0, -300, false, 1.0}, {0, -250, false, 1.0}}, 1},
        {"past the bottom", {{100, 200, false, 0.0}, {0, 300, false, 0.0}}, 1},
    };
    for (const SCase &test : cases)
    {
        CKnob *knob = add<CKnob>(0.5);
        m_listener.m_actions.clear();
        setShift(false);
        send(e_leftButtonDown, 75, 75);
        for (const SMove &move : test.moves)
        {
            setShift(move.shift);
            send(e_mouseMove, static_cast<int16_t>(75 + move.dx), static_cast<int16_t>(75 + move.dy), e_leftButtonHeld);
            EXPECT_NEAR(knob->getValue(), move.value, 1e-12) << test.label;
        }
        send(e_leftButtonUp, 0, 0);
        EXPECT_EQ(events(), test.events) << test.label;
        EXPECT_FALSE(root().controlIsLocked()) << test.label;
        root().removeControl(knob);
    }
}

TEST_F(KnobsAndButtons, KnobWheelStepsAndDoubleClickRestoresTheDefault)
{
    struct SCase
    {
        double start;
        int16_t delta;
        bool shift;
        double value;
        size_t events;
    };
    const SCase cases[] = {
        {0.5, 120, false, 0.525, 1},  {0.5, 5, false, 0.525, 1},   {0.5, -360, false, 0.475, 1},
        {0.5, 120, true, 0.50625, 1}, {0.5, -1, true, 0.49375, 1}, {0.99, 120, false, 1.0, 1},
        {1.0, 120, false, 1.0, 0},    {0.5, 0, false, 0.5, 0},
    };
    for (const SCase &test : cases)
    {
        CKnob *knob = add<CKnob>(test.start);
        m_listener.m_actions.clear();
        setShift(test.shift);
        wheel(test.delta, 60, 60);
        EXPECT_NEAR(knob->getValue(), test.value, 1e-12) << test.start << " " << test.delta;
        EXPECT_EQ(events(), test.events) << test.start << " " << test.delta;
        root().removeControl(knob);
    }
    CKnob *knob = add<CKnob>(0.5);
    m_listener.m_actions.clear();
    send(e_leftButtonDoubleClick, 60, 60);
    knob->setDefaultValue(0.25);
    send(e_leftButtonDoubleClick, 60, 60);
    EXPECT_EQ(knob->getValue(), 0.25);
    EXPECT_EQ(reported(), (std::vector<const IControl *>{knob, knob})) << "a double click always fires";
}

TEST_F(KnobsAndButtons, ADraggedKnobShowsTheFilmStripFrameForItsValue)
{
    // Two 50 × 50 frames: the first (value 0) on top of the second (value 1).
    auto *strip = Orvalite::Testing::makeStrip(50, 50, 2);
    CKnob *knob = add<CKnob>(0.0);
    knob->setAnimation(strip, 50, 2, false);
    strip->dereference();
    repaint();
    EXPECT_EQ(pixel(75, 75), Orvalite::Testing::frameColour(0).toARGB());
    dragFrom(75, 75, 75, -125);
    EXPECT_EQ(knob->getValue(), 1.0);
    m_system.pump();
    EXPECT_EQ(pixel(75, 75), Orvalite::Testing::frameColour(1).toARGB()) << "the knob asked for its own repaint";
}

TEST_F(KnobsAndButtons, AKnobDragWhoseReleaseWasLostEndsAtTheNextMove)
{
    CKnob *knob = add<CKnob>(0.5);
    send(e_leftButtonDown, 75, 75);
    send(e_mouseMove, 75, 60);
    EXPECT_FALSE(knob->isDragging());
    EXPECT_FALSE(root().controlIsLocked());
}

TEST_F(KnobsAndButtons, LatchingButtonsTurnOnFromOneHalfAndFlipOnRelease)
{
    struct SCase
    {
        double start;
        bool startState;
        double afterClick;
        bool stateAfterClick;
    };
    const SCase cases[] = {
        {0.49, false, 0.51, true}, {0.5, true, 0.5, true}, {0.3, false, 0.7, true}, {0.7, true, 0.3, false}};
    for (const SCase &test : cases)
    {
        auto *button = add<CLatchingButton>(test.start);
        m_listener.m_actions.clear();
        EXPECT_EQ(button->getState(), test.startState) << test.start;
        EXPECT_TRUE(events() == 0) << "setValue fires nothing";
        send(e_leftButtonDown, 60, 60);
        EXPECT_EQ(root().getLockedControl(), button) << test.start;
        send(e_leftButtonUp, 60, 60);
        EXPECT_NEAR(button->getValue(), test.afterClick, 1e-12) << test.start;
        EXPECT_EQ(button->getState(), test.stateAfterClick) << test.start;
        EXPECT_EQ(events(), 1u) << test.start;
        root().removeControl(button);
    }
}

TEST_F(KnobsAndButtons, MomentaryButtonsAreOnOnlyWhileHeldAndFireOnRelease)
{
    auto *button = add<CMomentaryButton>(0.999);
    EXPECT_FALSE(button->getState());
    button->setValue(1.0);
    EXPECT_TRUE(button->getState());
    button->setValue(0.0);
    send(e_leftButtonDown, 60, 60);
    EXPECT_TRUE(button->getState());
    EXPECT_EQ(events(), 0u);
    send(e_leftButtonUp, 60, 60);
    EXPECT_FALSE(button->getState());
    EXPECT_EQ(events(), 1u);

    send(e_leftButtonDown, 60, 60);
    drag(10, 10);
    EXPECT_FALSE(button->getState()) << "leaving while held lets go";
    EXPECT_FALSE(root().controlIsLocked());
}

TEST_F(KnobsAndButtons, ButtonsGiveUpTheHoverLockWhenThePointerLeavesTheWindow)
{
    auto *button = add<CLatchingButton>(0.0);
    send(e_mouseMove, 60, 60);
    EXPECT_EQ(root().getLockedControl(), button);
    send(e_mouseLeave, 0, 0);
    EXPECT_FALSE(root().controlIsLocked());
}

TEST_F(KnobsAndButtons, ControlsFoundByNameAndClassAreBoundAndTheTreeFollowsThePanels)
{
    auto *panel = new CControlPanel(&root(), 1, CRect(0, 0, 100, 100));
    root().addControl(panel);
    auto *knob = new CKnob(panel, 2, CRect(50, 50, 50, 50));
    knob->setName("Gain");
    panel->addControl(knob);
    panel->addControl(new CTextLabel(panel, 3, CRect(0, 0, 40, 10), "dB"));
    root().addControl(new CKnob(&root(), 4, CRect(200, 0, 40, 40)));

    EXPECT_EQ(root().findControl("Gain", &m_listener, 9, CTextLabel::getClassRecord()), nullptr);
    EXPECT_EQ(root().findControl("Gain", &m_listener, 9, CControl::getClassRecord()), knob) << "a base class matches";
    EXPECT_EQ(root().findControl("Gone", &m_listener, 9, CKnob::getClassRecord()), nullptr);
    EXPECT_EQ(knob->getUniqueId(), 9);
    send(e_leftButtonDoubleClick, 60, 60);
    EXPECT_EQ(reported(), (std::vector<const IControl *>{knob}));

    Orvalite::Collections::TTreeNode<IControl> tree;
    root().buildControlTree(tree);
    ASSERT_EQ(tree.getNumberOfChildren(), 2);
    EXPECT_EQ(tree.getChildAtIndex(0)->getValue(), panel);
    ASSERT_EQ(tree.getChildAtIndex(0)->getNumberOfChildren(), 2);
    EXPECT_EQ(tree.getChildAtIndex(0)->getChildAtIndex(0)->getValue(), knob);
    EXPECT_EQ(tree.getChildAtIndex(1)->getNumberOfChildren(), 0);
}
} // namespace
