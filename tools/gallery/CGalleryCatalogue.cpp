#include "tools/gallery/CGalleryCatalogue.h"

#include "gui/controls/buttons/CRadioButton.h"
#include "gui/controls/buttons/CRolloverButton.h"
#include "gui/controls/displays/CAnimationFrame.h"
#include "gui/controls/displays/CAutoAnimation.h"
#include "gui/controls/displays/CStepLabel.h"
#include "gui/controls/displays/CTriStateImage.h"
#include "gui/controls/menus/CComboBox.h"
#include "gui/controls/menus/CMenu.h"
#include "gui/controls/menus/CMenuBar.h"
#include "gui/controls/menus/CMenuItem.h"
#include "gui/controls/menus/CPopupButton.h"
#include "gui/controls/pads/CXYPad.h"
#include "gui/controls/presets/CPresetBrowser.h"
#include "gui/controls/presets/CPresetList.h"
#include "gui/controls/sliders/CSlider.h"
#include "gui/controls/sliders/CSliderArray.h"
#include "gui/controls/text/CTextEdit.h"
#include "gui/controls/views/CScrollBar.h"
#include "gui/controls/views/CTableView.h"
#include "gui/controls/views/CTreeView.h"
#include "tools/gallery/CPresetRows.h"
#include "tools/gallery/CSamplePanels.h"
#include "tools/gallery/CSectionTree.h"

#include <cmath>

namespace Zelo::Tools
{
using namespace Orvalite::GUI::Controls;
using Orvalite::GUI::Graphics::IImage;
using Orvalite::MathTools::CRect;

namespace
{
// Every set-up sizes the control at the origin; the layout places it.
void resize(IControl &control, long width, long height)
{
    control.setArea(CRect(0, 0, width, height));
}

void showKnob(IControl &control, CGallerySkin &skin)
{
    skin.wearKnob(static_cast<CAnimation &>(control), 0.6);
}

void showAnimation(IControl &control, CGallerySkin &skin)
{
    skin.wearKnob(static_cast<CAnimation &>(control), 0.25);
}

// Played backwards from the last frame: the picture catches its first frame.
void playAnimation(IControl &control, CGallerySkin &skin)
{
    auto &animation = static_cast<CAutoAnimation &>(control);
    skin.wearKnob(animation, 0.0);
    animation.setStyle(CAutoAnimation::e_backward);
    animation.play();
}

// The button's two states as a film strip, showing the lit one.
void showButtonFrame(IControl &control, CGallerySkin &skin)
{
    auto &frame = static_cast<CAnimationFrame &>(control);
    if (IImage *strip = skin.buttonStrip())
    {
        resize(frame, strip->getImageSize().getWidth(), strip->getImageSize().getHeight() / 2);
        frame.setAnimation(strip, strip->getImageSize().getHeight() / 2, 2);
    }
    frame.setFrame(1);
}

// Off, half and full as the knob at its ends and its middle.
void showTriState(IControl &control, CGallerySkin &skin)
{
    if (IImage *off = skin.knobAt(0.0))
    {
        resize(control, off->getImageSize().getWidth(), off->getImageSize().getHeight());
        static_cast<CTriStateImage &>(control).setImages(off, skin.knobAt(0.5), skin.knobAt(1.0));
    }
    control.setValue(0.5);
}

void latchOn(IControl &control, CGallerySkin &skin)
{
    skin.wearButton(static_cast<CButton &>(control));
    control.setValue(1.0);
}

void wearButton(IControl &control, CGallerySkin &skin)
{
    skin.wearButton(static_cast<CButton &>(control));
}

void wearRolloverImages(IControl &control, CGallerySkin &skin)
{
    if (IImage *off = skin.buttonDown())
    {
        resize(control, off->getImageSize().getWidth(), off->getImageSize().getHeight());
        static_cast<CRolloverButton &>(control).setImages(off, nullptr, skin.buttonUp());
    }
}

// Three buttons side by side, the middle one chosen.
void wearRadioImages(IControl &control, CGallerySkin &skin)
{
    auto &group = static_cast<CRadioButton &>(control);
    if (IImage *off = skin.buttonDown())
    {
        const long width = off->getImageSize().getWidth();
        resize(group, 3 * width + 2 * CRadioButton::GAP, off->getImageSize().getHeight());
        for (long index = 0; index < group.getNumberOfControls(); ++index)
        {
            skin.wearButton(*static_cast<CButton *>(group.getControlAtIndex(index, true)));
        }
    }
    group.select(1);
}

void showLabel(IControl &control, CGallerySkin &)
{
    static_cast<CTextLabel &>(control).setText("Stereo Doubler");
    resize(control, 110, 20);
}

void showImage(IControl &control, CGallerySkin &skin)
{
    control.setPrimaryImage(skin.aboutButton());
    resize(control, 60, 40);
}

void showAreaBox(IControl &control, CGallerySkin &skin)
{
    if (IImage *display = skin.waveDisplay())
    {
        control.setPrimaryImage(display);
        resize(control, display->getImageSize().getWidth(), display->getImageSize().getHeight());
    }
}

void showDragTab(IControl &control, CGallerySkin &skin)
{
    if (IImage *header = skin.header())
    {
        control.setPrimaryImage(header);
        resize(control, header->getImageSize().getWidth(), header->getImageSize().getHeight());
    }
    control.setDefaultDrawing(true);
}

// A fader cap on a vertical track.
void showSlider(IControl &control, CGallerySkin &skin)
{
    if (IImage *cap = skin.buttonDown())
    {
        resize(control, cap->getImageSize().getWidth(), 100);
        static_cast<CSlider &>(control).setHandleImages(cap, nullptr, skin.buttonUp(), nullptr);
    }
    control.setDefaultDrawing(true);
    control.setValue(0.7);
}

// As wide as the default thumb images, a third of its content in view and scrolled half way.
void showScrollBar(IControl &control, CGallerySkin &)
{
    auto &bar = static_cast<CScrollBar &>(control);
    resize(bar, 16, 100);
    bar.setScrollRange(300, 100);
    bar.setScrollPosition(100);
}

void showHalfway(IControl &control, CGallerySkin &)
{
    control.setValue(0.5);
}

// Off its centre, so the centre slider fills from the middle.
void showOffCentre(IControl &control, CGallerySkin &)
{
    control.setValue(0.75);
}

// One slow cycle of a sine across the bars.
void showSliderArray(IControl &control, CGallerySkin &)
{
    auto &array = static_cast<CSliderArray &>(control);
    array.setLayout(12, 10, 4);
    resize(array, 12 * 10 + 11 * 4, 80);
    for (long index = 0; index < array.getSliderCount(); ++index)
    {
        array.setSliderValue(index, 0.5 + 0.4 * std::sin(static_cast<double>(index) * 0.55));
    }
}

void showPad(IControl &control, CGallerySkin &)
{
    resize(control, 140, 140);
    static_cast<CXYPad &>(control).setValues(0.65, 0.7);
}

void showStepLabel(IControl &control, CGallerySkin &)
{
    auto &label = static_cast<CStepLabel &>(control);
    label.setTexts({"Sine", "Triangle", "Square"});
    label.setValue(0.5);
    label.setDefaultDrawing(true);
    resize(label, 80, 20);
}

void showTextEdit(IControl &control, CGallerySkin &)
{
    auto &edit = static_cast<CTextEdit &>(control);
    edit.setText("Basic Doubler");
    edit.setDefaultDrawing(true);
    resize(edit, 110, 22);
}

void showComboBox(IControl &control, CGallerySkin &)
{
    auto &box = static_cast<CComboBox &>(control);
    for (const char *length : {"1/4", "1/8", "1/16"})
    {
        box.getMenu()->addItem(new CMenuItem(length, 0));
    }
    box.setText("1/8");
    box.setDefaultDrawing(true);
    resize(box, 90, 22);
}

void showPopupButton(IControl &control, CGallerySkin &)
{
    static_cast<CPopupButton &>(control).setLabelText("Presets");
    resize(control, 90, 24);
}

void fillMenuBar(IControl &control, CGallerySkin &)
{
    for (const char *title : {"File", "Edit", "View"})
    {
        auto *menu = new CMenu(title);
        menu->addItem(new CMenuItem(title, 0));
        static_cast<CMenuBar &>(control).addMenu(menu);
    }
}

void fillControlPanel(IControl &control, CGallerySkin &skin)
{
    CSamplePanels::fillControlPanel(static_cast<CControlPanel &>(control), skin);
}

void fillScrollPanel(IControl &control, CGallerySkin &skin)
{
    CSamplePanels::fillScrollPanel(static_cast<CScrollPanel &>(control), skin);
}

void fillTabPanel(IControl &control, CGallerySkin &skin)
{
    CSamplePanels::fillTabPanel(static_cast<CTabPanel &>(control), skin);
}

void fillTable(IControl &control, CGallerySkin &)
{
    static CPresetRows s_rows;
    auto &table = static_cast<CTableView &>(control);
    table.addColumn("Program", 130);
    table.addColumn("Half", 50);
    table.setDataSource(&s_rows);
    resize(table, 200, 130);
}

void fillTree(IControl &control, CGallerySkin &)
{
    static CSectionTree s_tree;
    auto &tree = static_cast<CTreeView &>(control);
    tree.setDataSource(&s_tree);
    tree.setExpanded(s_tree.getRootNode()->getChildAtIndex(0), true);
    resize(tree, 150, 130);
}

void fillPresetBrowser(IControl &control, CGallerySkin &)
{
    auto &browser = static_cast<CPresetBrowser &>(control);
    resize(browser, 180, 230);
    browser.getList()->setNames({"Basic Doubler", "Double Take", "Vocals wide", "Slap back"});
    browser.getList()->select(1);
}
} // namespace

const std::vector<CGalleryCatalogue::SEntry> &CGalleryCatalogue::entries()
{
    static const std::vector<SEntry> s_entries = {
        {"CKnob", showKnob},
        {"CAnimation", showAnimation},
        {"CAnimationFrame", showButtonFrame},
        {"CAutoAnimation", playAnimation},
        {"CTriStateImage", showTriState},
        {"CLatchingButton", latchOn},
        {"CMomentaryButton", wearButton},
        {"CRolloverButton", wearRolloverImages},
        {"CRepeatingButton", wearRolloverImages},
        {"CRadioButton", wearRadioImages},
        {"CTextLabel", showLabel},
        {"CImageLabel", showImage},
        {"CStepLabel", showStepLabel},
        {"CTextEdit", showTextEdit},
        {"CSlider", showSlider},
        {"CScrollBar", showScrollBar},
        {"CLevelMeter", showHalfway},
        {"CSliderArray", showSliderArray},
        {"CCenterSlider", showOffCentre},
        {"CModulatedSlider", nullptr},
        {"CProgressBar", showHalfway},
        {"CRangeSlider", nullptr},
        {"CADSREditor", nullptr},
        {"CWaveCycle", nullptr},
        {"CXYPad", showPad},
        {"CModulatedXYPad", showPad},
        {"CAreaBox", showAreaBox},
        {"CWindowDragTab", showDragTab},
        {"CPopupButton", showPopupButton},
        {"CComboBox", showComboBox},
        {"CMenuBar", fillMenuBar},
        {"CControlPanel", fillControlPanel},
        {"CScrollPanel", fillScrollPanel},
        {"CTabPanel", fillTabPanel},
        {"CTableView", fillTable},
        {"CTreeView", fillTree},
        {"CPresetBrowser", fillPresetBrowser},
    };
    return s_entries;
}
} // namespace Zelo::Tools
