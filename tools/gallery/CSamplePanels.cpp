#include "tools/gallery/CSamplePanels.h"

#include "gui/controls/buttons/CLatchingButton.h"
#include "gui/controls/sliders/CKnob.h"
#include "gui/controls/text/CTextLabel.h"

#include <iterator>

namespace Zelo::Tools
{
using namespace Orvalite::GUI::Controls;
using Orvalite::MathTools::CPoint;
using Orvalite::MathTools::CRect;

namespace
{
constexpr long KNOB_SIZE = 40;
// The width of a knob's caption, centred under it.
constexpr long CAPTION_WIDTH = 60;
constexpr long CAPTION_HEIGHT = 16;
// CTextLabel's alignments: centred at the top, and at the left edge half way down.
constexpr long CENTRE_TOP = 1;
constexpr long LEFT_MIDDLE = 3;
} // namespace

void CSamplePanels::fillControlPanel(CControlPanel &panel, const CGallerySkin &skin)
{
    panel.setDefaultDrawing(true);
    panel.setArea(CRect(0, 0, 200, 80));
    addKnob(panel, 20, 10, "Dry Gain", 0.7, skin);
    addKnob(panel, 80, 10, "Master", 0.45, skin);
    addButton(panel, 140, 20, "Sync", true, skin);
}

void CSamplePanels::fillScrollPanel(CScrollPanel &panel, const CGallerySkin &skin)
{
    panel.setDefaultDrawing(true);
    panel.setArea(CRect(0, 0, 150, 150));
    const char *const names[] = {"Pitch", "Pan", "Delay", "Feedback", "LFO Rate", "LFO Depth", "Gain"};
    for (long row = 0; row < static_cast<long>(std::size(names)); ++row)
    {
        const long top = 8 + row * 48;
        addKnob(panel, 8, top, nullptr, 0.15 * static_cast<double>(row), skin);
        addLabel(panel, CRect(56, top, 70, KNOB_SIZE), names[row], LEFT_MIDDLE);
    }
    panel.updateScrollBars();
    panel.setScrollPosition(CPoint(0, 24));
}

void CSamplePanels::fillTabPanel(CTabPanel &panel, const CGallerySkin &skin)
{
    panel.setDefaultDrawing(true);
    panel.setArea(CRect(0, 0, 210, 110));
    const char *const voices[] = {"Voice One", "Voice Two"};
    for (long tab = 0; tab < static_cast<long>(std::size(voices)); ++tab)
    {
        CControlPanel &page = *panel.getTab(tab);
        page.setName(voices[tab]);
        addKnob(page, 15, 12, "Pitch", 0.5 + 0.2 * static_cast<double>(tab), skin);
        addKnob(page, 85, 12, "Delay", 0.3, skin);
        addKnob(page, 155, 12, "Feedback", 0.6 - 0.4 * static_cast<double>(tab), skin);
    }
    panel.selectTab(0);
}

void CSamplePanels::addKnob(CControlRoot &panel, long left, long top, const char *caption, double value,
                            const CGallerySkin &skin)
{
    auto *knob = new CKnob(&panel, -1, CRect(left, top, KNOB_SIZE, KNOB_SIZE));
    skin.wearKnob(*knob, value);
    panel.addControl(knob);
    if (caption)
    {
        const CRect &area = knob->getArea();
        addLabel(
            panel,
            CRect(area.getCentralXPosition() - CAPTION_WIDTH / 2, area.getBottom() + 2, CAPTION_WIDTH, CAPTION_HEIGHT),
            caption, CENTRE_TOP);
    }
}

void CSamplePanels::addButton(CControlRoot &panel, long left, long top, const char *caption, bool on,
                              const CGallerySkin &skin)
{
    auto *button = new CLatchingButton(&panel, -1, CRect(left, top, KNOB_SIZE, KNOB_SIZE / 2));
    skin.wearButton(*button);
    button->setValue(on ? 1.0 : 0.0);
    panel.addControl(button);
    const CRect &area = button->getArea();
    addLabel(panel,
             CRect(area.getCentralXPosition() - CAPTION_WIDTH / 2, area.getBottom() + 2, CAPTION_WIDTH, CAPTION_HEIGHT),
             caption, CENTRE_TOP);
}

void CSamplePanels::addLabel(CControlRoot &panel, const CRect &area, const char *text, long alignment)
{
    auto *label = new CTextLabel(&panel, -1, area, text);
    label->setTextAlignment(alignment);
    panel.addControl(label);
}
} // namespace Zelo::Tools
