// A popup button's menu on a real X server, driven with XTest: the menu is
// an override-redirect pop-up below the button, a click on an item reports
// its id, and Escape or a click outside closes it without a choice.

// googletest first: Xlib's None and Bool macros would change its names.
#include <gtest/gtest.h>

#include "foundation/basics/CApplicationInformation.h"
#include "gui/controls/base/CControlRoot.h"
#include "gui/controls/menus/CMenu.h"
#include "gui/controls/menus/CMenuItemDisplay.h"
#include "gui/controls/menus/CPopupButton.h"
#include "gui/events/CMenuEvent.h"
#include "gui/listeners/IActionListener.h"
#include "gui/windowing/CWindow.h"
#include "tests/gui/x11/CX11TestDisplay.h"

#include <X11/keysym.h>

#include <vector>

namespace Orvalite::Testing
{
namespace
{
using namespace GUI::Windowing;
using namespace GUI::Controls;
using MathTools::CRect;

class CChoices : public Basics::CCountedObject, public GUI::Listeners::IActionListener
{
public:
    void referenced() override { CCountedObject::referenced(); }
    void dereference() override { CCountedObject::dereference(); }
    long getReferenceCount() const override { return CCountedObject::getReferenceCount(); }
    void getObjectDescription(char *, long) const override {}
    Basics::CClass &getClass() const override { return CCountedObject::getClass(); }
    void handleActionEvent(const GUI::Events::CActionEvent &event) override
    {
        ids.push_back(dynamic_cast<const GUI::Events::CMenuEvent &>(event).getMenuItemId());
    }
    std::vector<long> ids;
};

TEST(X11Menu, APopupButtonsMenuReportsTheClickedItemAndAClickOutsideClosesIt)
{
    std::unique_ptr<CX11TestDisplay> x = CX11TestDisplay::open();
    if (!x)
    {
        GTEST_SKIP() << "No X server can be reached";
    }
    CX11WindowSystem system;
    INativeWindowSystem::install(&system);
    Basics::CApplicationInformation::setProductName("Zelo");
    {
        CChoices choices;
        // A top-level window where the tests' child window would be, so that
        // XTest's client coordinates are the window's.
        CWindow window(CRect(CX11TestDisplay::PARENT_X + CX11TestDisplay::CHILD_X,
                             CX11TestDisplay::PARENT_Y + CX11TestDisplay::CHILD_Y, 200, 100));
        auto *menu = new CMenu("Greek");
        menu->addItem(new CMenuItem("Alpha", 11));
        menu->addItem(new CMenuItem("Beta", 12));
        menu->addItem(new CMenuItem("Gamma", 13));
        auto *button = new CPopupButton(&window.getControlRoot(), 1, CRect(10, 10, 60, 30), menu, &choices);
        window.getControlRoot().addControl(button);
        window.intialiseWindow(window.getWindowAttributes(), true);
        ASSERT_TRUE(x->waitUntilViewable(window.getWindowHandle()));
        x->pumpUntil(system, [] { return false; });

        const auto openMenu = [&] {
            x->moveTo(40, 25);
            x->click(1);
            return x->pumpUntil(system, [&] {
                return button->getMenuWindow() && button->getMenuWindow()->isOpen() &&
                       x->waitUntilViewable(button->getMenuWindow()->getWindowHandle());
            });
        };
        ASSERT_TRUE(openMenu());
        CMenuWindow &menuWindow = *button->getMenuWindow();
        XWindowAttributes attributes;
        ASSERT_TRUE(XGetWindowAttributes(x->getDisplay(), menuWindow.getWindowHandle(), &attributes));
        EXPECT_TRUE(attributes.override_redirect);
        EXPECT_EQ(attributes.y, CX11TestDisplay::PARENT_Y + CX11TestDisplay::CHILD_Y + 40) << "below the button";

        // "Beta", in the window's client coordinates.
        x->moveTo(40, 40 + CMenuWindow::BORDER + CMenuItemDisplay::ITEM_HEIGHT * 3 / 2);
        x->click(1);
        EXPECT_TRUE(x->pumpUntil(system, [&] { return !choices.ids.empty(); }));
        EXPECT_EQ(choices.ids, std::vector<long>{12});
        EXPECT_FALSE(menuWindow.isOpen());

        ASSERT_TRUE(openMenu());
        x->key(XK_Escape, true);
        x->key(XK_Escape, false);
        EXPECT_TRUE(x->pumpUntil(system, [&] { return !menuWindow.isOpen(); })) << "the keys are grabbed";

        ASSERT_TRUE(openMenu());
        x->moveTo(190, 90);
        x->click(1);
        EXPECT_TRUE(x->pumpUntil(system, [&] { return !menuWindow.isOpen(); }));
        EXPECT_EQ(choices.ids.size(), 1u) << "closed without a choice";
        EXPECT_EQ(button->getValue(), 0.0);
        window.uninitialiseWindow();
    }
    INativeWindowSystem::install(nullptr);
    Basics::CApplicationInformation::releaseApplicationInformation();
}
} // namespace
} // namespace Orvalite::Testing
