#include "foundation/io/CXMLNode.h"

namespace Orvalite::IO
{
using Basics::CString;

ORVALITE_DEFINE_CLASS_RECORD(CXMLNode, "CXMLNode", "CCountedObject")

CXMLNode::CXMLNode(const CString &name, CXMLNode *parent) : m_name(name), m_parent(parent) {}

CXMLNode::~CXMLNode()
{
    freeChildren();
}

void CXMLNode::setNodeName(const CString &name)
{
    m_name = name;
}

void CXMLNode::setParentNode(CXMLNode *parent)
{
    m_parent = parent;
}

// Capacity equals the count: every change ends with reorder(true).
long CXMLNode::getNumberOfAttributes() const
{
    return m_attributes.getArraySize();
}

CXMLAttribute *CXMLNode::getAttribute(long index) const
{
    return m_attributes.getElementAtIndex(index);
}

CXMLAttribute *CXMLNode::getAttribute(const CString &name) const
{
    for (long index = 0; index < m_attributes.getArraySize(); ++index)
    {
        CXMLAttribute *attribute = m_attributes.getElementAtIndex(index);
        if (attribute && attribute->getName().equals(name))
        {
            return attribute;
        }
    }
    return nullptr;
}

CString CXMLNode::getAttributeValue(const CString &name) const
{
    const CXMLAttribute *attribute = getAttribute(name);
    return attribute ? attribute->getValue() : CString("");
}

void CXMLNode::addAttribute(CXMLAttribute *attribute)
{
    if (attribute)
    {
        m_attributes.addElement(attribute);
        m_attributes.reorder(true);
    }
}

CXMLAttribute *CXMLNode::addAttribute(const CString &name, const CString &value)
{
    CXMLAttribute *attribute = new CXMLAttribute(name, value);
    addAttribute(attribute);
    return attribute;
}

void CXMLNode::removeAttribute(CXMLAttribute *attribute)
{
    if (attribute)
    {
        m_attributes.removeElementAtIndex(m_attributes.getIndexOfPointer(attribute));
    }
    m_attributes.reorder(true);
}

void CXMLNode::removeAttribute(const CString &name)
{
    removeAttribute(getAttribute(name));
}

void CXMLNode::clearAttributes()
{
    m_attributes.clearArray();
}

long CXMLNode::getNumberOfChildNodes() const
{
    return m_children.getArraySize();
}

CXMLNode *CXMLNode::getChildNode(long index) const
{
    return m_children.getElementAtIndex(index);
}

CXMLNode *CXMLNode::getChildNode(const CString &name) const
{
    for (long index = 0; index < m_children.getArraySize(); ++index)
    {
        CXMLNode *child = m_children.getElementAtIndex(index);
        if (child && child->getNodeName().equals(name))
        {
            return child;
        }
    }
    return nullptr;
}

bool CXMLNode::addChildNode(CXMLNode *child)
{
    // A node with no children can only be an ancestor of itself.
    if (!child || child == this || (child->getNumberOfChildNodes() > 0 && isInSubtreeOf(child)))
    {
        return false;
    }
    child->setParentNode(this);
    m_children.addElement(child);
    m_children.reorder(true);
    return true;
}

CXMLNode *CXMLNode::addChildNode(const CString &name)
{
    CXMLNode *child = new CXMLNode(name, this);
    m_children.addElement(child);
    m_children.reorder(true);
    return child;
}

void CXMLNode::removeChildNode(CXMLNode *child)
{
    const long index = child ? m_children.getIndexOfPointer(child) : -1;
    if (index >= 0)
    {
        if (child->getParentNode() == this)
        {
            child->setParentNode(nullptr);
        }
        m_children.removeElementAtIndex(index);
    }
    m_children.reorder(true);
}

void CXMLNode::removeChildNode(const CString &name)
{
    removeChildNode(getChildNode(name));
}

void CXMLNode::clearChildNodes()
{
    freeChildren();
}

void CXMLNode::releaseChildren(std::vector<CXMLNode *> &orphans)
{
    for (long index = 0; index < m_children.getArraySize(); ++index)
    {
        CXMLNode *child = m_children.getElementAtIndex(index);
        if (!child)
        {
            continue;
        }
        if (child->getParentNode() == this)
        {
            child->setParentNode(nullptr);
        }
        const bool isLastReference = child->getReferenceCount() == 1;
        if (isLastReference)
        {
            // Kept alive across the removal; the orphan list now holds this reference.
            child->referenced();
            orphans.push_back(child);
        }
        m_children.removeElementAtIndex(index);
    }
    m_children.clearArray();
}

void CXMLNode::freeChildren()
{
    std::vector<CXMLNode *> orphans;
    releaseChildren(orphans);
    while (!orphans.empty())
    {
        CXMLNode *orphan = orphans.back();
        orphans.pop_back();
        // Its children are taken first, so freeing it never descends further.
        orphan->releaseChildren(orphans);
        orphan->dereference();
    }
}

bool CXMLNode::isInSubtreeOf(const CXMLNode *top) const
{
    // Child links never form a cycle (addChildNode refuses them), so the walk ends.
    std::vector<const CXMLNode *> pending{top};
    while (!pending.empty())
    {
        const CXMLNode *node = pending.back();
        pending.pop_back();
        if (node == this)
        {
            return true;
        }
        for (long index = 0; index < node->getNumberOfChildNodes(); ++index)
        {
            if (const CXMLNode *child = node->getChildNode(index))
            {
                pending.push_back(child);
            }
        }
    }
    return false;
}
} // namespace Orvalite::IO
