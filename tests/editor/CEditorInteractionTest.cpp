#include "tests/editor/CEditorTest.h"

#include "effect/VeltrixParameterTable.h"
#include "gui/controls/menus/CMenu.h"
#include "gui/controls/text/CTextEdit.h"

#include <thread>
#include <vector>

namespace Orvalite::Testing
{
namespace
{
using namespace Veltrix;
using GUI::Controls::CMenu;
using GUI::Controls::CMenuWindow;
using GUI::Controls::CTextEdit;
using MathTools::CPoint;
using MathTools::CRect;

// Win32 virtual keys.
constexpr uint32_t RETURN_KEY = 0x0D;
constexpr uint32_t ESCAPE_KEY = 0x1B;
constexpr uint32_t RIGHT_KEY = 0x27;
constexpr uint32_t DOWN_KEY = 0x28;

// A point of the panel that no control covers.
constexpr long BACKGROUND_X = 200;
constexpr long BACKGROUND_Y = 215;

class EditorInteraction : public CEditorTest
{
protected:
    void SetUp() override
    {
        CEditorTest::SetUp();
        makeEditor();
        ASSERT_EQ(dispatch(effEditOpen, 0, 0, hostWindowHandle()), 1);
        m_host.requests.clear();
    }
    void rightClick(const CPoint &point)
    {
        send(GUI::Windowing::e_rightButtonDown, point);
        send(GUI::Windowing::e_rightButtonUp, point);
    }
    void type(const char *text)
    {
        for (; *text; ++text)
        {
            m_system.send(editorHandle(), GUI::Windowing::e_character, static_cast<unsigned char>(*text));
        }
    }
    void key(uint32_t virtualKey) { m_system.send(editorHandle(), GUI::Windowing::e_keyDown, virtualKey); }
    void menuKey(CMenuWindow &menu, uint32_t virtualKey)
    {
        m_system.send(menu.getWindowHandle(), GUI::Windowing::e_keyDown, virtualKey);
    }
    // Highlights item `index` from the top with the keyboard and chooses it.
    void choose(CMenuWindow &menu, long index)
    {
        for (long step = 0; step <= index; ++step)
        {
            menuKey(menu, DOWN_KEY);
        }
        menuKey(menu, RETURN_KEY);
    }
    static std::vector<std::string> itemsOf(const CMenu &menu)
    {
        std::vector<std::string> texts;
        for (long index = 0; index < menu.getNumberOfItems(); ++index)
        {
            texts.emplace_back(menu.getItem(index)->getText().getString());
        }
        return texts;
    }
    static std::vector<SEditStep> gesture(VstInt32 index, float value)
    {
        return {{audioMasterBeginEdit, index}, {audioMasterAutomate, index, value}, {audioMasterEndEdit, index}};
    }
    CTextEdit &readoutEdit(long id) { return *m_editor->getReadout(id); }
    std::string programName(long program)
    {
        char name[kVstMaxProgNameLen + 1] = {};
        dispatch(effGetProgramNameIndexed, static_cast<VstInt32>(program), 0, name);
        return name;
    }
};

TEST_F(EditorInteraction, AValueTypedIntoAReadOutIsOneGestureEscapeCancelsAndGarbageStaysInTheEdit)
{
    struct SCase
    {
        const char *typed;
        uint32_t finalKey;
        // Negative when the parameter must keep its value.
        float expected;
    };
    const SCase cases[] = {
        {"50", RETURN_KEY, 0.375f}, {"40 MS", RETURN_KEY, 0.25f}, {"500", RETURN_KEY, 1.0f},
        {"70", ESCAPE_KEY, -1.0f},  {"fast", RETURN_KEY, -1.0f},
    };
    const CPoint readout = centreOf(m_editor->getReadout(PARAMETER_DELAY_ONE)->getArea());
    for (const SCase &test : cases)
    {
        m_effect->setParameter(PARAMETER_DELAY_ONE, 0.5f);
        const std::string before = this->readout(PARAMETER_DELAY_ONE);
        m_host.requests.clear();
        send(GUI::Windowing::e_leftButtonDoubleClick, readout);
        send(GUI::Windowing::e_leftButtonUp, readout);
        ASSERT_TRUE(readoutEdit(PARAMETER_DELAY_ONE).isEditing()) << test.typed;
        type(test.typed);
        key(test.finalKey);
        if (test.expected >= 0.0f)
        {
            EXPECT_EQ(edits(), gesture(PARAMETER_DELAY_ONE, test.expected)) << test.typed;
            EXPECT_EQ(m_effect->getParameter(PARAMETER_DELAY_ONE), test.expected) << test.typed;
            EXPECT_DOUBLE_EQ(m_editor->getControl(PARAMETER_DELAY_ONE)->getValue(), test.expected) << test.typed;
            EXPECT_NE(this->readout(PARAMETER_DELAY_ONE), before) << test.typed;
            EXPECT_FALSE(readoutEdit(PARAMETER_DELAY_ONE).isEditing()) << test.typed;
            continue;
        }
        EXPECT_TRUE(edits().empty()) << test.typed;
        EXPECT_EQ(m_effect->getParameter(PARAMETER_DELAY_ONE), 0.5f) << test.typed;
        EXPECT_EQ(this->readout(PARAMETER_DELAY_ONE), before) << test.typed;
        const CTextEdit &edit = readoutEdit(PARAMETER_DELAY_ONE);
        if (test.finalKey == RETURN_KEY)
        {
            ASSERT_TRUE(edit.isEditing()) << "the text that is no value stays, all of it selected";
            EXPECT_EQ(edit.getEditedText(), test.typed);
            EXPECT_EQ(edit.getAnchor(), 0u);
            EXPECT_EQ(edit.getCaret(), edit.getEditedText().size());
            key(ESCAPE_KEY);
        }
        EXPECT_FALSE(edit.isEditing()) << test.typed;
    }
    EXPECT_FALSE(readoutEdit(AB_SWITCH_ID).isEditable()) << "the A/B switch is no parameter";
}

TEST_F(EditorInteraction, AParametersMenuSetsItsDefaultInOneGestureOrOpensTheTypedValue)
{
    rightClick(centreOf(m_editor->getControl(PARAMETER_MASTER)->getArea()));
    CMenuWindow *menu = m_editor->getContextMenus().getMenuWindow();
    ASSERT_TRUE(menu && menu->isOpen());
    EXPECT_EQ(itemsOf(*menu->getMenu()), (std::vector<std::string>{"Default value", "Type a value\u2026"}));
    m_effect->setParameter(PARAMETER_MASTER, 0.9f);
    m_host.requests.clear();
    choose(*menu, 0);
    EXPECT_FALSE(menu->isOpen());
    EXPECT_EQ(edits(), gesture(PARAMETER_MASTER, 0.5f)) << "Master's definition starts at 0 dB of -20 … 20";

    rightClick(centreOf(m_editor->getControl(PARAMETER_GRAIN_SIZE)->getArea()));
    choose(*menu, 1);
    ASSERT_TRUE(readoutEdit(PARAMETER_GRAIN_SIZE).isEditing());
    m_host.requests.clear();
    type("large");
    key(RETURN_KEY);
    EXPECT_EQ(edits(), gesture(PARAMETER_GRAIN_SIZE, 1.0f));
}

TEST_F(EditorInteraction, ThePanelsMenuOffersTheSizesWithTheCurrentTickedAndChangesIt)
{
    ASSERT_EQ(m_editor->getControlRoot().getControlAtPoint(CPoint(BACKGROUND_X, BACKGROUND_Y)), nullptr);
    m_host.answers[audioMasterSizeWindow] = 1;
    rightClick(CPoint(BACKGROUND_X, BACKGROUND_Y));
    CMenuWindow *menu = m_editor->getContextMenus().getMenuWindow();
    ASSERT_TRUE(menu && menu->isOpen());
    ASSERT_EQ(itemsOf(*menu->getMenu()), std::vector<std::string>{"Size"});
    const CMenu *sizes = menu->getMenu()->getItem(0)->getSubMenu();
    ASSERT_NE(sizes, nullptr);
    EXPECT_EQ(itemsOf(*sizes), (std::vector<std::string>{"100 %", "150 %", "200 %"}));
    for (long index = 0; index < sizes->getNumberOfItems(); ++index)
    {
        EXPECT_EQ(sizes->getItem(index)->isTicked(), index == 0) << index;
    }
    menuKey(*menu, DOWN_KEY);
    menuKey(*menu, RIGHT_KEY);
    menuKey(*menu, DOWN_KEY);
    menuKey(*menu, RETURN_KEY);
    EXPECT_EQ(m_editor->getScale().getPercent(), 150);
    EXPECT_FALSE(menu->isOpen());
}

TEST_F(EditorInteraction, TheProgramMenuChangesTheProgramAsAHostWouldAndTellsTheHost)
{
    CProgramLabel &label = m_editor->getProgramLabel();
    EXPECT_EQ(label.getText().getString(), programName(0));
    send(GUI::Windowing::e_leftButtonDown, centreOf(label.getArea()));
    send(GUI::Windowing::e_leftButtonUp, centreOf(label.getArea()));
    CMenuWindow *menu = label.getMenuWindow();
    ASSERT_TRUE(menu && menu->isOpen());
    ASSERT_EQ(menu->getMenu()->getNumberOfItems(), 13);
    for (long program = 0; program < 13; ++program)
    {
        EXPECT_EQ(menu->getMenu()->getItem(program)->getText().getString(), programName(program)) << program;
        EXPECT_EQ(menu->getMenu()->getItem(program)->isTicked(), program == 0) << program;
    }
    choose(*menu, 3);
    EXPECT_EQ(dispatch(effGetProgram), 3);
    EXPECT_EQ(m_host.count(audioMasterUpdateDisplay), 1);
    EXPECT_EQ(label.getText().getString(), programName(3));
}

TEST_F(EditorInteraction, TheProgramNameFollowsTheHostAtOnceAndTheAudioThreadAtTheNextIdle)
{
    CProgramLabel &label = m_editor->getProgramLabel();
    dispatch(effSetProgram, 0, 5);
    EXPECT_EQ(label.getText().getString(), programName(5));
    // As a MIDI controller selects a program on the audio thread.
    std::thread([&] { m_effect->setProgram(6); }).join();
    EXPECT_EQ(label.getText().getString(), programName(5));
    dispatch(effEditIdle);
    EXPECT_EQ(label.getText().getString(), programName(6));
}
} // namespace
} // namespace Orvalite::Testing
