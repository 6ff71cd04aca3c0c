#include "tests/editor/CEditorTest.h"

#include "effect/VeltrixParameterTable.h"
#include "foundation/host/CDisplayMetrics.h"
#include "gui/controls/sliders/CKnob.h"
#include "gui/graphics/CPNGImage.h"
#include "tests/support/CAllocationCounter.h"

#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <thread>

namespace Orvalite::Testing
{
namespace
{
using namespace Veltrix;
using GUI::Graphics::CPNGImage;
using MathTools::CDimension;
using MathTools::CRect;

CDimension skinImageSize(const char *fileName)
{
    const CPNGImage image{Basics::CSystemString((std::string(ZELO_SKIN_DIR) + "/" + fileName).c_str())};
    return image.getImageSize();
}

class VeltrixEditor : public CEditorTest
{
protected:
    void SetUp() override
    {
        CEditorTest::SetUp();
        makeEditor();
    }
    // Every shown control against the effect's own parameter.
    void expectControlsFollowTheEffect(const char *when)
    {
        for (const SEditorControl &row : EDITOR_CONTROLS)
        {
            if (row.id != AB_SWITCH_ID)
            {
                EXPECT_NEAR(m_editor->getControl(row.id)->getValue(),
                            m_effect->getParameter(static_cast<VstInt32>(row.id)), 1e-6)
                    << when << ", id " << row.id;
            }
        }
    }
};

// Where each control and read-out sits, and in what colour, the golden pictures show.
TEST_F(VeltrixEditor, OnlyTheLayoutsParametersHaveControlsAndTheyFollowTheEffect)
{
    ASSERT_EQ(dispatch(effEditOpen, 0, 0, hostWindowHandle()), 1);
    for (long id : {18L, 22L, 23L, 24L})
    {
        EXPECT_EQ(m_editor->getControl(id), nullptr) << id;
    }
    expectControlsFollowTheEffect("program 0");
}

TEST_F(VeltrixEditor, ReadOutsShowTheRealValueInEachParametersFormat)
{
    struct SCase
    {
        long id;
        float value;
        const char *text;
    };
    const SCase cases[] = {
        {PARAMETER_MASTER, 0.4125f, "-3.500 dB"},    {PARAMETER_PAN_ONE, 0.5f, "0.000"},
        {PARAMETER_PITCH_ONE, 0.562f, " 12 Cents"},  {PARAMETER_DELAY_ONE, 0.5f, " 60.0 ms"},
        {PARAMETER_FEEDBACK_TWO, 0.333f, " 33.3 %"}, {PARAMETER_LFO_RATE_ONE, 1.0f, " 5.00 Hz"},
        {PARAMETER_LFO_DEPTH_TWO, 0.75f, " 50 %"},   {PARAMETER_GRAIN_SIZE, 1.0f, "Large "},
    };
    for (const SCase &test : cases)
    {
        m_effect->setParameter(static_cast<VstInt32>(test.id), test.value);
        EXPECT_EQ(readout(test.id), test.text) << test.id;
    }
}

// Every read-out and the host's display of the same parameter name the same
// value, also after values outside 0 … 1 were sent; the pans read -1 … 1 in the
// editor where the host shows 0 … 1.
TEST_F(VeltrixEditor, EveryReadOutAgreesWithTheHostsDisplay)
{
    const auto decimals = [](const std::string &text) {
        const size_t point = text.find('.');
        return point == std::string::npos
                   ? 0
                   : static_cast<int>(text.find_first_not_of("0123456789", point + 1) - point - 1);
    };
    for (const float value : {0.0f, 0.37f, 1.0f, 2.0f, -5.0f, 1e30f})
        for (const SEditorControl &row : EDITOR_CONTROLS)
        {
            const auto index = static_cast<VstInt32>(row.id);
            m_effect->setParameter(index, value);
            const std::string shown = readout(row.id);
            const std::string what = "id " + std::to_string(row.id) + " at " + std::to_string(value) + ": " + shown;
            if (row.id == AB_SWITCH_ID)
            {
                EXPECT_EQ(shown, m_effect->getSelector() != 0 ? "Preset B" : "Preset A") << what;
                continue;
            }
            char display[64] = {};
            m_effect->getParameterDisplay(index, display);
            EXPECT_EQ(m_editor->getControl(row.id)->getValue(), m_effect->getParameter(index)) << what;
            if (row.kind == SEditorControl::EKind::LatchingButton)
            {
                EXPECT_EQ(shown, std::string(display) + " ") << what;
                continue;
            }
            const bool isPan = row.id == PARAMETER_PAN_ONE || row.id == PARAMETER_PAN_TWO;
            const double host = std::strtod(display, nullptr);
            const double tolerance = 1.5 * std::pow(10.0, -std::min(decimals(shown), decimals(display)));
            EXPECT_NEAR(std::strtod(shown.c_str(), nullptr), isPan ? 2.0 * host - 1.0 : host, tolerance)
                << what << " against " << display;
        }
}

TEST_F(VeltrixEditor, UpdatesForIndicesWithoutAControlOrWithBadValuesChangeNothingOrAreBounded)
{
    m_effect->setParameter(PARAMETER_DELAY_ONE, 0.5f);
    for (long index : {-1L, 18L, 22L, 24L, 25L, 27L, 40L})
    {
        m_editor->updateParameter(index, 1.0);
    }
    m_editor->updateParameter(PARAMETER_DELAY_ONE, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(readout(AB_SWITCH_ID), "Preset A") << "only index 26 drives the switch";
    EXPECT_EQ(readout(PARAMETER_DELAY_ONE), " 60.0 ms") << "NaN is ignored";
    m_editor->updateParameter(PARAMETER_DELAY_ONE, 1e30);
    EXPECT_EQ(readout(PARAMETER_DELAY_ONE), " 100.0 ms");
    m_editor->updateParameter(AB_SWITCH_ID, 7.0);
    EXPECT_EQ(readout(AB_SWITCH_ID), "Preset B");
    EXPECT_EQ(m_editor->getControl(AB_SWITCH_ID)->getValue(), 1.0) << "any slot but 0 shows B";
    m_editor->updateParameter(AB_SWITCH_ID, 0.0);
    EXPECT_EQ(readout(AB_SWITCH_ID), "Preset A");
}

TEST_F(VeltrixEditor, TheABSwitchMovesEveryControlToTheOtherHalfAndBack)
{
    ASSERT_EQ(dispatch(effEditOpen, 0, 0, hostWindowHandle()), 1);
    std::vector<double> halfA;
    for (const SEditorControl &row : EDITOR_CONTROLS)
    {
        halfA.push_back(m_editor->getControl(row.id)->getValue());
    }
    click(AB_SWITCH_ID);
    EXPECT_EQ(readout(AB_SWITCH_ID), "Preset B");
    EXPECT_EQ(m_editor->getPresetSlot(), 1);
    expectControlsFollowTheEffect("half B");
    size_t moved = 0;
    for (size_t row = 0; row < NUMBER_OF_EDITOR_CONTROLS; ++row)
    {
        moved += m_editor->getControl(EDITOR_CONTROLS[row].id)->getValue() != halfA[row] ? 1 : 0;
    }
    EXPECT_GT(moved, 1u) << "program 0's halves differ";
    click(AB_SWITCH_ID);
    EXPECT_EQ(readout(AB_SWITCH_ID), "Preset A");
    expectControlsFollowTheEffect("half A again");
}

// Each user edit reaches the host as one gesture: begin, the automation, end,
// also when the window closes under a press. The A/B switch is no parameter
// the host records.
TEST_F(VeltrixEditor, EveryUserEditIsAGestureTheHostCanRecord)
{
    ASSERT_EQ(dispatch(effEditOpen, 0, 0, hostWindowHandle()), 1);
    m_effect->setParameter(PARAMETER_DELAY_ONE, 0.5f);
    const MathTools::CPoint centre = centreOf(m_editor->getControl(PARAMETER_DELAY_ONE)->getArea());
    const long x = centre.getXPosition(), y = centre.getYPosition();
    const VstInt32 begin = audioMasterBeginEdit, move = audioMasterAutomate, end = audioMasterEndEdit;
    struct SCase
    {
        const char *what;
        std::function<void()> act;
        std::vector<SEditStep> expected;
    };
    const VstInt32 delay = PARAMETER_DELAY_ONE, grain = PARAMETER_GRAIN_SIZE;
    const SCase cases[] = {
        {"a drag",
         [&] {
             send(GUI::Windowing::e_leftButtonDown, x, y);
             send(GUI::Windowing::e_mouseMove, x, y - 20, 0x1);
             send(GUI::Windowing::e_mouseMove, x, y - 30, 0x1);
             send(GUI::Windowing::e_leftButtonUp, x, y - 30);
         },
         {{begin, delay}, {move, delay}, {move, delay}, {end, delay}}},
        {"a wheel notch",
         [&] { m_system.send(editorHandle(), GUI::Windowing::e_mouseWheel, wheelParameter(120), 0); },
         {{begin, delay}, {move, delay}, {end, delay}}},
        {"a double click",
         [&] {
             send(GUI::Windowing::e_leftButtonDoubleClick, x, y);
             send(GUI::Windowing::e_leftButtonUp, x, y);
         },
         {{begin, delay}, {move, delay}, {end, delay}}},
        {"a latching button", [&] { click(PARAMETER_GRAIN_SIZE); }, {{begin, grain}, {move, grain}, {end, grain}}},
        {"the A/B switch", [&] { click(AB_SWITCH_ID); }, {}},
        // Last: the editor stays closed.
        {"a press cut short by closing the editor",
         [&] {
             send(GUI::Windowing::e_leftButtonDown, x, y);
             dispatch(effEditClose);
         },
         {{begin, delay}, {end, delay}}},
    };
    m_system.setCursorPosition(centre);
    for (const SCase &test : cases)
    {
        m_host.requests.clear();
        test.act();
        EXPECT_EQ(edits(false), test.expected) << test.what;
    }
}

TEST_F(VeltrixEditor, AutomationFromAnotherThreadIsRecordedWithoutAllocatingAndShownAtTheNextIdle)
{
    ASSERT_EQ(dispatch(effEditOpen, 0, 0, hostWindowHandle()), 1);
    m_effect->setParameter(PARAMETER_DELAY_ONE, 0.5f);
    long allocations = 0;
    std::thread audio([&] {
        Zelo::Testing::CAllocationCounter counter;
        counter.start();
        for (int step = 0; step <= 1000; ++step)
        {
            m_effect->setParameter(PARAMETER_DELAY_ONE, static_cast<float>(step) / 1000.0f);
            m_effect->setParameter(PARAMETER_FEEDBACK_ONE, 0.25f);
        }
        allocations = counter.stop();
    });
    audio.join();
    if (Zelo::Testing::CAllocationCounter::isAvailable())
    {
        EXPECT_EQ(allocations, 0);
    }
    EXPECT_EQ(readout(PARAMETER_DELAY_ONE), " 60.0 ms") << "nothing applied off the user-interface thread";
    dispatch(effEditIdle);
    EXPECT_EQ(readout(PARAMETER_DELAY_ONE), " 100.0 ms");
    EXPECT_EQ(readout(PARAMETER_FEEDBACK_ONE), " 25.0 %");
}

TEST_F(VeltrixEditor, TheAboutButtonShowsThePictureCentredAndAClickOrEscapeHidesIt)
{
    Host::CDisplayMetrics::setProvider([] { return Host::SDisplayMetrics{1, 1280, 1024}; });
    ASSERT_EQ(dispatch(effEditOpen, 0, 0, hostWindowHandle()), 1);
    GUI::Windowing::CAboutWindow &about = m_editor->getAboutWindow();
    EXPECT_EQ(about.getWindowHandle(), 0) << "no window before the first show";
    const CDimension picture = skinImageSize("splash.png");
    for (uint32_t hide : {GUI::Windowing::e_leftButtonDown, GUI::Windowing::e_keyDown})
    {
        click(ABOUT_BUTTON_ID);
        ASSERT_TRUE(about.isShown());
        EXPECT_EQ(about.getWindowArea(), CRect(640 - picture.getWidth() / 2, 512 - picture.getHeight() / 2,
                                               picture.getWidth(), picture.getHeight()));
        m_system.send(about.getWindowHandle(), hide, hide == GUI::Windowing::e_keyDown ? 0x1B : 0, 0);
        EXPECT_FALSE(about.isShown()) << hide;
    }
    click(ABOUT_BUTTON_ID);
    dispatch(effEditClose);
    EXPECT_FALSE(about.isShown()) << "closing the editor hides it";
    Host::CDisplayMetrics::setProvider(nullptr);
}

// Hosts that scan or render make editors they never show: the skin is decoded
// at the first open, once for every editor of the module.
TEST_F(VeltrixEditor, TheSkinIsDecodedAtTheFirstOpenAndSharedByEveryEditor)
{
    using GUI::Controls::CControl;
    const auto knobImage = [](CVeltrixEditor *editor) {
        return static_cast<CControl *>(editor->getControl(PARAMETER_DELAY_ONE))->getPrimaryImage();
    };
    EXPECT_EQ(knobImage(m_editor), nullptr);
    EXPECT_EQ(m_editor->getControl(PARAMETER_DELAY_ONE)->getArea().getWidth(), 0);
    auto *second =
        new CVeltrix(CRecordingHost::callback(), [](CVeltrix *effect) { CVeltrixEditor::createFor(effect); });
    auto *secondEditor = static_cast<CVeltrixEditor *>(second->getEditor());
    ASSERT_EQ(dispatch(effEditOpen, 0, 0, hostWindowHandle()), 1);
    secondEditor->open(hostWindowHandle());
    ASSERT_NE(knobImage(m_editor), nullptr);
    EXPECT_EQ(knobImage(m_editor), knobImage(secondEditor));
    second->getAeffect()->dispatcher(second->getAeffect(), effClose, 0, 0, nullptr, 0.0f);
}

TEST_F(VeltrixEditor, MissingImagesLeaveTheirControlsWithoutSizeAndThePanelStillOpens)
{
    dispatch(effClose);
    m_effect = nullptr;
    makeEditor({"buttonUp.png", "knob.png", "splash.png"});
    EXPECT_EQ(dispatch(effEditOpen, 0, 0, hostWindowHandle()), 1);
    EXPECT_EQ(m_editor->getControl(PARAMETER_SYNC_AUDIO)->getArea().getWidth(), 0);
    EXPECT_EQ(m_editor->getControl(PARAMETER_DELAY_ONE)->getArea().getWidth(), 0);
    EXPECT_GT(m_editor->getControl(ABOUT_BUTTON_ID)->getArea().getWidth(), 0);
    click(ABOUT_BUTTON_ID);
    EXPECT_FALSE(m_editor->getAboutWindow().hasPicture());
    m_effect->setParameter(PARAMETER_DELAY_ONE, 0.5f);
    dispatch(effEditIdle);
    EXPECT_EQ(readout(PARAMETER_DELAY_ONE), " 60.0 ms");
    EXPECT_EQ(m_system.getNumberOfWindows(), 2u) << "no blank about window";
}

} // namespace
} // namespace Orvalite::Testing
