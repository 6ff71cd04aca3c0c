// A text edit inside a child of another client's window, as in a host, on a
// real X server: XTest clicks start editing, the keys typed (one of them a
// two-byte character through the input method) change its text, and the
// keyboard focus goes back to the host's window afterwards; opening our input
// method leaves the process's locale modifiers as the host set them.

// googletest first: Xlib's None and Bool macros would change its names.
#include <gtest/gtest.h>

#include "foundation/basics/CApplicationInformation.h"
#include "gui/controls/base/CControlRoot.h"
#include "gui/controls/text/CTextEdit.h"
#include "gui/fonts/CFont.h"
#include "gui/windowing/CWindow.h"
#include "gui/windowing/x11/CX11InputMethod.h"
#include "tests/gui/x11/CX11TestDisplay.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <string>

namespace Orvalite::Testing
{
namespace
{
using namespace GUI::Windowing;
using GUI::Controls::CTextEdit;
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

TEST(X11TextEdit, OpeningOurInputMethodLeavesTheHostsLocaleModifiersAsTheyWere)
{
    std::unique_ptr<CX11TestDisplay> x = CX11TestDisplay::open();
    if (!x)
    {
        GTEST_SKIP() << "No X server can be reached";
    }
    ASSERT_NE(XSetLocaleModifiers("@im=host"), nullptr);
    const std::string hosts = XSetLocaleModifiers(nullptr);
    CX11InputMethod method;
    method.open(x->getDisplay());
    EXPECT_EQ(XSetLocaleModifiers(nullptr), hosts);
    XSetLocaleModifiers("");
}

TEST(X11TextEdit, TypingIntoAnEditInAChildWindowChangesItsTextAndTheHostGetsTheFocusBack)
{
    std::unique_ptr<CX11TestDisplay> x = CX11TestDisplay::open();
    if (!x)
    {
        GTEST_SKIP() << "No X server can be reached";
    }
    Display *display = x->getDisplay();
    // A spare key types é, which takes two bytes in UTF-8.
    int firstKeycode = 0;
    int lastKeycode = 0;
    XDisplayKeycodes(display, &firstKeycode, &lastKeycode);
    KeySym eacute = XK_eacute;
    XChangeKeyboardMapping(display, lastKeycode, 1, &eacute, 1);
    XSetInputFocus(display, x->getParent(), RevertToParent, CurrentTime);
    XSync(display, False);

    CX11WindowSystem system;
    INativeWindowSystem::install(&system);
    Basics::CApplicationInformation::setProductName("Zelo");
    GUI::Fonts::CFont::createDefaultFont();
    {
        CHostWindow host(x->getParent());
        CWindow window(CRect(CX11TestDisplay::CHILD_X, CX11TestDisplay::CHILD_Y, 200, 100));
        window.setParentWindow(&host);
        window.getWindowAttributes().setWindowStyles(0x50000000, 0);
        auto *edit = new CTextEdit(&window.getControlRoot(), 1, CRect(10, 10, 150, 24), "old");
        window.getControlRoot().addControl(edit);
        window.intialiseWindow(window.getWindowAttributes(), true);
        ASSERT_TRUE(x->waitUntilViewable(window.getWindowHandle()));

        x->moveTo(30, 20);
        x->click(1);
        x->click(1);
        ASSERT_TRUE(x->pumpUntil(system, [&] { return edit->isEditing(); })) << "a double click starts editing";
        EXPECT_EQ(focusOf(display), window.getWindowHandle());
        x->key(XK_z, true);
        x->key(XK_z, false);
        XTestFakeKeyEvent(display, static_cast<unsigned int>(lastKeycode), True, CurrentTime);
        XTestFakeKeyEvent(display, static_cast<unsigned int>(lastKeycode), False, CurrentTime);
        x->key(XK_Return, true);
        x->key(XK_Return, false);
        EXPECT_TRUE(x->pumpUntil(system, [&] { return !edit->isEditing(); }));
        EXPECT_STREQ(edit->getText().getString(), "z\xC3\xA9");
        EXPECT_EQ(focusOf(display), x->getParent());
        window.uninitialiseWindow();
    }
    KeySym nothing = NoSymbol;
    XChangeKeyboardMapping(display, lastKeycode, 1, &nothing, 1);
    GUI::Fonts::CFont::releaseDefaultFont();
    INativeWindowSystem::install(nullptr);
    Basics::CApplicationInformation::releaseApplicationInformation();
}
} // namespace
} // namespace Orvalite::Testing
