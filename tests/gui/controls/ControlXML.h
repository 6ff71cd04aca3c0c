// Control XML for the control tests: trees as one line to compare, a node
// with one descriptor, a root's round trip and a control's descriptor names.
#pragma once

#include "foundation/io/CXMLNode.h"
#include "gui/controls/base/CControlDescriptor.h"
#include "gui/controls/base/CControlRoot.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace Orvalite::Testing
{
// A node and everything under it as one line, to compare trees.
inline std::string describe(const IO::CXMLNode &node)
{
    std::string text = node.getNodeName().getString();
    for (long index = 0; index < node.getNumberOfAttributes(); ++index)
    {
        text += std::string(" ") + node.getAttribute(index)->getName().getString() + "=" +
                node.getAttribute(index)->getValue().getString();
    }
    for (long index = 0; index < node.getNumberOfChildNodes(); ++index)
    {
        text += " [" + describe(*node.getChildNode(index)) + "]";
    }
    return text;
}

// A control's node declaring one descriptor, of `type` and `name`, holding `value`.
inline std::unique_ptr<IO::CXMLNode> descriptorNode(const char *type, const char *name, const char *value)
{
    auto node = std::make_unique<IO::CXMLNode>("control");
    node->addAttribute("number_of_descriptors", "1");
    IO::CXMLNode *descriptor = node->addChildNode("descriptor");
    descriptor->addAttribute("type", type);
    descriptor->addAttribute("name", name);
    descriptor->addAttribute("object", value);
    return node;
}

// Writes the root's controls, reads them into `other` and expects them to be written alike again.
inline void expectRoundTrip(GUI::Controls::CControlRoot &root, GUI::Controls::CControlRoot &other)
{
    IO::CXMLNode written("controls");
    ASSERT_TRUE(root.serialiseToXML(written));
    ASSERT_TRUE(other.readFromXML(written)) << describe(written);
    IO::CXMLNode rewritten("controls");
    ASSERT_TRUE(other.serialiseToXML(rewritten));
    EXPECT_EQ(describe(rewritten), describe(written));
}

// The names of the control's descriptors from index `skip` on, each followed by ";".
inline std::string descriptorNames(const GUI::Controls::IControl &control, long skip)
{
    Collections::TCountedPointerArray<GUI::Controls::CControlDescriptor> list;
    control.getDescriptors(list);
    std::string names;
    for (long index = skip; index < list.getInsertIndex(); ++index)
    {
        names += std::string(list.getElementAtIndex(index)->getName().getString()) + ";";
    }
    return names;
}
} // namespace Orvalite::Testing
