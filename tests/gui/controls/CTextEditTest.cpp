// The inline text edit and the window drag tab, driven through a headless
// window's messages.
#include "gui/controls/text/CTextEdit.h"
#include "gui/basics/Utf8Text.h"
#include "gui/controls/base/CControlPanel.h"
#include "gui/controls/buttons/CRolloverButton.h"
#include "gui/controls/text/CWindowDragTab.h"
#include "gui/events/CMouseEvent.h"
#include "tests/gui/basics/ExpectThrows.h"
#include "tests/gui/controls/CControlWindowTest.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace Orvalite::Testing
{
namespace
{
using namespace GUI::Windowing;
using GUI::Controls::CTextEdit;
using MathTools::CRect;

class TextEdit : public CControlWindowTest
{
protected:
    void SetUp() override
    {
        CControlWindowTest::SetUp();
        m_edit = new CTextEdit(&root(), 1, CRect(10, 10, 120, 20), "h\xC3\xA9llo", &m_listener);
        root().addControl(m_edit);
    }
    // The keys by name (Win32 virtual keys), shift held for "SLeft"; anything else is typed.
    void play(const std::vector<std::string> &steps)
    {
        const std::map<std::string, uintptr_t> keys = {{"Left", 37},   {"Right", 39},  {"Home", 36},
                                                       {"End", 35},    {"Back", 8},    {"Del", 46},
                                                       {"Return", 13}, {"Escape", 27}, {"SLeft", 37}};
        for (const std::string &step : steps)
        {
            m_system.setModifierState({false, step == "SLeft", false});
            const auto key = keys.find(step);
            for (size_t at = 0; key == keys.end() && at < step.size(); at = GUI::Basics::nextCodePointOffset(step, at))
                m_system.send(m_handle, e_character, GUI::Basics::codePointAt(step, at), 0);
            if (key != keys.end())
                m_system.send(m_handle, e_keyDown, key->second, 0);
        }
        m_system.setModifierState({});
    }
    // The row of pixels across the edit's middle.
    std::vector<uint32_t> middleRow()
    {
        repaint();
        std::vector<uint32_t> row;
        for (long x = 10; x < 130; ++x)
            row.push_back(pixel(x, 20));
        return row;
    }

    CTextEdit *m_edit = nullptr;
};

TEST_F(TextEdit, EditingKeysMoveAndDeleteByCodePoint)
{
    struct SCase
    {
        std::vector<std::string> steps;
        const char *expected;
    };
    const SCase cases[] = {
        {{"End", "Left", "Left", "Left", "Back"}, "hllo"},
        {{"Home", "Del"}, "\xC3\xA9llo"},
        {{"Home", "Right", "Del"}, "hllo"},
        {{"Home", "Back"}, "h\xC3\xA9llo"},
        {{"xy"}, "xy"},
        {{"End", "SLeft", "SLeft", "Z"}, "h\xC3\xA9lZ"},
        {{"Left", "A"}, "Ah\xC3\xA9llo"},
        {{"Right", "\xE2\x82\xAC"}, "h\xC3\xA9llo\xE2\x82\xAC"},
        {{"End", "SLeft", "SLeft", "SLeft", "SLeft", "Back"}, "h"},
    };
    for (const SCase &testCase : cases)
    {
        m_edit->setText("h\xC3\xA9llo");
        send(e_leftButtonDoubleClick, 20, 20);
        ASSERT_TRUE(m_edit->isEditing());
        play(testCase.steps);
        play({"Return"});
        EXPECT_FALSE(m_edit->isEditing());
        EXPECT_STREQ(m_edit->getText().getString(), testCase.expected) << testCase.steps.size() << " steps";
    }
    EXPECT_EQ(events(), std::size(cases)) << "every Return reports";
}

TEST_F(TextEdit, TheLimitCountsCodePointsNotBytes)
{
    m_edit->setTextLimit(3);
    send(e_leftButtonDoubleClick, 20, 20);
    play({"\xC3\xB1\xC3\xB6\xC3\xBC", "x"});
    EXPECT_EQ(m_edit->getEditedText(), "\xC3\xB1\xC3\xB6\xC3\xBC") << "the fourth is refused";
    play({"SLeft", "z", "Return"});
    EXPECT_STREQ(m_edit->getText().getString(), "\xC3\xB1\xC3\xB6z") << "a replacement within the limit is taken";
}

TEST_F(TextEdit, ReturnAndAClickOutsideCommitEscapeRestoresAndTheFocusGoesBack)
{
    // A host's window has the keyboard focus, as when the editor sits inside one.
    constexpr GUI::Basics::NativeWindowHandle hostWindow = 0x5000;
    m_system.setKeyboardFocus(hostWindow);
    // Longer than any fixed buffer a native edit's text could be read into.
    const std::string longText(3000, 'q');
    send(e_leftButtonDoubleClick, 20, 20);
    play({longText, "Escape"});
    EXPECT_STREQ(m_edit->getText().getString(), "h\xC3\xA9llo");
    EXPECT_EQ(events(), 0u);
    send(e_leftButtonDoubleClick, 20, 20);
    EXPECT_EQ(m_system.getKeyboardFocus(), m_handle) << "taken while editing";
    play({longText});
    send(e_leftButtonDown, 180, 100);
    EXPECT_EQ(m_system.getKeyboardFocus(), hostWindow) << "given back";
    EXPECT_FALSE(m_edit->isEditing());
    EXPECT_EQ(m_edit->getText().getString(), longText);
    EXPECT_EQ(events(), 1u);
    EXPECT_EQ(root().getLockedControl(), nullptr);
}

TEST_F(TextEdit, InAPanelReturnLetsThePanelGoAndTheClickThatEndsTheEditReachesItsTarget)
{
    auto *panel = add<GUI::Controls::CControlPanel>(CRect(0, 50, 150, 40));
    auto *edit = new CTextEdit(panel, 2, CRect(10, 10, 120, 20), "x", &m_listener);
    panel->addControl(edit);
    add<GUI::Controls::CRolloverButton>(CRect(160, 100, 30, 30));
    send(e_leftButtonDoubleClick, 20, 70);
    ASSERT_TRUE(edit->isEditing());
    play({"Return"});
    EXPECT_EQ(root().getLockedControl(), nullptr) << "the panel is let go with the edit";
    send(e_leftButtonDoubleClick, 20, 70);
    click(170, 110);
    EXPECT_FALSE(edit->isEditing());
    EXPECT_EQ(events(), 3u) << "two commits and the click outside the panel that ended the second";
}

TEST_F(TextEdit, EditingStartsOnlyWhenEditableByDoubleOrSingleClick)
{
    struct SCase
    {
        bool editable, singleClick;
        uint32_t message;
        bool starts;
    };
    const SCase cases[] = {
        {true, false, e_leftButtonDoubleClick, true},   {true, false, e_leftButtonDown, false},
        {true, true, e_leftButtonDown, true},           {false, true, e_leftButtonDown, false},
        {false, false, e_leftButtonDoubleClick, false},
    };
    for (const SCase &testCase : cases)
    {
        m_edit->setEditable(testCase.editable);
        m_edit->setSingleClick(testCase.singleClick);
        send(testCase.message, 20, 20);
        send(e_leftButtonUp, 20, 20);
        EXPECT_EQ(m_edit->isEditing(), testCase.starts) << testCase.editable << testCase.singleClick;
        m_edit->cancelEditing();
    }
}

TEST_F(TextEdit, TheMouseSelectsAndAClickPlacesTheCaret)
{
    send(e_leftButtonDoubleClick, 20, 20);
    send(e_leftButtonDown, 13, 20);
    EXPECT_EQ(m_edit->getCaret(), 0u) << "left of the first character";
    drag(129, 20);
    send(e_leftButtonUp, 129, 20);
    EXPECT_EQ(m_edit->getAnchor(), 0u);
    EXPECT_EQ(m_edit->getCaret(), m_edit->getEditedText().size()) << "dragged past the end";
}

TEST_F(TextEdit, TheSelectionIsDrawnAndTheCaretBlinksOnTheTimer)
{
    const uint32_t selection = argb(51, 153, 255);
    const std::vector<uint32_t> idle = middleRow();
    send(e_leftButtonDoubleClick, 20, 20);
    repaint();
    EXPECT_EQ(pixel(14, 12), selection) << "the whole text starts selected";
    play({"End"});
    const std::vector<uint32_t> shown = middleRow();
    m_system.advanceClock(CTextEdit::CARET_BLINK_MILLISECONDS);
    const std::vector<uint32_t> hidden = middleRow();
    std::set<size_t> blinking;
    for (size_t x = 0; x < shown.size(); ++x)
        if (shown[x] != hidden[x])
            blinking.insert(x);
    EXPECT_EQ(blinking.size(), 1u) << "a one-pixel caret";
    EXPECT_NE(idle, hidden) << "an edited field has a frame and background";
}

using DragTab = CControlWindowTest;

TEST_F(DragTab, DraggingMovesATopLevelWindowOnly)
{
    auto *tab = add<GUI::Controls::CWindowDragTab>(CRect(0, 0, 100, 50));
    CWindow host(CRect(0, 0, 10, 10));
    for (IWindow *parent : {static_cast<IWindow *>(nullptr), static_cast<IWindow *>(&host)})
    {
        m_window.setWindowPosition(MathTools::CPoint(40, 40));
        m_window.setParentWindow(parent);
        dragFrom(10, 10, 30, 25);
        EXPECT_EQ(m_window.getWindowPosition(), parent ? MathTools::CPoint(40, 40) : MathTools::CPoint(60, 55));
        EXPECT_FALSE(tab->isDragging());
    }
    m_window.setParentWindow(nullptr);
}

TEST_F(DragTab, WithoutARootWindowAMoveThrows)
{
    auto *panel = add<GUI::Controls::CControlPanel>(CRect(0, 0, 100, 100));
    auto *tab = new GUI::Controls::CWindowDragTab(panel, 2, CRect(0, 0, 50, 50));
    panel->addControl(tab);
    panel->setParentWindow(nullptr);
    CMouse mouse;
    expectThrows([&] { tab->handleMouseMovement(GUI::Events::CMouseEvent(&mouse, e_mouseMove)); },
                 "Root Window is NULL", "CWindowDragTab::handleMouseMovement(CMouseEvent &)");
}
} // namespace
} // namespace Orvalite::Testing
