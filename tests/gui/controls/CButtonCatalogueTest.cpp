#include "foundation/io/CXMLNode.h"
#include "gui/controls/buttons/CRadioButton.h"
#include "gui/controls/buttons/CRepeatingButton.h"

#include "tests/gui/controls/CControlWindowTest.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
using namespace Orvalite::GUI::Controls;
using namespace Orvalite::GUI::Windowing;
using Orvalite::MathTools::CRect;

class ButtonCatalogue : public Orvalite::Testing::CControlWindowTest
{
protected:
    void advance(long milliseconds)
    {
        for (long step = 0; step < milliseconds; step += 10)
        {
            m_system.advanceClock(10);
        }
    }
    int cursor() const { return m_system.findWindow(m_handle)->cursor; }
};

TEST_F(ButtonCatalogue, ARolloverButtonClicksOnlyWhenReleasedOnIt)
{
    CRolloverButton *button = add<CRolloverButton>(CRect(50, 50, 50, 50));
    repaint();
    EXPECT_EQ(pixel(75, 75), argb(243, 32, 32)) << "off";
    send(e_mouseMove, 75, 75);
    EXPECT_EQ(button->getState(), CRolloverButton::e_over);
    EXPECT_EQ(root().getLockedControl(), button);
    EXPECT_EQ(cursor(), 1) << "the hand";
    m_system.pump();
    EXPECT_EQ(pixel(75, 75), argb(239, 149, 41)) << "over";
    send(e_leftButtonDown, 75, 75);
    EXPECT_EQ(button->getValue(), 1.0);
    m_system.pump();
    EXPECT_EQ(pixel(75, 75), argb(102, 200, 85)) << "on";
    send(e_leftButtonUp, 75, 75);
    EXPECT_EQ(button->getState(), CRolloverButton::e_over);
    ASSERT_EQ(events(), 1u);
    EXPECT_EQ(m_listener.m_actions[0].value, 0.0);

    send(e_leftButtonDown, 75, 75);
    drag(10, 10);
    EXPECT_EQ(button->getState(), CRolloverButton::e_off);
    send(e_leftButtonUp, 10, 10);
    EXPECT_EQ(events(), 1u) << "released beside the button: cancelled";
    EXPECT_FALSE(root().controlIsLocked());
    EXPECT_EQ(cursor(), 0);
    send(e_mouseMove, 75, 75);
    send(e_mouseLeave, 0, 0);
    EXPECT_EQ(button->getState(), CRolloverButton::e_off);
    EXPECT_FALSE(root().controlIsLocked());

    send(e_leftButtonUp, 75, 75);
    EXPECT_EQ(events(), 1u) << "a release without a press is no click";
}

TEST_F(ButtonCatalogue, ARepeatingButtonRepeatsWhileHeldAndStopsForEveryWayOfLettingGo)
{
    struct SCase
    {
        const char *label;
        std::function<void(CRepeatingButton *)> letGo;
    };
    const SCase cases[] = {
        {"release", [this](CRepeatingButton *) { send(e_leftButtonUp, 75, 75); }},
        {"pointer leaves the button", [this](CRepeatingButton *) { drag(10, 10); }},
        {"pointer leaves the window", [this](CRepeatingButton *) { send(e_mouseLeave, 0, 0); }},
        {"capture lost", [this](CRepeatingButton *) { m_system.setCapture(9999); }},
        {"removed and destroyed", [this](CRepeatingButton *button) { root().removeControl(button); }},
    };
    for (const SCase &test : cases)
    {
        m_listener.m_actions.clear();
        CRepeatingButton *button = add<CRepeatingButton>(CRect(50, 50, 50, 50));
        send(e_leftButtonDown, 75, 75);
        EXPECT_EQ(events(), 1u) << "a press acts at once";
        advance(390);
        EXPECT_EQ(events(), 1u) << test.label;
        advance(10);
        EXPECT_EQ(events(), 2u) << test.label;
        advance(200);
        EXPECT_EQ(events(), 4u) << test.label;
        test.letGo(button);
        advance(1000);
        EXPECT_EQ(events(), 4u) << test.label;
        EXPECT_EQ(m_system.findWindow(m_handle)->timers.size(), 0u) << test.label;
        send(e_leftButtonUp, 0, 0);
        root().removeControl(button);
    }
}

TEST_F(ButtonCatalogue, EachRepeatingButtonHasATimerOfItsOwnThatEndsWithItsPlaceInTheRoot)
{
    CRepeatingButton *held = add<CRepeatingButton>(CRect(0, 0, 50, 50));
    CRepeatingButton *other = add<CRepeatingButton>(CRect(100, 0, 50, 50));
    ASSERT_NE(held->getTimerId(), other->getTimerId());
    auto *kept = add<CRepeatingButton>(CRect(0, 100, 50, 50));
    kept->referenced();
    send(e_leftButtonDown, 10, 110);
    root().removeControl(kept);
    advance(400);
    EXPECT_FALSE(kept->isRepeating()) << "a button that left its root stops at its next tick";
    kept->dereference();
}

TEST_F(ButtonCatalogue, ARadioGroupAlwaysHasExactlyOneChoice)
{
    CRadioButton *group = add<CRadioButton>(CRect(0, 0, 200, 50));
    ASSERT_EQ(group->getButtonCount(), 3);
    EXPECT_EQ(group->getControlAtIndex(1, true)->getArea(), CRect(68, 0, 64, 50)) << "(200 - 2 x 4) / 3 each";
    struct SClick
    {
        int16_t x;
        long selected;
        double value;
    };
    for (const SClick &test : {SClick{100, 1, 0.5}, SClick{100, 1, 0.5}, SClick{190, 2, 1.0}, SClick{10, 0, 0.0}})
    {
        click(test.x, 25);
        EXPECT_EQ(group->getSelectedIndex(), test.selected) << test.x;
        EXPECT_EQ(group->getValue(), test.value) << test.x;
        for (long index = 0; index < 3; ++index)
        {
            EXPECT_EQ(group->getControlAtIndex(index, true)->getValue(), index == test.selected ? 1.0 : 0.0);
        }
        EXPECT_EQ(m_listener.m_actions.back().type, test.selected);
    }
    group->setValue(0.6);
    repaint();
    EXPECT_EQ(pixel(100, 25), argb(102, 200, 85)) << "the chosen button is on";
    EXPECT_EQ(pixel(30, 25), argb(243, 32, 32));

    Orvalite::IO::CXMLNode written("controls");
    ASSERT_TRUE(root().serialiseToXML(written));
    ASSERT_TRUE(root().readFromXML(written));
    auto *read = dynamic_cast<CRadioButton *>(root().getControlAtIndex(0, true));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->getButtonCount(), 3);
    click(190, 25);
    EXPECT_EQ(read->getSelectedIndex(), 2) << "buttons read from XML report to their group";
}
} // namespace
