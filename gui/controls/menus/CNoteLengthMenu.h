// The ready-made menu of note lengths: sub-menus "Straight", "Triplet" and
// "Dotted" of thirteen lengths each, from "64" bars down to "1/64", with ids
// 0 … 12, 13 … 25 and 26 … 38 in that order (triplets end in "T", dotted
// lengths in "D"). Counted, as any menu.
#pragma once

#include "gui/controls/menus/CMenu.h"

namespace Orvalite::GUI::Controls
{
class CNoteLengthMenu : public CMenu
{
public:
    static constexpr long NUMBER_OF_LENGTHS = 13;

    CNoteLengthMenu();

    ORVALITE_CLASS_RECORD(CNoteLengthMenu)
};
} // namespace Orvalite::GUI::Controls
