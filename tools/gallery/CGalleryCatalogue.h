// The gallery's controls in the order they are laid out, each with what it is
// given to show: the skin's images where it takes images, sample values,
// texts, rows and children elsewhere.
#pragma once

#include "gui/controls/base/IControl.h"
#include "tools/gallery/CGallerySkin.h"

#include <vector>

namespace Zelo::Tools
{
class CGalleryCatalogue
{
public:
    using TSetUp = void (*)(Orvalite::GUI::Controls::IControl &control, CGallerySkin &skin);

    struct SEntry
    {
        // The factory's name for the control's class.
        const char *typeName;
        // Null keeps the factory's defaults.
        TSetUp setUp;
    };

    static const std::vector<SEntry> &entries();
};
} // namespace Zelo::Tools
