// An element of an XML document: a name, attributes and child elements, no
// text content. A node owns its attributes and children by reference counting,
// so dropping the last reference to a root frees the whole tree.
#pragma once

#include "foundation/collections/TCountedPointerArray.h"
#include "foundation/io/CXMLAttribute.h"

#include <vector>

namespace Orvalite::IO
{
class CXMLNode : public Basics::CCountedObject
{
public:
    // `parent` is only recorded; the node is not added to it.
    explicit CXMLNode(const Basics::CString &name, CXMLNode *parent = nullptr);
    // Frees the subtree without recursion, so trees of any depth can be
    // destroyed. Children that are still referenced elsewhere survive with no parent.
    ~CXMLNode() override;
    CXMLNode(const CXMLNode &) = delete;
    CXMLNode &operator=(const CXMLNode &) = delete;

    const Basics::CString &getNodeName() const { return m_name; }
    // Names are written as they are (escaped), so only names that read back as
    // one tag name survive a file: not empty, without blanks or '/', and not
    // starting with '!' or '?', which the reader takes for comments.
    void setNodeName(const Basics::CString &name);
    // Not counted; null for a root.
    CXMLNode *getParentNode() const { return m_parent; }
    void setParentNode(CXMLNode *parent);

    long getNumberOfAttributes() const;
    // Null when the index is out of range.
    CXMLAttribute *getAttribute(long index) const;
    // The first attribute whose name equals `name` exactly, or null.
    CXMLAttribute *getAttribute(const Basics::CString &name) const;
    // A copy of that attribute's value, or the empty text.
    Basics::CString getAttributeValue(const Basics::CString &name) const;
    // Takes a reference; ignored when null.
    void addAttribute(CXMLAttribute *attribute);
    // Answers the new attribute, owned by this node.
    CXMLAttribute *addAttribute(const Basics::CString &name, const Basics::CString &value);
    // Drops this node's reference; a null or unknown attribute changes nothing.
    void removeAttribute(CXMLAttribute *attribute);
    void removeAttribute(const Basics::CString &name);
    void clearAttributes();

    long getNumberOfChildNodes() const;
    // Null when the index is out of range.
    CXMLNode *getChildNode(long index) const;
    // The first child whose name equals `name` exactly, or null.
    CXMLNode *getChildNode(const Basics::CString &name) const;
    // Makes this node the child's parent, takes a reference and appends it.
    // Refused (false) for null, and for this node or one of its ancestors,
    // which would make the tree a cycle that is never freed or finished
    // writing. A node may be the child of several nodes; its parent is the last.
    bool addChildNode(CXMLNode *child);
    // Answers the new child, owned by this node.
    CXMLNode *addChildNode(const Basics::CString &name);
    // Drops this node's reference; a child that survives it has no parent any more.
    void removeChildNode(CXMLNode *child);
    void removeChildNode(const Basics::CString &name);
    void clearChildNodes();

    ORVALITE_CLASS_RECORD(CXMLNode)

private:
    // Empties the children collection. Children whose last reference it held
    // are handed to `orphans` still alive (with that reference) instead of
    // being freed here, so that the caller can free them one level at a time.
    void releaseChildren(std::vector<CXMLNode *> &orphans);
    // Frees every child subtree with a work list instead of recursion.
    void freeChildren();
    bool isInSubtreeOf(const CXMLNode *top) const;

    Basics::CString m_name;
    Collections::TCountedPointerArray<CXMLAttribute> m_attributes;
    CXMLNode *m_parent;
    Collections::TCountedPointerArray<CXMLNode> m_children;
};
} // namespace Orvalite::IO
