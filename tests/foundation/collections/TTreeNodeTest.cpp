#include "foundation/basics/CString.h"
#include "foundation/collections/TTreeNode.h"

#include <gtest/gtest.h>

using namespace Orvalite::Basics;
using namespace Orvalite::Collections;

using CNode = TTreeNode<CString>;

namespace
{
long liveNodes()
{
    return CNode::getClassRecord().getNumberOfInstances();
}
} // namespace

TEST(TreeNode, RootsLastReleaseFreesTheWholeTree)
{
    const long nodesBefore = liveNodes();
    const long stringsBefore = CString::getClassRecord().getNumberOfInstances();
    auto *root = new CNode();
    root->referenced();
    root->setValue(new CString("root"));
    auto *child = new CNode();
    root->addChild(child);
    child->addChild(new CNode());
    child->setValue(new CString("child"));
    EXPECT_EQ(root, child->getParent());
    EXPECT_EQ(1, root->getNumberOfChildren());
    EXPECT_STREQ("child", root->getChildAtIndex(0)->getValue()->getString());
    EXPECT_EQ(nodesBefore + 3, liveNodes());

    root->dereference();
    EXPECT_EQ(nodesBefore, liveNodes()) << "children do not keep their parent alive";
    EXPECT_EQ(stringsBefore, CString::getClassRecord().getNumberOfInstances());
}

TEST(TreeNode, ChildrenMoveBetweenParents)
{
    CNode first, second;
    first.referenced();
    second.referenced();
    auto *child = new CNode();
    child->referenced();
    first.addChild(child);
    second.addChild(child);
    EXPECT_EQ(0, first.getNumberOfChildren());
    EXPECT_EQ(1, second.getNumberOfChildren());
    EXPECT_EQ(&second, child->getParent());
    EXPECT_EQ(2, child->getReferenceCount());
    second.removeChild(child);
    EXPECT_EQ(nullptr, child->getParent());
    EXPECT_EQ(1, child->getReferenceCount());
    second.addChild(&second);
    EXPECT_EQ(0, second.getNumberOfChildren()) << "a node is not its own child";
    child->dereference();
}

TEST(TreeNode, ValuePolicyComesFromTheConstructor)
{
    CString outside("outside");
    {
        CNode node(&TObjectNuller<CString>::shared());
        node.setValue(&outside);
    }
    EXPECT_STREQ("outside", outside.getString());
    EXPECT_STREQ("TTreeNode<CString>", CNode().getClass().getClassName());
}
