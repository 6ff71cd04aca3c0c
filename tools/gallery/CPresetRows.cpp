#include "tools/gallery/CPresetRows.h"

#include <iterator>

namespace Zelo::Tools
{
namespace
{
const char *const s_names[] = {"Basic Doubler", "Double Take", "Acoustic Guitar", "Vocals",       "Vocals wide",
                               "Slap back",     "Chorus Pair", "Wide Pad",        "Tight Double", "Detuned Tape"};
} // namespace

long CPresetRows::getNumberOfRows() const
{
    return static_cast<long>(std::size(s_names));
}

Orvalite::Basics::CString CPresetRows::getCellText(long row, long column) const
{
    return column == 0 ? s_names[row] : (row % 2 ? "B" : "A");
}
} // namespace Zelo::Tools
