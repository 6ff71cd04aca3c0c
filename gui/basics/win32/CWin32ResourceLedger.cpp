#include "gui/basics/win32/CWin32ResourceLedger.h"

#include <array>

namespace Orvalite::GUI::Basics
{
namespace
{
std::array<long, CWin32ResourceLedger::NUMBER_OF_KINDS> s_counts{};

const char *const KIND_NAMES[CWin32ResourceLedger::NUMBER_OF_KINDS] = {
    "window", "device context", "bitmap", "pen", "brush", "font", "region", "timer", "hook", "GDI+ object"};
} // namespace

void CWin32ResourceLedger::created(EKind kind)
{
    ++s_counts[kind];
}

void CWin32ResourceLedger::released(EKind kind)
{
    --s_counts[kind];
}

long CWin32ResourceLedger::count(EKind kind)
{
    return s_counts[kind];
}

long CWin32ResourceLedger::total()
{
    long sum = 0;
    for (const long count : s_counts)
    {
        sum += count;
    }
    return sum;
}

const char *CWin32ResourceLedger::nameOf(EKind kind)
{
    return kind >= 0 && kind < NUMBER_OF_KINDS ? KIND_NAMES[kind] : "unknown";
}
} // namespace Orvalite::GUI::Basics
