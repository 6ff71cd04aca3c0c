#include "gui/controls/base/CControlFactory.h"

#include "gui/controls/base/CControlPanel.h"
#include "gui/controls/buttons/CLatchingButton.h"
#include "gui/controls/buttons/CMomentaryButton.h"
#include "gui/controls/buttons/CRadioButton.h"
#include "gui/controls/buttons/CRepeatingButton.h"
#include "gui/controls/buttons/CRolloverButton.h"
#include "gui/controls/displays/CAnimation.h"
#include "gui/controls/displays/CAnimationFrame.h"
#include "gui/controls/displays/CAreaBox.h"
#include "gui/controls/displays/CAutoAnimation.h"
#include "gui/controls/displays/CImageLabel.h"
#include "gui/controls/displays/CLevelMeter.h"
#include "gui/controls/displays/CProgressBar.h"
#include "gui/controls/displays/CStepLabel.h"
#include "gui/controls/displays/CTriStateImage.h"
#include "gui/controls/menus/CComboBox.h"
#include "gui/controls/menus/CMenu.h"
#include "gui/controls/menus/CMenuBar.h"
#include "gui/controls/menus/CPopupButton.h"
#include "gui/controls/pads/CADSREditor.h"
#include "gui/controls/pads/CModulatedXYPad.h"
#include "gui/controls/pads/CWaveCycle.h"
#include "gui/controls/pads/CXYPad.h"
#include "gui/controls/presets/CPresetBrowser.h"
#include "gui/controls/sliders/CCenterSlider.h"
#include "gui/controls/sliders/CKnob.h"
#include "gui/controls/sliders/CModulatedSlider.h"
#include "gui/controls/sliders/CRangeSlider.h"
#include "gui/controls/sliders/CSlider.h"
#include "gui/controls/sliders/CSliderArray.h"
#include "gui/controls/text/CTextEdit.h"
#include "gui/controls/text/CTextLabel.h"
#include "gui/controls/text/CWindowDragTab.h"
#include "gui/controls/views/CScrollBar.h"
#include "gui/controls/views/CScrollPanel.h"
#include "gui/controls/views/CTabPanel.h"
#include "gui/controls/views/CTableView.h"
#include "gui/controls/views/CTreeView.h"

#include <cstring>

namespace Orvalite::GUI::Controls
{
namespace
{
using TCreate = IControl *(*)(IControlRoot *root, const MathTools::CRect &area);

template <class T> IControl *make(IControlRoot *root, const MathTools::CRect &area)
{
    return new T(root, -1, area);
}

// Controls with text start with "Text".
template <class T> IControl *makeWithText(IControlRoot *root, const MathTools::CRect &area)
{
    return new T(root, -1, area, "Text");
}

// Controls that show a menu get a new, empty one.
IControl *makeComboBox(IControlRoot *root, const MathTools::CRect &area)
{
    return new CComboBox(root, -1, area, "Text", new CMenu());
}

IControl *makePopupButton(IControlRoot *root, const MathTools::CRect &area)
{
    return new CPopupButton(root, -1, area, new CMenu());
}

IControl *makePresetBrowser(IControlRoot *root, const MathTools::CRect &area)
{
    auto *browser = new CPresetBrowser(root, -1, area);
    browser->createLayout();
    return browser;
}

struct SCatalogueEntry
{
    const char *typeName;
    long width;
    long height;
    // Null while the toolkit has no such class yet.
    TCreate create;
};

const SCatalogueEntry s_catalogue[] = {
    {"CADSREditor", 150, 100, make<CADSREditor>},
    {"CAnimation", 50, 50, make<CAnimation>},
    {"CAnimationFrame", 50, 50, make<CAnimationFrame>},
    {"CAreaBox", 50, 50, make<CAreaBox>},
    {"CAutoAnimation", 50, 50, make<CAutoAnimation>},
    {"CCenterSlider", 100, 20, make<CCenterSlider>},
    {"CComboBox", 100, 20, makeComboBox},
    {"CControlPanel", 200, 200, make<CControlPanel>},
    {"CImageLabel", 100, 20, make<CImageLabel>},
    {"CKnob", 50, 50, make<CKnob>},
    {"CLatchingButton", 50, 50, make<CLatchingButton>},
    {"CLevelMeter", 20, 100, make<CLevelMeter>},
    {"CMenuBar", 200, 25, make<CMenuBar>},
    {"CModulatedSlider", 100, 20, make<CModulatedSlider>},
    {"CModulatedXYPad", 200, 200, make<CModulatedXYPad>},
    {"CMomentaryButton", 50, 50, make<CMomentaryButton>},
    {"CPopupButton", 50, 50, makePopupButton},
    {"CPresetBrowser", 200, 400, makePresetBrowser},
    {"CProgressBar", 200, 20, makeWithText<CProgressBar>},
    {"CRadioButton", 200, 50, make<CRadioButton>},
    {"CRangeSlider", 150, 100, make<CRangeSlider>},
    {"CRepeatingButton", 50, 50, make<CRepeatingButton>},
    {"CRolloverButton", 50, 50, make<CRolloverButton>},
    {"CScrollBar", 20, 100, make<CScrollBar>},
    {"CScrollPanel", 200, 200, make<CScrollPanel>},
    {"CSlider", 20, 100, make<CSlider>},
    {"CSliderArray", 200, 100, make<CSliderArray>},
    {"CStepLabel", 50, 20, makeWithText<CStepLabel>},
    {"CTabPanel", 200, 200, make<CTabPanel>},
    {"CTableView", 200, 200, make<CTableView>},
    {"CTextEdit", 50, 20, makeWithText<CTextEdit>},
    {"CTextLabel", 50, 20, makeWithText<CTextLabel>},
    {"CTreeView", 200, 200, make<CTreeView>},
    {"CTriStateImage", 50, 20, make<CTriStateImage>},
    {"CWaveCycle", 100, 100, make<CWaveCycle>},
    {"CWindowDragTab", 100, 50, make<CWindowDragTab>},
    {"CXYPad", 200, 200, make<CXYPad>},
};
} // namespace

bool CControlFactory::createControl(const ::Orvalite::Basics::CString &typeName, IControl *&controlOut,
                                    IControlRoot *root)
{
    for (const SCatalogueEntry &entry : s_catalogue)
    {
        if (entry.create && std::strcmp(entry.typeName, typeName.getString()) == 0)
        {
            controlOut = entry.create(root, MathTools::CRect(0, 0, entry.width, entry.height));
            return true;
        }
    }
    return false;
}
} // namespace Orvalite::GUI::Controls
