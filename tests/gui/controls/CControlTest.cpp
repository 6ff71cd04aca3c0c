#include "gui/controls/base/CControl.h"

#include "foundation/basics/CBool.h"
#include "foundation/basics/CException.h"
#include "foundation/io/CXMLNode.h"
#include "gui/controls/base/CControlDescriptor.h"
#include "gui/controls/base/CControlPanel.h"
#include "gui/controls/sliders/CKnob.h"
#include "gui/graphics/CRGBAImage.h"
#include "gui/windowing/CWindow.h"
#include "tests/gui/controls/ControlXML.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
using namespace Orvalite::GUI::Controls;
using Orvalite::Basics::CString;
using Orvalite::GUI::Windowing::CWindow;
using Orvalite::IO::CXMLNode;
using Orvalite::MathTools::CRect;

class Controls : public testing::Test
{
protected:
    CWindow m_window{CRect(0, 0, 300, 300)};
    CControlRoot &m_root = m_window.getControlRoot();
};

TEST_F(Controls, ANewControlHasTheDocumentedDefaultsAndDescriptorOrder)
{
    CControl control(&m_root, 7, CRect(5, 6, 30, 40));
    EXPECT_TRUE(control.isMouseEnabled());
    EXPECT_FALSE(control.isKeyboardEnabled() || control.isDropFileEnabled());
    EXPECT_TRUE(control.isEnabled());
    EXPECT_STREQ(control.getName().getString(), "Control");
    EXPECT_EQ(control.getValue(), 1.0);
    EXPECT_EQ(control.getNormalisedArea(), CRect(0, 0, 30, 40));
    EXPECT_EQ(Orvalite::Testing::descriptorNames(control, 0),
              "Control Name;Control ID;Mouse Enabled;Keyboard Enabled;Drop File Enabled;Is Enabled;"
              "Default Drawing;Area;Primary Image;Disabled Image;Frame Colour;Background Colour;");
    EXPECT_THROW(control.setControlRoot(nullptr), Orvalite::Exceptions::CException);
}

TEST_F(Controls, APanelWithAChildRoundTripsThroughXML)
{
    auto *panel = new CControlPanel(&m_root, 3, CRect(100, 50, 80, 60));
    panel->setName("Outer");
    panel->setDefaultControlColours(Orvalite::GUI::Basics::CAlphaColour(1, 2, 3, 4),
                                    Orvalite::GUI::Basics::CAlphaColour(5, 6, 7, 8));
    m_root.addControl(panel);
    auto *child = new CControlPanel(panel, 4, CRect(10, 10, 20, 20));
    child->setName("Inner");
    child->setKeyboardEnabled(true);
    panel->addControl(child);
    CWindow other(CRect(0, 0, 300, 300));
    Orvalite::Testing::expectRoundTrip(m_root, other.getControlRoot());
    IControl *inner = other.getControlRoot().getControlByName("Inner");
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->getWindowArea(), CRect(110, 60, 20, 20));
    EXPECT_TRUE(inner->isKeyboardEnabled());
}

TEST_F(Controls, PartialAndHostileDescriptorsFailCleanly)
{
    struct SCase
    {
        const char *label;
        long declared;
        std::vector<std::array<const char *, 3>> descriptors;
        bool expected;
    };
    const SCase cases[] = {
        {"three declared, two present", 3, {{"string", "Control Name", "Knob"}, {"integer", "Control ID", "9"}}, false},
        {"none declared", 0, {{"integer", "Control ID", "not read"}}, true},
        {"unknown type", 1, {{"matrix", "Control ID", "9"}}, false},
        {"unknown name", 1, {{"integer", "Volume", "9"}}, false},
        {"wrong type for the name", 1, {{"string", "Control ID", "9"}}, false},
        {"malformed integer", 1, {{"integer", "Control ID", "9x"}}, false},
        {"huge area", 1, {{"rect", "Area", "0,0,2000000000,2000000000"}}, false},
        {"unknown image", 1, {{"image", "Primary Image", "no such image"}}, true},
    };
    for (const SCase &test : cases)
    {
        CControl control(&m_root, 0, CRect(0, 0, 10, 10));
        CXMLNode node("control");
        node.addAttribute("number_of_descriptors", CString::fromLong(test.declared));
        for (const auto &descriptor : test.descriptors)
        {
            CXMLNode *child = node.addChildNode("descriptor");
            child->addAttribute("type", descriptor[0]);
            child->addAttribute("name", descriptor[1]);
            child->addAttribute("object", descriptor[2]);
        }
        EXPECT_EQ(control.readFromXML(node), test.expected) << test.label;
        if (test.declared == 3)
        {
            EXPECT_STREQ(control.getName().getString(), "Knob") << "both present descriptors are applied";
            EXPECT_EQ(control.getUniqueId(), 9);
        }
        EXPECT_EQ(control.getPrimaryImage(), nullptr) << test.label;
        EXPECT_EQ(control.getArea(), CRect(0, 0, 10, 10)) << test.label;
    }
}

TEST_F(Controls, DeeplyNestedPanelsAndUnreadableChildrenFailWithoutLeaking)
{
    CXMLNode document("controls");
    document.addAttribute("number_of_controls", "1");
    CXMLNode *level = document.addChildNode("control");
    for (long depth = 0; depth < 200; ++depth)
    {
        level->addAttribute("type", "CControlPanel");
        level->addAttribute("number_of_descriptors", "0");
        level = level->addChildNode("child_controls")->addChildNode("control");
    }
    level->addAttribute("type", "CControlPanel");
    level->addAttribute("number_of_descriptors", "0");
    EXPECT_FALSE(m_root.readFromXML(document));
    EXPECT_EQ(m_root.getControlAtIndex(0, true), nullptr);

    CXMLNode unreadable("controls");
    unreadable.addAttribute("number_of_controls", "1");
    unreadable.addChildNode("control")->addAttribute("type", "CControlPanel");
    EXPECT_FALSE(m_root.readFromXML(unreadable)) << "a control without number_of_descriptors";
    EXPECT_EQ(m_root.getControlAtIndex(0, true), nullptr);
}

TEST_F(Controls, SettingTheImageAlreadyHeldKeepsIt)
{
    auto *image = new Orvalite::GUI::Graphics::CRGBAImage();
    image->referenced();
    {
        CControl control(&m_root, 0, CRect(0, 0, 10, 10));
        control.setPrimaryImage(image);
        control.setPrimaryImage(image);
        EXPECT_EQ(image->getReferenceCount(), 2);
        control.disable();
        EXPECT_TRUE(control.getPrimaryImage() == image);
    }
    EXPECT_EQ(image->getReferenceCount(), 1);
    image->dereference();
}

TEST_F(Controls, AKnobDefaultValueFromXMLIsClamped)
{
    CKnob knob(&m_root, 0, CRect(0, 0, 50, 50));
    ASSERT_TRUE(knob.readFromXML(*Orvalite::Testing::descriptorNode("float", "Default Value", "7.5")));
    EXPECT_EQ(knob.getDefaultValue(), 1.0);
}
} // namespace
