// The X11 layer's tables, and what it does with no X server at all.

// googletest first: Xlib's None and Bool macros would change its names.
#include <gtest/gtest.h>

#include "foundation/mathtools/CRect.h"
#include "gui/windowing/x11/CX11KeyTable.h"
#include "gui/windowing/x11/CX11UriList.h"
#include "gui/windowing/x11/CX11WindowSystem.h"
#include "tests/gui/x11/CX11TestDisplay.h"

#include <X11/keysym.h>

#include <cstdlib>

namespace Orvalite::Testing
{
namespace
{
using namespace GUI::Windowing;

TEST(X11KeyTable, EveryKeyOfTheKeyCodeTableHasItsVirtualKey)
{
    const std::pair<KeySym, uint32_t> cases[] = {
        {XK_BackSpace, 8},  {XK_Tab, 9},           {XK_ISO_Left_Tab, 9}, {XK_Clear, 12},     {XK_Return, 13},
        {XK_KP_Enter, 13},  {XK_Shift_L, 16},      {XK_Shift_R, 16},     {XK_Control_L, 17}, {XK_Control_R, 17},
        {XK_Alt_L, 18},     {XK_Alt_R, 18},        {XK_Pause, 19},       {XK_Caps_Lock, 20}, {XK_Escape, 27},
        {XK_space, 32},     {XK_Prior, 33},        {XK_Next, 34},        {XK_End, 35},       {XK_Home, 36},
        {XK_Left, 37},      {XK_Up, 38},           {XK_Right, 39},       {XK_Down, 40},      {XK_KP_Down, 40},
        {XK_Print, 44},     {XK_Insert, 45},       {XK_Delete, 46},      {XK_KP_Delete, 46}, {XK_Help, 47},
        {XK_Super_L, 91},   {XK_Super_R, 92},      {XK_F1, 112},         {XK_F12, 123},      {XK_F24, 135},
        {XK_Num_Lock, 144}, {XK_Scroll_Lock, 145}, {XK_a, 'A'},          {XK_z, 'Z'},        {XK_Q, 'Q'},
        {XK_0, '0'},        {XK_9, '9'},           {XK_eacute, 0},       {XK_F25, 0},        {XK_exclam, 0},
    };
    for (const auto &[keysym, virtualKey] : cases)
    {
        EXPECT_EQ(CX11KeyTable::virtualKeyOf(keysym), virtualKey) << XKeysymToString(keysym);
    }
}

TEST(X11UriList, FileUrisBecomeDecodedPathsAndTheRestIsSkipped)
{
    const std::pair<const char *, std::vector<std::string>> cases[] = {
        {"file:///a/b.wav", {"/a/b.wav"}},
        {"file:///a%20b/c%2fd\r\n", {"/a b/c/d"}},
        {"file://host/x%C3%A9\r\nfile:///y\r\n", {"/x\xC3\xA9", "/y"}},
        {"# comment\r\nhttp://x/y\r\nfile:relative\r\n\r\n", {}},
        {"file:///bad%2\r\nfile:///bad%zz\r\nfile:///end%", {"/bad%2", "/bad%zz", "/end%"}},
    };
    for (const auto &[list, paths] : cases)
    {
        EXPECT_EQ(CX11UriList::toPaths(list), paths) << list;
    }
}

TEST(X11WithoutServer, CreatingAWindowFailsWithTheReasonAndEverythingElseDoesNothing)
{
    const char *previous = std::getenv("DISPLAY");
    const std::string saved = previous ? previous : "";
    setenv("DISPLAY", ":4321", 1);
    CX11WindowSystem system;
    CRecordingTarget target;
    SNativeWindowSpec spec;
    spec.className = "org.zelo.test.NoServer";
    spec.area = MathTools::CRect(0, 0, 10, 10);
    ASSERT_TRUE(system.registerClass(spec.className, false, nullptr));
    std::string error;
    EXPECT_EQ(system.createWindow(spec, &target, error), 0u);
    EXPECT_NE(error.find(":4321"), std::string::npos) << error;
    system.pump();
    system.beep();
    EXPECT_EQ(system.getCursorPosition(), MathTools::CPoint(0, 0));
    EXPECT_EQ(system.getCapture(), 0u);
    previous ? setenv("DISPLAY", saved.c_str(), 1) : unsetenv("DISPLAY");
    EXPECT_TRUE(target.messages.empty());
}
} // namespace
} // namespace Orvalite::Testing
