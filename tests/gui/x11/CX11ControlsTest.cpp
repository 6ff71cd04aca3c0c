// The framework's windows and controls on a real X server, driven with XTest:
// a drag that leaves the window, from X events through the X11 window system,
// CWindow's message table and the control root to a knob and its drawing; a
// popup button's menu; and a text edit in a child of another client's window,
// as in a host, that takes the keyboard focus while editing and gives it back.

// googletest first: Xlib's None and Bool macros would change its names.
#include <gtest/gtest.h>

#include "foundation/basics/CApplicationInformation.h"
#include "gui/controls/base/CControlRoot.h"
#include "gui/controls/menus/CMenu.h"
#include "gui/controls/menus/CMenuItemDisplay.h"
#include "gui/controls/menus/CPopupButton.h"
#include "gui/controls/sliders/CKnob.h"
#include "gui/controls/text/CTextEdit.h"
#include "gui/fonts/CFont.h"
#include "gui/graphics/CRGBAImage.h"
#include "gui/windowing/CWindow.h"
#include "gui/windowing/x11/CX11InputMethod.h"
#include "tests/gui/controls/CChoiceRecorder.h"
#include "tests/gui/x11/CX11TestDisplay.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <string>
#include <vector>

namespace Orvalite::Testing
{
namespace
{
using namespace GUI::Windowing;
using namespace GUI::Controls;
using MathTools::CRect;

// The test's parent window as a framework window, so that ours can be its child.
class CHostWindow : public CWindow
{
public:
    explicit CHostWindow(Window window) : CWindow(CRect(0, 0, 10, 10)) { borrowWindowHandle(window); }
    ~CHostWindow() override { borrowWindowHandle(0); }
};

Window focusOf(Display *display)
{
    Window focus = 0;
    int revertTo = 0;
    XGetInputFocus(display, &focus, &revertTo);
    return focus;
}

class X11Controls : public testing::Test
{
protected:
    void SetUp() override
    {
        INativeWindowSystem::install(&m_system);
        Basics::CApplicationInformation::setProductName("Zelo");
        GUI::Fonts::CFont::createDefaultFont();
        m_x = CX11TestDisplay::open();
        if (!m_x)
        {
            GTEST_SKIP() << "No X server can be reached";
        }
    }
    void TearDown() override
    {
        GUI::Fonts::CFont::releaseDefaultFont();
        INativeWindowSystem::install(nullptr);
        Basics::CApplicationInformation::releaseApplicationInformation();
    }

    // A top-level window's area exactly over the test display's child, so that its client points apply.
    static CRect overTheChild(long width, long height)
    {
        return CRect(CX11TestDisplay::PARENT_X + CX11TestDisplay::CHILD_X,
                     CX11TestDisplay::PARENT_Y + CX11TestDisplay::CHILD_Y, width, height);
    }
    // Shows the window and lets its first events arrive.
    void show(CWindow &window)
    {
        window.intialiseWindow(window.getWindowAttributes(), true);
        ASSERT_TRUE(m_x->waitUntilViewable(window.getWindowHandle()));
        m_x->pumpUntil(m_system, [] { return false; });
    }

    CX11WindowSystem m_system;
    std::unique_ptr<CX11TestDisplay> m_x;
};

TEST_F(X11Controls, DraggingAKnobUpAndOutOfTheWindowChangesItsValueItsFrameAndEndsTheCapture)
{
    CWindow window(overTheChild(120, 80));
    // Eleven 50 × 50 frames, one per tenth of the value.
    auto *strip = new GUI::Graphics::CRGBAImage();
    strip->referenced();
    ASSERT_TRUE(strip->initialise(50, 550));
    ASSERT_TRUE(strip->uninitialise());
    auto *knob = new CKnob(&window.getControlRoot(), 1, CRect(10, 10, 50, 50));
    knob->setAnimation(strip, 50, 11, false);
    strip->dereference();
    window.getControlRoot().addControl(knob);
    show(window);
    EXPECT_EQ(knob->getFilmStrip().getCurrentFrame(), 0);

    m_x->moveTo(35, 55);
    m_x->button(1, true);
    m_x->moveTo(35, -5);
    m_x->button(1, false);
    EXPECT_TRUE(m_x->pumpUntil(m_system, [&] { return !knob->isDragging() && knob->getValue() > 0.0; }));
    EXPECT_NEAR(knob->getValue(), 0.3, 1e-12) << "60 pixels up at 1/200";
    EXPECT_TRUE(m_x->pumpUntil(m_system, [&] { return knob->getFilmStrip().getCurrentFrame() == 3; }));
    EXPECT_EQ(m_system.getCapture(), 0u);
    window.uninitialiseWindow();
}

// The menu is an override-redirect pop-up below the button, a click on an
// item reports its id, and Escape or a click outside closes it without a choice.
TEST_F(X11Controls, APopupButtonsMenuReportsTheClickedItemAndAClickOutsideClosesIt)
{
    CChoiceRecorder choices;
    CWindow window(overTheChild(200, 100));
    auto *menu = new CMenu("Greek");
    menu->addItem(new CMenuItem("Alpha", 11));
    menu->addItem(new CMenuItem("Beta", 12));
    menu->addItem(new CMenuItem("Gamma", 13));
    auto *button = new CPopupButton(&window.getControlRoot(), 1, CRect(10, 10, 60, 30), menu, &choices);
    window.getControlRoot().addControl(button);
    show(window);

    const auto openMenu = [&] {
        m_x->moveTo(40, 25);
        m_x->click(1);
        return m_x->pumpUntil(m_system, [&] {
            return button->getMenuWindow() && button->getMenuWindow()->isOpen() &&
                   m_x->waitUntilViewable(button->getMenuWindow()->getWindowHandle());
        });
    };
    ASSERT_TRUE(openMenu());
    CMenuWindow &menuWindow = *button->getMenuWindow();
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(m_x->getDisplay(), menuWindow.getWindowHandle(), &attributes));
    EXPECT_TRUE(attributes.override_redirect);
    EXPECT_EQ(attributes.y, CX11TestDisplay::PARENT_Y + CX11TestDisplay::CHILD_Y + 40) << "below the button";

    // "Beta", in the window's client coordinates.
    m_x->moveTo(40, 40 + CMenuWindow::BORDER + CMenuItemDisplay::ITEM_HEIGHT * 3 / 2);
    m_x->click(1);
    EXPECT_TRUE(m_x->pumpUntil(m_system, [&] { return !choices.m_ids.empty(); }));
    EXPECT_EQ(choices.m_ids, std::vector<long>{12});
    EXPECT_FALSE(menuWindow.isOpen());

    ASSERT_TRUE(openMenu());
    m_x->key(XK_Escape, true);
    m_x->key(XK_Escape, false);
    EXPECT_TRUE(m_x->pumpUntil(m_system, [&] { return !menuWindow.isOpen(); })) << "the keys are grabbed";

    ASSERT_TRUE(openMenu());
    m_x->moveTo(190, 90);
    m_x->click(1);
    EXPECT_TRUE(m_x->pumpUntil(m_system, [&] { return !menuWindow.isOpen(); }));
    EXPECT_EQ(choices.m_ids.size(), 1u) << "closed without a choice";
    EXPECT_EQ(button->getValue(), 0.0);
    window.uninitialiseWindow();
}

TEST_F(X11Controls, OpeningOurInputMethodLeavesTheHostsLocaleModifiersAsTheyWere)
{
    ASSERT_NE(XSetLocaleModifiers("@im=host"), nullptr);
    const std::string hosts = XSetLocaleModifiers(nullptr);
    CX11InputMethod method;
    method.open(m_x->getDisplay());
    EXPECT_EQ(XSetLocaleModifiers(nullptr), hosts);
    XSetLocaleModifiers("");
}

// The keys typed, one of them a two-byte character through the input method.
TEST_F(X11Controls, TypingIntoAnEditInAChildWindowChangesItsTextAndTheHostGetsTheFocusBack)
{
    Display *display = m_x->getDisplay();
    // A spare key types é, which takes two bytes in UTF-8.
    int firstKeycode = 0;
    int lastKeycode = 0;
    XDisplayKeycodes(display, &firstKeycode, &lastKeycode);
    KeySym eacute = XK_eacute;
    XChangeKeyboardMapping(display, lastKeycode, 1, &eacute, 1);
    XSetInputFocus(display, m_x->getParent(), RevertToParent, CurrentTime);
    XSync(display, False);
    {
        CHostWindow host(m_x->getParent());
        CWindow window(CRect(CX11TestDisplay::CHILD_X, CX11TestDisplay::CHILD_Y, 200, 100));
        window.setParentWindow(&host);
        window.getWindowAttributes().setWindowStyles(0x50000000, 0);
        auto *edit = new CTextEdit(&window.getControlRoot(), 1, CRect(10, 10, 150, 24), "old");
        window.getControlRoot().addControl(edit);
        window.intialiseWindow(window.getWindowAttributes(), true);
        ASSERT_TRUE(m_x->waitUntilViewable(window.getWindowHandle()));

        m_x->moveTo(30, 20);
        m_x->click(1);
        m_x->click(1);
        ASSERT_TRUE(m_x->pumpUntil(m_system, [&] { return edit->isEditing(); })) << "a double click starts editing";
        EXPECT_EQ(focusOf(display), window.getWindowHandle());
        m_x->key(XK_z, true);
        m_x->key(XK_z, false);
        XTestFakeKeyEvent(display, static_cast<unsigned int>(lastKeycode), True, CurrentTime);
        XTestFakeKeyEvent(display, static_cast<unsigned int>(lastKeycode), False, CurrentTime);
        m_x->key(XK_Return, true);
        m_x->key(XK_Return, false);
        EXPECT_TRUE(m_x->pumpUntil(m_system, [&] { return !edit->isEditing(); }));
        EXPECT_STREQ(edit->getText().getString(), "z\xC3\xA9");
        EXPECT_EQ(focusOf(display), m_x->getParent());
        window.uninitialiseWindow();
    }
    KeySym nothing = NoSymbol;
    XChangeKeyboardMapping(display, lastKeycode, 1, &nothing, 1);
}
} // namespace
} // namespace Orvalite::Testing
