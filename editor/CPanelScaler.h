// Moves a panel's controls from one editor size to another: every control's
// area, every knob's drag (kept per design pixel) and the font of every label
// drawn in the panel's font or the toolkit's default. The editor calls it when
// its size changes; the controls stay where the panel's design puts them.
#pragma once

#include "editor/CEditorScale.h"

namespace Orvalite::GUI::Controls
{
class IControlRoot;
}

namespace Orvalite::GUI::Fonts
{
class CFont;
}

namespace Orvalite::Veltrix
{
class CPanelScaler
{
public:
    CPanelScaler() = delete;

    // `panelFont` is set to `to`'s size of the default font's design size.
    static void rescale(GUI::Controls::IControlRoot &root, const CEditorScale &from, const CEditorScale &to,
                        GUI::Fonts::CFont &panelFont);
};
} // namespace Orvalite::Veltrix
