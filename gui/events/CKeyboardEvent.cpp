#include "gui/events/CKeyboardEvent.h"

namespace Orvalite::GUI::Events
{
ORVALITE_DEFINE_CLASS_RECORD(CKeyboardEvent, "CKeyboardEvent", "CCountedObject")

namespace
{
// Runs of consecutive virtual keys with consecutive key codes.
struct SKeyRun
{
    uint32_t firstVirtualKey;
    uint32_t lastVirtualKey;
    long firstKeyCode;
};

constexpr SKeyRun KEY_RUNS[] = {
    {8, 9, 0},      // backspace, tab
    {12, 13, 2},    // clear, return
    {16, 20, 4},    // shift, control, alt, pause, caps lock
    {27, 27, 9},    // escape
    {33, 40, 10},   // page up … down arrow
    {44, 47, 18},   // print screen, insert, delete, help
    {91, 92, 22},   // left and right system keys
    {112, 135, 24}, // F1 … F24
    {144, 145, 48}, // num lock, scroll lock
    {160, 165, 50}, // left and right shift, control, alt
};
} // namespace

void CKeyboardEvent::setModifiers(bool shift, bool alt, bool ctrl)
{
    m_shift = shift;
    m_alt = alt;
    m_ctrl = ctrl;
}

long CKeyboardEvent::keyCodeOf(uint32_t virtualKey)
{
    for (const SKeyRun &run : KEY_RUNS)
    {
        if (virtualKey >= run.firstVirtualKey && virtualKey <= run.lastVirtualKey)
        {
            return run.firstKeyCode + static_cast<long>(virtualKey - run.firstVirtualKey);
        }
    }
    return OTHER_KEY;
}
} // namespace Orvalite::GUI::Events
