#include "gui/controls/base/CControlRoot.h"

#include "foundation/io/CXMLNode.h"
#include "gui/controls/base/CControlFactory.h"
#include "gui/controls/base/IControl.h"
#include "gui/events/CActionEvent.h"
#include "gui/windowing/CWindow.h"

#include "tests/foundation/CTemporaryFolder.h"
#include "tests/gui/basics/ExpectThrows.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace
{
using namespace Orvalite::GUI::Controls;
using Orvalite::GUI::Windowing::CWindow;
using Orvalite::IO::CXMLNode;
using Orvalite::MathTools::CRect;

TEST(ControlRoot, MissingArgumentsThrowTheirTexts)
{
    struct SCase
    {
        std::function<void()> make;
        const char *function;
        const char *reason;
    };
    const SCase cases[] = {
        {[] { CControlRoot root(nullptr); }, "CControlRoot::CControlRoot(IWindow *)", "Parent window is NULL"},
        {[] { Orvalite::GUI::Events::CActionEvent event(nullptr); }, "CActionEvent::CActionEvent(IControl *control)",
         "Control is NULL"},
    };
    for (const SCase &test : cases)
    {
        Orvalite::Testing::expectThrows(test.make, test.reason, test.function);
    }
}

TEST(ControlRoot, AWindowStartsWithItsRootAsEveryInputListener)
{
    CWindow window(CRect(0, 0, 40, 30));
    EXPECT_EQ(window.getControlRoot().getParentWindow(), &window);
    EXPECT_TRUE(window.isMouseListenerRegistered());
    EXPECT_TRUE(window.isKeyboardListenerRegistered());
    EXPECT_TRUE(window.isDropFileListenerRegistered());
}

TEST(ControlRoot, BadIndicesAnswerNothing)
{
    CWindow window(CRect(0, 0, 40, 30));
    CControlRoot &root = window.getControlRoot();
    for (long index : {-1L, 0L, 5L})
    {
        EXPECT_EQ(root.getControlAtIndex(index, true), nullptr) << index;
        root.updateControl(index, true);
    }
    EXPECT_EQ(root.getControlIndex(nullptr), -1);
}

TEST(ControlRoot, ControlXMLWithAWrongNameOrAnUnknownTypeFails)
{
    CWindow window(CRect(0, 0, 40, 30));
    CControlRoot &root = window.getControlRoot();
    CXMLNode wrong("control");
    wrong.addAttribute("number_of_controls", "0");
    EXPECT_FALSE(root.readFromXML(wrong));
    EXPECT_FALSE(root.serialiseToXML(wrong));
    CXMLNode uncounted("controls");
    EXPECT_FALSE(root.readFromXML(uncounted));
    for (const char *type : {"CNoSuchControl", "", "ctabpanel"})
    {
        CXMLNode node("controls");
        node.addAttribute("number_of_controls", "1");
        node.addChildNode("control")->addAttribute("type", type);
        EXPECT_FALSE(root.readFromXML(node)) << type;
        IControl *made = nullptr;
        EXPECT_FALSE(CControlFactory::createControl(type, made, &root)) << type;
        EXPECT_EQ(made, nullptr) << type;
    }
}

TEST(ControlRoot, ASaveThatCannotLandLeavesWhatWasThereAndNoTemporary)
{
    Orvalite::Testing::CTemporaryFolder folder;
    CWindow window(CRect(0, 0, 40, 30));
    const std::string good = folder.file("controls.xml");
    ASSERT_TRUE(window.getControlRoot().saveToXMLFile(good.c_str()));
    ASSERT_TRUE(window.getControlRoot().loadFromXMLFile(good.c_str()));
    const std::string directory = folder.file("a folder");
    std::filesystem::create_directory(directory);
    EXPECT_FALSE(window.getControlRoot().saveToXMLFile(directory.c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(directory));
    EXPECT_FALSE(std::filesystem::exists(directory + ".tmp"));
}
} // namespace
