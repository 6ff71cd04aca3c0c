#include "gui/controls/CControlFactory.h"

#include "gui/controls/CADSREditor.h"
#include "gui/controls/CAnimation.h"
#include "gui/controls/CAnimationFrame.h"
#include "gui/controls/CAreaBox.h"
#include "gui/controls/CAutoAnimation.h"
#include "gui/controls/CCenterSlider.h"
#include "gui/controls/CComboBox.h"
#include "gui/controls/CControlPanel.h"
#include "gui/controls/CImageLabel.h"
#include "gui/controls/CKnob.h"
#include "gui/controls/CLatchingButton.h"
#include "gui/controls/CLevelMeter.h"
#include "gui/controls/CMenu.h"
#include "gui/controls/CMenuBar.h"
#include "gui/controls/CModulatedSlider.h"
#include "gui/controls/CModulatedXYPad.h"
#include "gui/controls/CMomentaryButton.h"
#include "gui/controls/CPopupButton.h"
#include "gui/controls/CPresetBrowser.h"
#include "gui/controls/CProgressBar.h"
#include "gui/controls/CRadioButton.h"
#include "gui/controls/CRangeSlider.h"
#include "gui/controls/CRepeatingButton.h"
#include "gui/controls/CRolloverButton.h"
#include "gui/controls/CScrollBar.h"
#include "gui/controls/CScrollPanel.h"
#include "gui/controls/CSlider.h"
#include "gui/controls/CSliderArray.h"
#include "gui/controls/CStepLabel.h"
#include "gui/controls/CTabPanel.h"
#include "gui/controls/CTableView.h"
#include "gui/controls/CTextEdit.h"
#include "gui/controls/CTextLabel.h"
#include "gui/controls/CTreeView.h"
#include "gui/controls/CTriStateImage.h"
#include "gui/controls/CWaveCycle.h"
#include "gui/controls/CWindowDragTab.h"
#include "gui/controls/CXYPad.h"

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
