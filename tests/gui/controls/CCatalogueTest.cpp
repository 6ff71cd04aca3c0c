// Every type the factory makes: its default size, its class record's parent,
// the descriptors it appends to the base control's, each of them set and read
// back, and a control XML round trip of a root holding one of each.
#include "foundation/basics/CBool.h"
#include "foundation/basics/CFloat.h"
#include "foundation/basics/CLong.h"
#include "foundation/io/CXMLNode.h"
#include "gui/controls/base/CControl.h"
#include "gui/controls/base/CControlDescriptor.h"
#include "gui/controls/base/CControlFactory.h"
#include "gui/controls/base/CControlRoot.h"
#include "gui/controls/presets/CPresetBrowser.h"
#include "gui/windowing/CWindow.h"
#include "tests/gui/controls/ControlXML.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
using namespace Orvalite::GUI::Controls;
using Orvalite::GUI::Windowing::CWindow;
using Orvalite::IO::CXMLNode;
using Orvalite::MathTools::CRect;
using Orvalite::Testing::describe;
using Orvalite::Testing::descriptorNames;

// Changes a filled descriptor's value to another valid one of its type.
void perturb(CControlDescriptor &descriptor)
{
    using namespace Orvalite::Basics;
    ICountedObject *value = descriptor.getValue();
    if (auto *colour = dynamic_cast<Orvalite::GUI::Basics::CAlphaColour *>(value))
    {
        descriptor.setValue(new Orvalite::GUI::Basics::CAlphaColour(colour->getRed() ^ 1u, 7, 9, 200));
    }
    else if (auto *flag = dynamic_cast<CBool *>(value))
    {
        descriptor.setValue(new CBool(!flag->getValue()));
    }
    else if (auto *number = dynamic_cast<CLong *>(value))
    {
        descriptor.setValue(new CLong(number->getValue() + 1));
    }
    else if (auto *real = dynamic_cast<CFloat *>(value))
    {
        descriptor.setValue(new CFloat(real->getValue() / 2.0f));
    }
    else if (descriptor.getType() == CControlDescriptor::e_selection)
    {
        descriptor.setExtra(descriptor.getExtra() + 1);
    }
    else if (auto *text = dynamic_cast<CString *>(value); text && descriptor.getType() == CControlDescriptor::e_string)
    {
        auto *changed = new CString(*text);
        *changed += "!";
        descriptor.setValue(changed);
    }
}

std::string written(const CControlDescriptor &descriptor)
{
    CXMLNode node("control");
    descriptor.writeToXML(node);
    return describe(node);
}

struct SType
{
    const char *name;
    const char *parent;
    long width, height;
    // The descriptors after the 12 of the base control (and those of a catalogue parent).
    const char *added;
};

const char *const s_rolloverDescriptors =
    "Down Image;Over Image;Cursor Change;Label Text;On Colour;Off Colour;Over Colour;On Frame Colour;"
    "Off Frame Colour;Over Frame Colour;On Text Colour;Off Text Colour;Over Text Colour;";

const char *const s_latchingDescriptors = "Down Image;Cursor Change;Label Text;On Colour;Off Colour;On Frame Colour;"
                                          "Off Frame Colour;On Text Colour;Off Text Colour;";

const char *const s_padDescriptors = "Off Image;Over Image;Down Image;Off Colour;Over Colour;Down Colour;";
const char *const s_modulatedPadDescriptors =
    "Off Image;Over Image;Down Image;Off Colour;Over Colour;Down Colour;Mod Handle Image;";

const SType s_types[] = {
    {"CControlPanel", "CControl", 200, 200, ""},
    {"CAnimation", "CControl", 50, 50, "Invert;"},
    {"CKnob", "CAnimation", 50, 50, "Invert;Default Value;Coefficient;"},
    {"CLatchingButton", "CControl", 50, 50, s_latchingDescriptors},
    {"CMomentaryButton", "CControl", 50, 50,
     "Down Image;Cursor Change;Label Text;On Colour;Off Colour;On Frame Colour;Off Frame Colour;On Text Colour;"
     "Off Text Colour;Draw Text;"},
    {"CTextLabel", "CControl", 50, 20, "Text;Text Colour;Alignment;Font;"},
    {"CTextEdit", "CTextLabel", 50, 20,
     "Text;Text Colour;Alignment;Font;Text Limit;Editable;Single Click;Popup Alignment;"},
    {"CWindowDragTab", "CControl", 100, 50, ""},
    {"CPresetBrowser", "CControlPanel", 200, 400, ""},
    {"CPopupButton", "CLatchingButton", 50, 50, s_latchingDescriptors},
    {"CComboBox", "CTextLabel", 100, 20, "Text;Text Colour;Alignment;Font;Use Icons;Down Image;"},
    {"CMenuBar", "CControl", 200, 25, ""},
    {"CScrollBar", "CSlider", 20, 100,
     "Handle Image;Handle Over Image;Handle Down Image;Handle Disabled Image;Handle Colour;Handle Over Colour;"
     "Handle Down Colour;Normal Top;Normal Bottom;Normal Thumb;Normal Repeat;Over Top;Over Bottom;Over Thumb;"
     "Over Repeat;Down Top;Down Bottom;Down Thumb;Down Repeat;"},
    {"CScrollPanel", "CControlPanel", 200, 200, ""},
    {"CTabPanel", "CControlPanel", 200, 200, "Tab Buttons;Tab View;Tab Dimension;Tab Position;"},
    {"CTableView", "CScrollPanel", 200, 200, ""},
    {"CTreeView", "CScrollPanel", 200, 200, "Single Click Select;Node Click Select;Text Colour;"},
    {"CSlider", "CControl", 20, 100,
     "Handle Image;Handle Over Image;Handle Down Image;Handle Disabled Image;Handle Colour;Handle Over Colour;"
     "Handle Down Colour;"},
    {"CSliderArray", "CControl", 200, 100, "Handle Colour;Handle Down Colour;Slider Count;Slider Width;Gap Width;"},
    {"CCenterSlider", "CControl", 100, 20, "Off Colour;Over Colour;Down Colour;"},
    {"CRangeSlider", "CControl", 150, 100,
     "Minimum Value;Maximum Value;Lock Minimum;Lock Maximum;Jump To Max;Handle Colour;Handle Over Colour;"
     "Handle Down Colour;"},
    {"CModulatedSlider", "CRangeSlider", 100, 20,
     "Minimum Value;Maximum Value;Lock Minimum;Lock Maximum;Jump To Max;Handle Colour;Handle Over Colour;"
     "Handle Down Colour;Mod Mark Colour;"},
    {"CRolloverButton", "CControl", 50, 50, s_rolloverDescriptors},
    {"CRepeatingButton", "CRolloverButton", 50, 50, s_rolloverDescriptors},
    {"CRadioButton", "CControlPanel", 200, 50, ""},
    {"CLevelMeter", "CControl", 20, 100, "Step Count;Base Colour;Max Colour;"},
    {"CProgressBar", "CTextLabel", 200, 20, "Text;Text Colour;Alignment;Font;Draw Text;"},
    {"CStepLabel", "CTextLabel", 50, 20, "Text;Text Colour;Alignment;Font;Wrap;"},
    {"CTriStateImage", "CControl", 50, 20, "Image 1;Image 2;Image 3;"},
    {"CImageLabel", "CControl", 100, 20, ""},
    {"CAreaBox", "CControl", 50, 50, ""},
    {"CAnimationFrame", "CControl", 50, 50, ""},
    {"CAutoAnimation", "CAnimation", 50, 50, "Invert;AnimationStyle;"},
    {"CXYPad", "CControl", 200, 200, s_padDescriptors},
    {"CModulatedXYPad", "CXYPad", 200, 200, s_modulatedPadDescriptors},
    {"CADSREditor", "CControl", 150, 100, "Line Colour;Poly Colour;Handle Colour;Sel Handle Colour;"},
    {"CWaveCycle", "CControl", 100, 100, "Wave Colour;Line Colour;"},
};

TEST(Catalogue, EveryTypeHasItsSizeParentAndDescriptorsAndRoundTripsThroughXML)
{
    CWindow window(CRect(0, 0, 400, 400));
    for (const SType &type : s_types)
    {
        IControl *made = nullptr;
        ASSERT_TRUE(CControlFactory::createControl(type.name, made, &window.getControlRoot())) << type.name;
        window.getControlRoot().addControl(made);
        EXPECT_EQ(made->getArea(), CRect(0, 0, type.width, type.height)) << type.name;
        EXPECT_STREQ(made->getClass().getClassName(), type.name);
        EXPECT_EQ(made->getUniqueId(), -1) << type.name;
        EXPECT_STREQ(made->getClass().getParentClassName(), type.parent) << type.name;
        EXPECT_EQ(descriptorNames(*made, 12), type.added) << type.name;
        made->setName(type.name);
        Orvalite::Collections::TCountedPointerArray<CControlDescriptor> list;
        made->getDescriptors(list);
        for (long index = 12; index < list.getInsertIndex(); ++index)
        {
            CControlDescriptor &descriptor = *list.getElementAtIndex(index);
            made->fillDescriptor(descriptor);
            perturb(descriptor);
            EXPECT_TRUE(made->setDescriptor(descriptor)) << type.name << " " << written(descriptor);
            CControlDescriptor filled(descriptor.getName(), descriptor.getType());
            made->fillDescriptor(filled);
            EXPECT_EQ(written(filled), written(descriptor)) << type.name;
        }
    }
    CWindow other(CRect(0, 0, 400, 400));
    Orvalite::Testing::expectRoundTrip(window.getControlRoot(), other.getControlRoot());
    const auto *browser = dynamic_cast<CPresetBrowser *>(other.getControlRoot().getControlByName("CPresetBrowser"));
    ASSERT_NE(browser, nullptr);
    EXPECT_NE(browser->getNameField(), nullptr) << "a preset browser read is laid out again";
}
} // namespace
