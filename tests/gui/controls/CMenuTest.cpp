// The menu system through a headless root: menus opened by a popup button, a
// combo box and a menu bar, driven with injected keys and mouse messages in
// the menu window, the note-length menu and the refused cycles.
#include "gui/controls/menus/CMenu.h"
#include "foundation/host/CDisplayMetrics.h"
#include "gui/controls/menus/CComboBox.h"
#include "gui/controls/menus/CMenuBar.h"
#include "gui/controls/menus/CMenuItemDisplay.h"
#include "gui/controls/menus/CNoteLengthMenu.h"
#include "gui/controls/menus/CPopupButton.h"
#include "gui/events/CMenuEvent.h"
#include "gui/listeners/IActionListener.h"

#include "tests/gui/basics/ExpectThrows.h"
#include "tests/gui/controls/CChoiceRecorder.h"
#include "tests/gui/controls/CControlWindowTest.h"
#include "tests/gui/windowing/MessageParameters.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace
{
using namespace Orvalite::GUI::Controls;
using namespace Orvalite::GUI::Windowing;
using Orvalite::Basics::CString;
using Orvalite::GUI::Listeners::IActionListener;
using Orvalite::MathTools::CPoint;
using Orvalite::MathTools::CRect;
using Orvalite::Testing::CChoiceRecorder;

constexpr uint32_t RETURN = 0x0D, ESCAPE = 0x1B, LEFT = 0x25, UP = 0x26, RIGHT = 0x27, DOWN = 0x28;

// Removes its control from the root when it hears of a choice.
class CRemovingListener : public CChoiceRecorder
{
public:
    explicit CRemovingListener(std::function<void(IControl *)> remove) : m_remove(std::move(remove)) {}
    void handleActionEvent(const Orvalite::GUI::Events::CActionEvent &) override { m_remove(m_control); }
    IControl *m_control = nullptr;

private:
    std::function<void(IControl *)> m_remove;
};

// "One" 1, "Two" 2 (greyed), "More" opening {"Three" 3, "Four" 4}, "Five" 5.
CMenu *makeMenu()
{
    auto *more = new CMenu("More");
    more->addItem(new CMenuItem("Three", 3));
    more->addItem(new CMenuItem("Four", 4));
    auto *menu = new CMenu("Numbers");
    menu->addItem(new CMenuItem("One", 1));
    menu->addItem(new CMenuItem("Two", 2, 0, 0));
    menu->addSubMenu("More", more);
    menu->addItem(new CMenuItem("Five", 5));
    return menu;
}

class Menus : public Orvalite::Testing::CControlWindowTest
{
protected:
    static constexpr long H = CMenuItemDisplay::ITEM_HEIGHT;

    CPopupButton *addPopupButton(const CRect &area)
    {
        auto *button = new CPopupButton(&root(), 1, area, makeMenu(), &m_choices);
        root().addControl(button);
        return button;
    }
    // Mouse messages reach the outermost menu window, at screen points.
    void toMenu(CMenuWindow &menu, uint32_t message, long x, long y)
    {
        const CRect &area = menu.getWindowArea();
        m_system.send(menu.getWindowHandle(), message, 0,
                      Orvalite::Testing::pointParameter(x - area.getLeft(), y - area.getTop()));
    }
    void keys(CMenuWindow &menu, const std::vector<uint32_t> &virtualKeys)
    {
        for (uint32_t key : virtualKeys)
        {
            m_system.send(menu.getWindowHandle(), e_keyDown, key, 0);
        }
    }
    // The screen point in the middle of an item's text.
    static CPoint itemPoint(const CMenuWindow &menu, long index)
    {
        const CRect &area = menu.getWindowArea();
        return CPoint(area.getLeft() + 30, area.getTop() + CMenuWindow::BORDER + index * H + H / 2);
    }

    CChoiceRecorder m_choices;
};

TEST(NoteLengthMenu, HasThreeSubMenusOfThirteenLengthsWithTheirIdsAndFurtherValues)
{
    const char *lengths[] = {"64", "32", "16", "8", "4", "2", "1", "1/2", "1/4", "1/8", "1/16", "1/32", "1/64"};
    const struct
    {
        const char *title;
        const char *suffix;
    } feels[] = {{"Straight", ""}, {"Triplet", "T"}, {"Dotted", "D"}};
    CNoteLengthMenu menu;
    menu.referenced();
    ASSERT_EQ(menu.getNumberOfItems(), 3);
    long id = 0;
    for (long feel = 0; feel < 3; ++feel)
    {
        const CMenuItem &opener = *menu.getItem(feel);
        EXPECT_STREQ(opener.getText().getString(), feels[feel].title);
        EXPECT_EQ(opener.getId(), -1);
        const CMenu &subMenu = *opener.getSubMenu();
        ASSERT_EQ(subMenu.getNumberOfItems(), 13);
        for (long index = 0; index < 13; ++index, ++id)
        {
            const CMenuItem &item = *subMenu.getItem(index);
            EXPECT_EQ(std::string(item.getText().getString()), std::string(lengths[index]) + feels[feel].suffix);
            EXPECT_EQ(item.getId(), id) << item.getText().getString();
            EXPECT_EQ(item.getTicked(), 0);
            EXPECT_EQ(item.getEnabled(), 1);
        }
    }
    EXPECT_EQ(id, 39);
}

TEST_F(Menus, NullMenusAndItemsThrowWithTheirTexts)
{
    const struct
    {
        std::function<void()> make;
        const char *reason;
        const char *function;
    } cases[] = {
        {[this] { CPopupButton(&root(), 1, CRect(0, 0, 9, 9), nullptr); }, "Menu is NULL",
         "CPopupButton::CPopupButton(IControlRoot *, const long, const CRect &, CMenu *, IActionListener *)"},
        {[this] { CComboBox(&root(), 1, CRect(0, 0, 9, 9), "", nullptr); }, "Menu is NULL",
         "CComboBox::CComboBox(IControlRoot *, const long, const CRect &, const CString &, CMenu *)"},
        {[this] { CMenuItemDisplay(&root(), CRect(0, 0, 9, 9), nullptr); }, "Menu item is null",
         "CMenuItemDisplay::setMenuItem(CMenuItem *)"},
    };
    for (const auto &test : cases)
    {
        Orvalite::Testing::expectThrows(test.make, test.reason, test.function);
    }
}

TEST(MenuCycles, AMenuReachableFromItselfIsRefusedAndSharedMenusAreNot)
{
    auto *top = new CMenu("Top");
    top->referenced();
    auto *middle = new CMenu("Middle");
    auto *shared = new CMenu("Shared");
    ASSERT_TRUE(top->addSubMenu("Middle", middle));
    ASSERT_TRUE(middle->addSubMenu("Shared", shared));
    EXPECT_TRUE(top->addSubMenu("Shared again", shared)) << "two ways to one menu is no cycle";
    EXPECT_FALSE(top->addSubMenu("Itself", top));
    EXPECT_FALSE(shared->addSubMenu("Top", top)) << "Top reaches Shared";
    EXPECT_FALSE(shared->addSubMenu("Middle", middle));
    EXPECT_EQ(shared->getNumberOfItems(), 0);
    EXPECT_EQ(top->getNumberOfItems(), 2);
    top->dereference();
}

TEST_F(Menus, KeysMoveEnterLeaveChooseAndClose)
{
    const struct
    {
        const char *label;
        std::vector<uint32_t> keys;
        long chosen; // -1: nothing chosen
        bool open;
    } cases[] = {
        {"Down, Return chooses the first", {DOWN, RETURN}, 1, false},
        {"Up wraps to the last", {UP, RETURN}, 5, false},
        {"the greyed item is skipped; Return on a sub-menu opens it", {DOWN, DOWN, RETURN}, -1, true},
        {"Right enters the sub-menu", {DOWN, DOWN, RIGHT, DOWN, RETURN}, 4, false},
        {"Left leaves it", {DOWN, DOWN, RIGHT, LEFT, DOWN, RETURN}, 5, false},
        {"Escape closes the sub-menu first", {DOWN, DOWN, RIGHT, ESCAPE}, -1, true},
        {"then the menu", {DOWN, DOWN, RIGHT, ESCAPE, ESCAPE}, -1, false},
    };
    CPopupButton *button = addPopupButton(CRect(20, 20, 50, 30));
    for (const auto &test : cases)
    {
        m_choices.m_ids.clear();
        click(30, 30);
        CMenuWindow &menu = *button->getMenuWindow();
        ASSERT_TRUE(menu.isOpen()) << test.label;
        EXPECT_EQ(button->getValue(), 1.0) << "latched while open";
        keys(menu, test.keys);
        EXPECT_EQ(menu.isOpen(), test.open) << test.label;
        EXPECT_EQ(m_choices.m_ids, test.chosen < 0 ? std::vector<long>{} : std::vector<long>{test.chosen})
            << test.label;
        EXPECT_EQ(button->getValue(), test.open ? 1.0 : 0.0) << test.label;
        keys(menu, {ESCAPE, ESCAPE});
        EXPECT_FALSE(m_system.getCapture()) << test.label;
    }
}

TEST_F(Menus, ThePointerOpensSubMenusBesideTheirItemsAndAReleaseChooses)
{
    CPopupButton *button = addPopupButton(CRect(20, 20, 50, 30));
    click(30, 30);
    CMenuWindow &menu = *button->getMenuWindow();
    EXPECT_EQ(menu.getWindowArea().getTop(), 50) << "below the button";
    EXPECT_EQ(menu.getWindowArea().getLeft(), 20);
    EXPECT_EQ(m_system.getCapture(), menu.getWindowHandle());
    EXPECT_EQ(std::string(menu.getName().getString()).rfind("Menu_0_", 0), 0u) << "depth 0, then the instance";

    const CPoint more = itemPoint(menu, 2);
    toMenu(menu, e_mouseMove, more.getXPosition(), more.getYPosition());
    CMenuWindow *subMenu = menu.getOpenSubMenu();
    ASSERT_NE(subMenu, nullptr);
    EXPECT_EQ(std::string(subMenu->getName().getString()).rfind("Menu_1_", 0), 0u);
    EXPECT_EQ(subMenu->getWindowArea().getLeft(), menu.getWindowArea().getRight()) << "to the right of its item";
    EXPECT_EQ(subMenu->getWindowArea().getTop(), menu.getWindowArea().getTop() + 2 * H);

    const CPoint greyed = itemPoint(menu, 1);
    toMenu(menu, e_leftButtonUp, greyed.getXPosition(), greyed.getYPosition());
    EXPECT_TRUE(menu.isOpen()) << "a greyed item is not chosen";
    const CPoint four = itemPoint(*subMenu, 1);
    toMenu(menu, e_mouseMove, four.getXPosition(), four.getYPosition());
    EXPECT_EQ(subMenu->getHighlightedIndex(), 1);
    toMenu(menu, e_leftButtonUp, four.getXPosition(), four.getYPosition());
    EXPECT_EQ(m_choices.m_ids, std::vector<long>{4});
    EXPECT_FALSE(subMenu->isOpen());

    click(30, 30);
    toMenu(menu, e_leftButtonDown, 190, 5);
    EXPECT_FALSE(menu.isOpen()) << "a click outside closes it";
    EXPECT_EQ(m_choices.m_ids.size(), 1u);
    EXPECT_EQ(button->getValue(), 0.0);
}

TEST_F(Menus, MenusStayOnTheScreenAndSubMenusFlipAtItsEdge)
{
    Orvalite::Host::CDisplayMetrics::setProvider([] { return Orvalite::Host::SDisplayMetrics{1, 200, 150}; });
    CPopupButton *button = addPopupButton(CRect(150, 120, 50, 30));
    click(160, 130);
    CMenuWindow &menu = *button->getMenuWindow();
    const CRect area = menu.getWindowArea();
    EXPECT_EQ(area.getBottom(), 120) << "above the button: no room below";
    EXPECT_EQ(area.getRight(), 200) << "moved left inside the screen";
    keys(menu, {DOWN, DOWN, RIGHT});
    ASSERT_NE(menu.getOpenSubMenu(), nullptr);
    EXPECT_EQ(menu.getOpenSubMenu()->getWindowArea().getRight(), area.getLeft() + CMenuWindow::BORDER)
        << "on the left of its item";
    Orvalite::Host::CDisplayMetrics::setProvider(nullptr);
}

TEST_F(Menus, SubMenusOpenNoDeeperThanTheLimit)
{
    auto *menu = new CMenu("0");
    CMenu *deepest = menu;
    for (long depth = 1; depth <= CMenuWindow::MAXIMUM_DEPTH + 3; ++depth)
    {
        auto *next = new CMenu("deeper");
        deepest->addSubMenu("deeper", next);
        deepest = next;
    }
    deepest->addItem(new CMenuItem("bottom", 7));
    auto *button = new CPopupButton(&root(), 1, CRect(0, 0, 20, 20), menu, &m_choices);
    root().addControl(button);
    click(5, 5);
    CMenuWindow *window = button->getMenuWindow();
    keys(*window, {DOWN});
    keys(*window, std::vector<uint32_t>(CMenuWindow::MAXIMUM_DEPTH + 5, RIGHT));
    long depth = 0;
    while (window->getOpenSubMenu())
    {
        window = window->getOpenSubMenu();
        ++depth;
    }
    EXPECT_EQ(depth, CMenuWindow::MAXIMUM_DEPTH);
}

TEST_F(Menus, TheOpenMenuIsDrawnWithItsHighlightedItem)
{
    CPopupButton *button = addPopupButton(CRect(20, 20, 50, 30));
    click(30, 30);
    CMenuWindow &menu = *button->getMenuWindow();
    keys(menu, {DOWN});
    m_system.pump();
    const auto *screen = &m_system.findWindow(menu.getWindowHandle())->screen;
    const long x = CMenuWindow::BORDER + 2;
    EXPECT_EQ(screen->getPixel(x, CMenuWindow::BORDER + H / 2), CMenuItemDisplay::highlightColour().toARGB());
    EXPECT_EQ(screen->getPixel(x, CMenuWindow::BORDER + 3 * H + H / 2), CMenuItemDisplay::backgroundColour().toARGB());
    EXPECT_NE(screen->getPixel(0, 0), CMenuItemDisplay::backgroundColour().toARGB()) << "the frame";
}

TEST_F(Menus, AComboBoxShowsTheChosenTextAndTicksItWithIcons)
{
    auto *combo = new CComboBox(&root(), 1, CRect(10, 10, 100, 20), "Pick", makeMenu());
    combo->registerActionListener(&m_choices);
    combo->setUseIcons(true);
    root().addControl(combo);
    click(20, 15);
    keys(*combo->getMenuWindow(), {UP, RETURN});
    EXPECT_STREQ(combo->getText().getString(), "Five");
    EXPECT_EQ(m_choices.m_ids, std::vector<long>{5});
    EXPECT_TRUE(combo->getMenu()->getItem(3)->isTicked());
    click(20, 15);
    keys(*combo->getMenuWindow(), {DOWN, RETURN});
    EXPECT_STREQ(combo->getText().getString(), "One");
    EXPECT_TRUE(combo->getMenu()->getItem(0)->isTicked());
    EXPECT_FALSE(combo->getMenu()->getItem(3)->isTicked());
}

TEST_F(Menus, AMenuBarOpensTheTitleClickedAndSwitchesAlongTheBar)
{
    auto *bar = new CMenuBar(&root(), 1, CRect(0, 0, 200, 25), &m_choices);
    root().addControl(bar);
    auto *file = new CMenu("File");
    file->addItem(new CMenuItem("Open", 10));
    auto *edit = new CMenu("Edit");
    edit->addItem(new CMenuItem("Cut", 20));
    bar->addMenu(file);
    bar->addMenu(edit);
    const CRect editTitle = bar->getTitleArea(1);
    EXPECT_EQ(editTitle.getLeft(), bar->getTitleArea(0).getRight());
    click(5, 5);
    EXPECT_EQ(bar->getOpenIndex(), 0);
    CMenuWindow &menu = *bar->getMenuWindow();
    EXPECT_EQ(menu.getWindowArea().getTop(), 25);
    toMenu(menu, e_mouseMove, editTitle.getLeft() + 3, 10);
    EXPECT_EQ(bar->getOpenIndex(), 1);
    EXPECT_EQ(menu.getMenu(), edit);
    EXPECT_EQ(menu.getWindowArea().getLeft(), editTitle.getLeft());
    const CPoint cut = itemPoint(menu, 0);
    toMenu(menu, e_leftButtonUp, cut.getXPosition(), cut.getYPosition());
    EXPECT_EQ(m_choices.m_ids, std::vector<long>{20});
    EXPECT_EQ(bar->getOpenIndex(), -1);
}

// A listener that removes the control whose menu it hears from: the control and
// its menu window live until the menu's message is over, then go.
TEST_F(Menus, AListenerMayDestroyTheControlWhoseMenuItHandles)
{
    struct SOwner
    {
        const char *name;
        std::function<IControl *(IActionListener *)> make;
        std::function<CMenuWindow *(IControl *)> menuWindow;
    };
    const SOwner owners[] = {
        {"popup button",
         [this](IActionListener *listener) {
             return new CPopupButton(&root(), 1, CRect(10, 10, 40, 20), makeMenu(), listener);
         },
         [](IControl *control) { return static_cast<CPopupButton *>(control)->getMenuWindow(); }},
        {"combo box",
         [this](IActionListener *listener) {
             auto *combo = new CComboBox(&root(), 1, CRect(10, 10, 40, 20), "Pick", makeMenu());
             combo->registerActionListener(listener);
             return combo;
         },
         [](IControl *control) { return static_cast<CComboBox *>(control)->getMenuWindow(); }},
        {"menu bar",
         [this](IActionListener *listener) {
             auto *bar = new CMenuBar(&root(), 1, CRect(10, 10, 100, 20), listener);
             bar->addMenu(makeMenu());
             return bar;
         },
         [](IControl *control) { return static_cast<CMenuBar *>(control)->getMenuWindow(); }},
    };
    for (const SOwner &owner : owners)
    {
        SCOPED_TRACE(owner.name);
        const long windows = CMenuWindow::getClassRecord().getNumberOfInstances();
        long windowsDuringChoice = -1;
        CRemovingListener listener([&](IControl *control) {
            root().removeControl(control);
            windowsDuringChoice = CMenuWindow::getClassRecord().getNumberOfInstances();
        });
        IControl *control = owner.make(&listener);
        listener.m_control = control;
        root().addControl(control);
        click(15, 15);
        CMenuWindow &menu = *owner.menuWindow(control);
        const CPoint one = itemPoint(menu, 0);
        toMenu(menu, e_leftButtonUp, one.getXPosition(), one.getYPosition());
        EXPECT_EQ(windowsDuringChoice, windows + 1) << "the menu window lives through its message";
        EXPECT_EQ(CMenuWindow::getClassRecord().getNumberOfInstances(), windows) << "and goes with its owner after it";
    }
}

TEST(MenuTitle, IsTheMenuDescriptor)
{
    CMenu menu("Before");
    menu.referenced();
    CControlDescriptor descriptor("Menu Title", CControlDescriptor::e_string);
    descriptor.setValue(new CString("After"));
    ASSERT_TRUE(menu.setDescriptor(descriptor));
    EXPECT_STREQ(menu.getTitle().getString(), "After");
    CControlDescriptor filled("Menu Title", CControlDescriptor::e_string);
    ASSERT_TRUE(menu.fillDescriptor(filled));
    EXPECT_STREQ(dynamic_cast<CString *>(filled.getValue())->getString(), "After");
}
} // namespace
