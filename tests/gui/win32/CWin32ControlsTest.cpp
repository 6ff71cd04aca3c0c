// Controls in real Win32 windows (Wine on Xvfb), driven with SendInput: a
// popup button's menu in its top-most pop-up window, and a text edit inside a
// child of a host's window that takes the focus while editing and gives it back.
#include "foundation/basics/CApplicationInformation.h"
#include "gui/controls/base/CControlRoot.h"
#include "gui/controls/menus/CMenu.h"
#include "gui/controls/menus/CMenuItemDisplay.h"
#include "gui/controls/menus/CPopupButton.h"
#include "gui/controls/text/CTextEdit.h"
#include "gui/fonts/CFont.h"
#include "gui/windowing/CWindow.h"
#include "gui/windowing/win32/CWin32WindowSystem.h"
#include "tests/gui/controls/CChoiceRecorder.h"
#include "tests/gui/win32/CWin32TestDesktop.h"

#include <gtest/gtest.h>

namespace Orvalite::Testing
{
namespace
{
using namespace GUI::Windowing;
using namespace GUI::Controls;
using MathTools::CRect;
using Desktop = CWin32TestDesktop;

constexpr int LEFT = 600;
constexpr int TOP = 400;

// A host's window as a framework window, so that ours can be its child.
class CHostWindow : public CWindow
{
public:
    explicit CHostWindow(HWND window) : CWindow(CRect(0, 0, 10, 10)) { borrowWindowHandle(handleOf(window)); }
    ~CHostWindow() override { borrowWindowHandle(0); }
    static GUI::Basics::NativeWindowHandle handleOf(HWND window)
    {
        return reinterpret_cast<GUI::Basics::NativeWindowHandle>(window);
    }
};

class Win32Controls : public testing::Test
{
protected:
    void SetUp() override
    {
        m_before = Desktop::countResources();
        INativeWindowSystem::install(&m_system);
        Basics::CApplicationInformation::setProductName("Zelo");
        GUI::Fonts::CFont::createDefaultFont();
    }
    void TearDown() override
    {
        GUI::Fonts::CFont::releaseDefaultFont();
        INativeWindowSystem::install(nullptr);
        Basics::CApplicationInformation::releaseApplicationInformation();
        EXPECT_EQ(Desktop::changedResources(m_before), "") << "the ledger returns to where it started";
    }

    Desktop::TCounts m_before{};
    CWin32WindowSystem m_system;
};

TEST_F(Win32Controls, APopupButtonsMenuReportsTheClickedItemAndEscapeOrAClickOutsideClosesIt)
{
    CChoiceRecorder choices;
    CWindow window(CRect(LEFT, TOP, 200, 100));
    window.getWindowAttributes().setWindowStyles(WS_POPUP, 0);
    auto *menu = new CMenu("Greek");
    menu->addItem(new CMenuItem("Alpha", 11));
    menu->addItem(new CMenuItem("Beta", 12));
    menu->addItem(new CMenuItem("Gamma", 13));
    auto *button = new CPopupButton(&window.getControlRoot(), 1, CRect(10, 10, 60, 30), menu, &choices);
    window.getControlRoot().addControl(button);
    window.intialiseWindow(window.getWindowAttributes(), true);
    SetForegroundWindow(reinterpret_cast<HWND>(window.getWindowHandle()));
    Desktop::settle(m_system);

    const auto openMenu = [&] {
        Desktop::moveTo(LEFT + 40, TOP + 25);
        Desktop::click();
        return Desktop::pumpUntil(m_system, [&] {
            return button->getMenuWindow() && button->getMenuWindow()->isOpen() &&
                   IsWindowVisible(reinterpret_cast<HWND>(button->getMenuWindow()->getWindowHandle()));
        });
    };
    ASSERT_TRUE(openMenu());
    CMenuWindow &menuWindow = *button->getMenuWindow();
    const auto menuHandle = reinterpret_cast<HWND>(menuWindow.getWindowHandle());
    EXPECT_NE(GetWindowLongW(menuHandle, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    RECT area{};
    GetWindowRect(menuHandle, &area);
    EXPECT_EQ(area.top, TOP + 40) << "below the button";
    EXPECT_EQ(GetForegroundWindow(), reinterpret_cast<HWND>(window.getWindowHandle())) << "the menu is not activated";

    Desktop::moveTo(LEFT + 40, TOP + 40 + CMenuWindow::BORDER + CMenuItemDisplay::ITEM_HEIGHT * 3 / 2);
    Desktop::click();
    EXPECT_TRUE(Desktop::pumpUntil(m_system, [&] { return !choices.m_ids.empty(); }));
    EXPECT_EQ(choices.m_ids, std::vector<long>{12}) << "Beta";
    EXPECT_FALSE(menuWindow.isOpen());

    ASSERT_TRUE(openMenu());
    Desktop::tap(VK_ESCAPE);
    EXPECT_TRUE(Desktop::pumpUntil(m_system, [&] { return !menuWindow.isOpen(); })) << "the pop-up takes the keys";

    ASSERT_TRUE(openMenu());
    Desktop::moveTo(LEFT + 190, TOP + 90);
    Desktop::click();
    EXPECT_TRUE(Desktop::pumpUntil(m_system, [&] { return !menuWindow.isOpen(); }));
    EXPECT_EQ(choices.m_ids.size(), 1u) << "closed without a choice";
    window.uninitialiseWindow();
}

TEST_F(Win32Controls, TypingIntoAnEditInAChildWindowChangesItsTextAndTheHostGetsTheFocusBack)
{
    const HWND hostWindow = Desktop::host();
    SetFocus(hostWindow);
    {
        CHostWindow host(hostWindow);
        CWindow window(CRect(10, 20, 200, 100));
        window.setParentWindow(&host);
        window.getWindowAttributes().setWindowStyles(WS_CHILD | WS_VISIBLE, 0);
        auto *edit = new CTextEdit(&window.getControlRoot(), 1, CRect(10, 10, 150, 24), "old");
        window.getControlRoot().addControl(edit);
        window.intialiseWindow(window.getWindowAttributes(), true);
        Desktop::settle(m_system);

        // The shared host sits at (100, 100), the edit window at (10, 20) in it.
        Desktop::moveTo(100 + 10 + 30, 100 + 20 + 20);
        Desktop::click();
        Desktop::click();
        ASSERT_TRUE(Desktop::pumpUntil(m_system, [&] { return edit->isEditing(); })) << "a double click starts editing";
        EXPECT_EQ(GetFocus(), reinterpret_cast<HWND>(window.getWindowHandle()));
        // z, é and U+1D11E (a UTF-16 pair), then Return.
        Desktop::tap('Z');
        for (const wchar_t unit : {L'\u00E9', wchar_t(0xD834), wchar_t(0xDD1E)})
        {
            Desktop::typeUnit(unit);
        }
        Desktop::tap(VK_RETURN);
        EXPECT_TRUE(Desktop::pumpUntil(m_system, [&] { return !edit->isEditing(); }));
        EXPECT_STREQ(edit->getText().getString(), "z\xC3\xA9\xF0\x9D\x84\x9E");
        EXPECT_EQ(GetFocus(), hostWindow);
        window.uninitialiseWindow();
    }
}
} // namespace
} // namespace Orvalite::Testing
