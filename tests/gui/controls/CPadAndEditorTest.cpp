#include "gui/controls/pads/CADSREditor.h"
#include "gui/controls/pads/CModulatedXYPad.h"
#include "gui/controls/pads/CWaveCycle.h"

#include "tests/gui/controls/CControlWindowTest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
using namespace Orvalite::GUI::Controls;
using namespace Orvalite::GUI::Windowing;
using Orvalite::MathTools::CPoint;
using Orvalite::MathTools::CRect;

using PadsAndEditors = Orvalite::Testing::CControlWindowTest;

TEST_F(PadsAndEditors, AnXYPadHandleJumpsToThePressAndDragsWithinThePad)
{
    CXYPad *pad = add<CXYPad>(CRect(0, 0, 150, 150));
    EXPECT_EQ(pad->getHandleArea(), CRect(67, 67, 16, 16)) << "0.5 of the 134 pixels of travel each way";
    pad->setValues(1.5, 0.0);
    pad->setValue(-1.0);
    EXPECT_EQ(pad->getHandleArea(), CRect(67, 67, 16, 16));
    repaint();
    EXPECT_EQ(pixel(75, 75), argb(153, 116, 188));
    EXPECT_EQ(pixel(20, 20), argb(255, 255, 255));

    send(e_leftButtonDown, 20, 130);
    EXPECT_EQ(pad->getHandleArea(), CRect(12, 122, 16, 16)) << "centred on the press";
    EXPECT_NEAR(pad->getValue(), 12.0 / 134.0, 1e-12);
    EXPECT_NEAR(pad->getYValue(), 1.0 - 122.0 / 134.0, 1e-12);
    CXYPad copy(&root(), 0, CRect(0, 0, 150, 150));
    copy.setValues(pad->getValue(), pad->getYValue());
    EXPECT_EQ(copy.getHandleArea(), pad->getHandleArea()) << "set and dragged values place the handle alike";
    m_system.pump();
    EXPECT_EQ(pixel(20, 130), argb(243, 32, 32)) << "down";
    drag(300, -50);
    EXPECT_EQ(pad->getHandleArea(), CRect(134, 0, 16, 16)) << "held inside the pad";
    EXPECT_EQ(pad->getValue(), 1.0);
    EXPECT_EQ(pad->getYValue(), 1.0);
    send(e_leftButtonUp, 300, -50);
    EXPECT_EQ(events(), 2u);
    EXPECT_FALSE(root().controlIsLocked());
    send(e_mouseMove, 140, 8);
    EXPECT_EQ(pad->getHandleState(), CXYPad::e_over);
    EXPECT_EQ(root().getLockedControl(), pad);
    send(e_mouseLeave, 0, 0);
    EXPECT_EQ(pad->getHandleState(), CXYPad::e_off);
    EXPECT_FALSE(root().controlIsLocked());
}

TEST_F(PadsAndEditors, TheModulatedHandleFollowsOnlyItsValues)
{
    CModulatedXYPad *pad = add<CModulatedXYPad>(CRect(0, 0, 150, 150));
    pad->setModulatedValues(1.0, 1.0);
    pad->setModulatedValues(0.5, 2.0);
    EXPECT_EQ(pad->getModHandleArea(), CRect(134, 0, 16, 16));
    repaint();
    EXPECT_EQ(pixel(134, 8), argb(239, 149, 41)) << "outlined in the over colour";
    click(140, 8);
    EXPECT_EQ(pad->getModHandleArea(), CRect(134, 0, 16, 16));
    EXPECT_EQ(pad->getHandleArea(), CRect(132, 0, 16, 16)) << "the user's handle took the press";
}

TEST_F(PadsAndEditors, ADSRHandlesKeepTheirTimeOrderWhereverTheyAreDragged)
{
    // 150 × 100: quarters of 149 / 4 pixels, levels over 99 rows; 0.2, 0.3, 0.6, 0.4 to start.
    struct SCase
    {
        long handle;
        int16_t x, y;
        double attack, decay, sustain, release;
        std::vector<long> types;
    };
    const SCase cases[] = {
        {0, 500, 50, 1.0, 0.3, 0.6, 0.4, {0}},       {0, -50, 50, 0.0, 0.3, 0.6, 0.4, {0}},
        {1, -50, -20, 0.2, 0.0, 1.0, 0.4, {1, 2}},   {1, 500, 120, 0.2, 1.0, 0.0, 0.4, {1, 2}},
        {2, 0, 75, 0.2, 0.3, 24.0 / 99.0, 0.4, {2}}, {3, -50, 0, 0.2, 0.3, 0.6, 0.0, {3}},
        {3, 500, 0, 0.2, 0.3, 0.6, 1.0, {3}},
    };
    for (const SCase &test : cases)
    {
        CADSREditor *editor = add<CADSREditor>(CRect(0, 0, 150, 100));
        m_listener.m_actions.clear();
        const CPoint handle = editor->getHandlePosition(test.handle);
        send(e_leftButtonDown, static_cast<int16_t>(handle.getXPosition() + 2),
             static_cast<int16_t>(handle.getYPosition() + 1));
        EXPECT_EQ(editor->getSelectedHandle(), test.handle);
        drag(test.x, test.y);
        send(e_leftButtonUp, test.x, test.y);
        const double expected[] = {test.attack, test.decay, test.sustain, test.release};
        for (long parameter = 0; parameter < CADSREditor::NUMBER_OF_PARAMETERS; ++parameter)
        {
            EXPECT_NEAR(editor->getParameter(parameter), expected[parameter], 1e-12)
                << "handle " << test.handle << " to " << test.x << ", parameter " << parameter;
        }
        for (long index = 0; index + 1 < 4; ++index)
        {
            EXPECT_LE(editor->getHandlePosition(index).getXPosition(),
                      editor->getHandlePosition(index + 1).getXPosition());
        }
        std::vector<long> types;
        for (const auto &action : m_listener.m_actions)
        {
            types.push_back(action.type);
        }
        EXPECT_EQ(types, test.types) << "handle " << test.handle;
        EXPECT_FALSE(root().controlIsLocked());
        root().removeControl(editor);
    }
}

TEST_F(PadsAndEditors, TheADSREnvelopeIsFilledAndTheSelectedHandleStandsOut)
{
    CADSREditor *editor = add<CADSREditor>(CRect(0, 0, 150, 100));
    click(19, 40);
    EXPECT_EQ(editor->getSelectedHandle(), 1);
    repaint();
    EXPECT_EQ(pixel(19, 40), argb(243, 32, 32)) << "the selected handle";
    EXPECT_EQ(pixel(56, 41), argb(239, 149, 41)) << "another handle";
    EXPECT_EQ(pixel(40, 80), argb(153, 116, 188)) << "under the sustain";
    EXPECT_EQ(pixel(110, 20), argb(255, 255, 255)) << "after the release";
    send(e_leftButtonDown, 110, 20);
    EXPECT_EQ(editor->getSelectedHandle(), -1);
    EXPECT_FALSE(root().controlIsLocked());
}

TEST_F(PadsAndEditors, AWaveIsDrawnWithTheMouseAndShownAroundItsZeroLine)
{
    CWaveCycle *wave = add<CWaveCycle>(CRect(0, 0, 100, 100));
    ASSERT_EQ(wave->getSamples().size(), 128u);
    EXPECT_NEAR(wave->getSamples()[32], 1.0, 1e-3) << "a sine cycle to start";
    dragFrom(0, 0, 99, 99);
    EXPECT_EQ(events(), 2u);
    for (size_t index : {size_t{0}, size_t{40}, size_t{127}})
    {
        EXPECT_NEAR(wave->getSamples()[index], 1.0 - 2.0 * static_cast<double>(index) / 127.0, 1e-6) << index;
    }
    const float nan = std::numeric_limits<float>::quiet_NaN();
    wave->setSamples({0.5f});
    wave->setSamples(std::vector<float>(5000, 0.0f));
    EXPECT_EQ(wave->getSamples().size(), 128u) << "too few or too many samples are refused";
    wave->setSamples({0.5f, 0.5f, nan, 3.0f});
    EXPECT_EQ(wave->getSamples(), (std::vector<float>{0.5f, 0.5f, 0.0f, 1.0f}));
    wave->setSamples({0.5f, 0.5f});
    repaint();
    EXPECT_EQ(pixel(50, 25), argb(153, 116, 188)) << "half way up";
    EXPECT_EQ(pixel(50, 50), argb(128, 128, 128)) << "the zero line";
    EXPECT_EQ(pixel(50, 70), argb(255, 255, 255));
}
} // namespace
