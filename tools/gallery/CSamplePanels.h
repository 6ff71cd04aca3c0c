// What the gallery's panels hold so they look used: captioned knobs and
// buttons wearing the skin, more of them in the scroll panel than it shows
// at once, and a page of them on each tab.
#pragma once

#include "gui/controls/base/CControlPanel.h"
#include "gui/controls/views/CScrollPanel.h"
#include "gui/controls/views/CTabPanel.h"
#include "tools/gallery/CGallerySkin.h"

namespace Zelo::Tools
{
class CSamplePanels
{
public:
    static void fillControlPanel(Orvalite::GUI::Controls::CControlPanel &panel, const CGallerySkin &skin);
    static void fillScrollPanel(Orvalite::GUI::Controls::CScrollPanel &panel, const CGallerySkin &skin);
    static void fillTabPanel(Orvalite::GUI::Controls::CTabPanel &panel, const CGallerySkin &skin);

private:
    // The knob's top left corner at (left, top), its caption centred below it.
    static void addKnob(Orvalite::GUI::Controls::CControlRoot &panel, long left, long top, const char *caption,
                        double value, const CGallerySkin &skin);
    static void addButton(Orvalite::GUI::Controls::CControlRoot &panel, long left, long top, const char *caption,
                          bool on, const CGallerySkin &skin);
    // `alignment` as CTextLabel takes it.
    static void addLabel(Orvalite::GUI::Controls::CControlRoot &panel, const Orvalite::MathTools::CRect &area,
                         const char *text, long alignment);
};
} // namespace Zelo::Tools
