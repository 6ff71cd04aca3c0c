#include "foundation/io/CXMLNode.h"

#include "tests/foundation/io/XmlTestHelpers.h"

#include <gtest/gtest.h>

using Orvalite::Basics::CString;
using Orvalite::IO::CXMLAttribute;
using Orvalite::IO::CXMLNode;
using Orvalite::Testing::describe;
using Orvalite::Testing::runOnSmallStack;

namespace
{
long liveNodes()
{
    return CXMLNode::getClassRecord().getNumberOfInstances();
}

long liveAttributes()
{
    return CXMLAttribute::getClassRecord().getNumberOfInstances();
}

// A root held by one reference, as a document holds it.
CXMLNode *newRoot(const char *name)
{
    CXMLNode *root = new CXMLNode(name);
    root->referenced();
    return root;
}
} // namespace

TEST(XMLNode, AttributesAreFoundByFirstExactNameAndRemovalCompactsAndFrees)
{
    const long before = liveAttributes();
    {
        CXMLNode node("n");
        CXMLAttribute *first = node.addAttribute("x", "1");
        node.addAttribute("x", "2");
        CXMLAttribute *removed = node.addAttribute("b", "2");
        node.addAttribute("X", "3");
        node.addAttribute(nullptr);
        EXPECT_EQ(4, node.getNumberOfAttributes()) << "a null attribute is not added";
        EXPECT_EQ(first, node.getAttribute(CString("x")));
        EXPECT_STREQ("3", node.getAttributeValue("X").getString()) << "names compare case-sensitively";
        EXPECT_EQ(nullptr, node.getAttribute(CString("y")));
        EXPECT_STREQ("", node.getAttributeValue("y").getString());
        EXPECT_EQ(nullptr, node.getAttribute(-1L));
        EXPECT_EQ(nullptr, node.getAttribute(4L));

        node.removeAttribute(removed);
        EXPECT_EQ("n[x=1,x=2,X=3]", describe(&node));
        EXPECT_EQ(before + 3, liveAttributes()) << "the removed attribute is freed";
        CXMLAttribute stranger("s", "0");
        node.removeAttribute(&stranger);
        node.removeAttribute(static_cast<CXMLAttribute *>(nullptr));
        node.removeAttribute(CString("missing"));
        EXPECT_EQ("n[x=1,x=2,X=3]", describe(&node)) << "unknown attributes change nothing";
        node.removeAttribute(CString("X"));
        EXPECT_EQ(nullptr, node.getAttribute(2L)) << "capacity follows the count";
        node.clearAttributes();
        EXPECT_EQ(0, node.getNumberOfAttributes());
    }
    EXPECT_EQ(before, liveAttributes());
}

TEST(XMLNode, ChildrenKnowTheirParentAndRemovalCompactsAndFreesTheSubtree)
{
    const long before = liveNodes();
    CXMLNode parent("p");
    CXMLNode *made = parent.addChildNode(CString("a"));
    made->addChildNode(CString("deep"))->addChildNode(CString("deeper"));
    CXMLNode *given = new CXMLNode("b");
    EXPECT_TRUE(parent.addChildNode(given));
    parent.addChildNode(CString("a"));
    EXPECT_FALSE(parent.addChildNode(static_cast<CXMLNode *>(nullptr)));
    EXPECT_EQ("p(a(deep(deeper));b;a)", describe(&parent));
    EXPECT_EQ(&parent, made->getParentNode());
    EXPECT_EQ(&parent, given->getParentNode());
    EXPECT_EQ(made, parent.getChildNode(CString("a")));
    EXPECT_EQ(nullptr, parent.getChildNode(CString("A")));
    EXPECT_EQ(given, parent.getChildNode(1L));
    EXPECT_EQ(nullptr, parent.getChildNode(3L));
    EXPECT_EQ(nullptr, parent.getChildNode(-1L));

    parent.removeChildNode(made);
    EXPECT_EQ("p(b;a)", describe(&parent));
    EXPECT_EQ(before + 3, liveNodes()) << "the removed child and its subtree are freed";
    parent.removeChildNode(CString("missing"));
    parent.removeChildNode(static_cast<CXMLNode *>(nullptr));
    EXPECT_EQ("p(b;a)", describe(&parent));
    parent.removeChildNode(CString("b"));
    EXPECT_EQ("p(a)", describe(&parent));
    EXPECT_EQ(before + 2, liveNodes());
}

TEST(XMLNode, AChildHeldElsewhereOutlivesItsParentWithoutParent)
{
    CXMLNode *root = newRoot("r");
    CXMLNode *shared = root->addChildNode(CString("shared"));
    shared->addChildNode(CString("leaf"));
    shared->referenced();
    root->dereference();
    EXPECT_EQ(nullptr, shared->getParentNode());
    EXPECT_EQ("shared(leaf)", describe(shared));

    CXMLNode other("o");
    other.addChildNode(shared);
    other.removeChildNode(shared);
    EXPECT_EQ(nullptr, shared->getParentNode()) << "removal leaves a surviving child without parent";
    shared->dereference();
}

TEST(XMLNode, AddingAnAncestorAsChildIsRefused)
{
    CXMLNode *root = newRoot("r");
    CXMLNode *middle = root->addChildNode(CString("m"));
    CXMLNode *leaf = middle->addChildNode(CString("l"));
    for (CXMLNode *ancestor : {root, middle, leaf})
    {
        EXPECT_FALSE(leaf->addChildNode(ancestor)) << describe(ancestor);
    }
    EXPECT_EQ("r(m(l))", describe(root));
    EXPECT_EQ(middle, leaf->getParentNode());
    EXPECT_TRUE(root->addChildNode(leaf)) << "a node may hang under several parents";
    EXPECT_EQ("r(m(l);l)", describe(root));
    root->dereference();
}

TEST(XMLNode, DroppingTheLastReferenceFreesTheWholeTree)
{
    const long nodesBefore = liveNodes();
    const long attributesBefore = liveAttributes();
    CXMLNode *root = newRoot("r");
    for (int branch = 0; branch < 10; ++branch)
    {
        CXMLNode *child = root->addChildNode(CString("c"));
        child->addAttribute("i", "v");
        child->addChildNode(CString("g"))->addAttribute("j", "w");
    }
    EXPECT_EQ(nodesBefore + 21, liveNodes());
    root->clearChildNodes();
    EXPECT_EQ(nodesBefore + 1, liveNodes());
    root->dereference();
    EXPECT_EQ(nodesBefore, liveNodes());
    EXPECT_EQ(attributesBefore, liveAttributes());
}

TEST(XMLNode, DeepChainsAreFreedWithoutRecursion)
{
    const long before = liveNodes();
    for (const bool byClearing : {false, true})
    {
        const bool ran = runOnSmallStack([byClearing] {
            CXMLNode *root = newRoot("r");
            CXMLNode *node = root;
            for (long level = 0; level < 100000; ++level)
            {
                node = node->addChildNode(CString("n"));
            }
            if (byClearing)
            {
                root->clearChildNodes();
                EXPECT_EQ(0, root->getNumberOfChildNodes());
            }
            root->dereference();
        });
        EXPECT_TRUE(ran) << (byClearing ? "clearing the children" : "releasing the root");
        EXPECT_EQ(before, liveNodes()) << (byClearing ? "clearing the children" : "releasing the root");
    }
}
