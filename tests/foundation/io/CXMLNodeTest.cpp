#include "foundation/io/CXMLNode.h"

#include "tests/foundation/io/XmlTestHelpers.h"

#include "tests/foundation/FoundationTestSupport.h"

using namespace Orvalite::Basics;
using namespace Orvalite::IO;
using namespace Orvalite::Testing;

namespace
{
// A root held by one reference, as a document holds it.
CXMLNode *newRoot(const char *name)
{
    CXMLNode *root = new CXMLNode(name);
    root->referenced();
    return root;
}
} // namespace

// Attributes and children alike: names compare exactly, the first match wins; outside indices find nothing.
TEST(XMLNode, LookupsTakeTheFirstExactNameWithinTheList)
{
    CXMLNode node("n");
    CXMLAttribute *first = node.addAttribute("x", "1");
    node.addAttribute("x", "2");
    node.addAttribute("X", "3");
    node.addAttribute(nullptr);
    CXMLNode *made = node.addChildNode(CString("a"));
    CXMLNode *given = new CXMLNode("b");
    EXPECT_TRUE(node.addChildNode(given));
    node.addChildNode(CString("a"));
    EXPECT_FALSE(node.addChildNode(static_cast<CXMLNode *>(nullptr)));
    EXPECT_EQ("n[x=1,x=2,X=3](a;b;a)", describe(&node)) << "nulls are not added";
    EXPECT_EQ(first, node.getAttribute(CString("x")));
    EXPECT_STREQ("3", node.getAttributeValue("X").getString());
    EXPECT_EQ(nullptr, node.getAttribute(CString("y")));
    EXPECT_STREQ("", node.getAttributeValue("y").getString());
    EXPECT_EQ(made, node.getChildNode(CString("a")));
    EXPECT_EQ(nullptr, node.getChildNode(CString("A")));
    EXPECT_EQ(given, node.getChildNode(1L));
    for (const long outside : {-1L, 3L})
        EXPECT_TRUE(!node.getAttribute(outside) && !node.getChildNode(outside)) << outside;
}

// What is removed is freed (a child with its subtree); the rest closes up.
TEST(XMLNode, RemovalFreesWithoutLeavingAGap)
{
    const long nodes = liveInstances<CXMLNode>(), attributes = liveInstances<CXMLAttribute>();
    {
        CXMLNode node("n");
        node.addAttribute("x", "1");
        CXMLAttribute *attribute = node.addAttribute("b", "2");
        node.addAttribute("X", "3");
        CXMLNode *child = node.addChildNode(CString("a"));
        child->addChildNode(CString("deep"))->addChildNode(CString("deeper"));
        node.addChildNode(CString("b"));
        node.addChildNode(CString("a"));
        node.removeAttribute(attribute);
        node.removeChildNode(child);
        EXPECT_EQ("n[x=1,X=3](b;a)", describe(&node));
        EXPECT_EQ(nodes + 3, liveInstances<CXMLNode>()) << "the child and its subtree are freed";
        EXPECT_EQ(attributes + 2, liveInstances<CXMLAttribute>());
        CXMLAttribute stranger("s", "0");
        node.removeAttribute(&stranger);
        node.removeAttribute(static_cast<CXMLAttribute *>(nullptr));
        node.removeAttribute(CString("missing"));
        node.removeChildNode(CString("missing"));
        node.removeChildNode(static_cast<CXMLNode *>(nullptr));
        EXPECT_EQ("n[x=1,X=3](b;a)", describe(&node)) << "unknown ones change nothing";
        node.removeAttribute(CString("X"));
        node.removeChildNode(CString("b"));
        EXPECT_EQ("n[x=1](a)", describe(&node));
        EXPECT_TRUE(!node.getAttribute(1L) && !node.getChildNode(1L)) << "capacity follows the count";
        node.clearAttributes();
        EXPECT_EQ(0, node.getNumberOfAttributes());
    }
    EXPECT_EQ(nodes, liveInstances<CXMLNode>());
    EXPECT_EQ(attributes, liveInstances<CXMLAttribute>());
}

// A child held elsewhere outlives its parent or its removal without a parent.
TEST(XMLNode, ParentFollowsWhereAChildHangs)
{
    CXMLNode *root = newRoot("r");
    CXMLNode *shared = root->addChildNode(CString("shared"));
    shared->addChildNode(CString("leaf"));
    CXMLNode *given = new CXMLNode("given");
    root->addChildNode(given);
    EXPECT_TRUE(shared->getParentNode() == root && given->getParentNode() == root);
    shared->referenced();
    root->dereference();
    EXPECT_EQ(nullptr, shared->getParentNode());
    EXPECT_EQ("shared(leaf)", describe(shared));
    CXMLNode other("o");
    other.addChildNode(shared);
    other.removeChildNode(shared);
    EXPECT_EQ(nullptr, shared->getParentNode()) << "after removal";
    shared->dereference();
}

TEST(XMLNode, AddingAnAncestorAsChildIsRefused)
{
    CXMLNode *root = newRoot("r");
    CXMLNode *middle = root->addChildNode(CString("m"));
    CXMLNode *leaf = middle->addChildNode(CString("l"));
    for (CXMLNode *ancestor : {root, middle, leaf})
        EXPECT_FALSE(leaf->addChildNode(ancestor)) << describe(ancestor);
    EXPECT_EQ("r(m(l))", describe(root));
    EXPECT_EQ(middle, leaf->getParentNode());
    EXPECT_TRUE(root->addChildNode(leaf)) << "a node may hang under several parents";
    EXPECT_EQ("r(m(l);l)", describe(root));
    root->dereference();
}

TEST(XMLNode, DeepChainsAreFreedWithoutRecursion)
{
    const long before = liveInstances<CXMLNode>(), attributesBefore = liveInstances<CXMLAttribute>();
    for (const bool byClearing : {false, true})
    {
        const char *const how = byClearing ? "clearing the children" : "releasing the root";
        const bool ran = runOnSmallStack([byClearing, before] {
            CXMLNode *root = newRoot("r");
            CXMLNode *node = root;
            for (long level = 0; level < 100000; ++level)
                node = node->addChildNode(CString("n"));
            node->addAttribute("at", "bottom");
            root->addChildNode(CString("second"))->addAttribute("at", "side");
            if (byClearing)
            {
                root->clearChildNodes();
                EXPECT_EQ(0, root->getNumberOfChildNodes());
                EXPECT_EQ(before + 1, liveInstances<CXMLNode>()) << "only the root is left";
            }
            root->dereference();
        });
        EXPECT_TRUE(ran) << how;
        EXPECT_EQ(before, liveInstances<CXMLNode>()) << how;
        EXPECT_EQ(attributesBefore, liveInstances<CXMLAttribute>()) << how;
    }
}
