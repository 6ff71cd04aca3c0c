#include "gui/controls/menus/CNoteLengthMenu.h"

namespace Orvalite::GUI::Controls
{
using ::Orvalite::Basics::CString;

ORVALITE_DEFINE_CLASS_RECORD(CNoteLengthMenu, "CNoteLengthMenu", "CMenu")

namespace
{
const char *const s_lengths[CNoteLengthMenu::NUMBER_OF_LENGTHS] = {"64",  "32",  "16",  "8",    "4",    "2",   "1",
                                                                   "1/2", "1/4", "1/8", "1/16", "1/32", "1/64"};

struct SFeel
{
    const char *title;
    const char *suffix;
};
const SFeel s_feels[] = {{"Straight", ""}, {"Triplet", "T"}, {"Dotted", "D"}};
} // namespace

CNoteLengthMenu::CNoteLengthMenu() : CMenu("Note Length")
{
    long id = 0;
    for (const SFeel &feel : s_feels)
    {
        auto *subMenu = new CMenu(feel.title);
        for (const char *length : s_lengths)
        {
            CString text(length);
            text += feel.suffix;
            subMenu->addItem(new CMenuItem(text, id++, 0, 1));
        }
        addSubMenu(feel.title, subMenu);
    }
}
} // namespace Orvalite::GUI::Controls
