#include "gui/windowing/x11/CX11KeyTable.h"

#include <X11/keysym.h>

#include <algorithm>
#include <iterator>

namespace Orvalite::GUI::Windowing
{
namespace
{
struct SKey
{
    KeySym keysym;
    uint32_t virtualKey;
};

// The keys with a Win32 virtual key of their own; letters, digits and F1 … F24 are ranges.
constexpr SKey KEYS[] = {
    {XK_space, 32},     {XK_ISO_Left_Tab, 9}, {XK_BackSpace, 8},     {XK_Tab, 9},      {XK_Clear, 12},
    {XK_Return, 13},    {XK_Pause, 19},       {XK_Scroll_Lock, 145}, {XK_Escape, 27},  {XK_Home, 36},
    {XK_Left, 37},      {XK_Up, 38},          {XK_Right, 39},        {XK_Down, 40},    {XK_Prior, 33},
    {XK_Next, 34},      {XK_End, 35},         {XK_Print, 44},        {XK_Insert, 45},  {XK_Help, 47},
    {XK_Num_Lock, 144}, {XK_KP_Enter, 13},    {XK_KP_Home, 36},      {XK_KP_Left, 37}, {XK_KP_Up, 38},
    {XK_KP_Right, 39},  {XK_KP_Down, 40},     {XK_KP_Prior, 33},     {XK_KP_Next, 34}, {XK_KP_End, 35},
    {XK_KP_Begin, 12},  {XK_KP_Insert, 45},   {XK_KP_Delete, 46},    {XK_Shift_L, 16}, {XK_Shift_R, 16},
    {XK_Control_L, 17}, {XK_Control_R, 17},   {XK_Caps_Lock, 20},    {XK_Meta_L, 18},  {XK_Meta_R, 18},
    {XK_Alt_L, 18},     {XK_Alt_R, 18},       {XK_Super_L, 91},      {XK_Super_R, 92}, {XK_Delete, 46},
};

} // namespace

uint32_t CX11KeyTable::virtualKeyOf(KeySym keysym)
{
    if (keysym >= XK_a && keysym <= XK_z)
    {
        return static_cast<uint32_t>(keysym - XK_a + 'A');
    }
    if ((keysym >= XK_A && keysym <= XK_Z) || (keysym >= XK_0 && keysym <= XK_9))
    {
        return static_cast<uint32_t>(keysym);
    }
    if (keysym >= XK_F1 && keysym <= XK_F24)
    {
        return static_cast<uint32_t>(keysym - XK_F1 + 112);
    }
    const auto found =
        std::find_if(std::begin(KEYS), std::end(KEYS), [keysym](const SKey &key) { return key.keysym == keysym; });
    return found == std::end(KEYS) ? 0 : found->virtualKey;
}
} // namespace Orvalite::GUI::Windowing
