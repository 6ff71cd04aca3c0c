// A node of a tree: counted children, a link to its parent and a held value.
// Children are owned by their parent; the parent link does not own, so that a
// tree is freed when its root's last holder lets go.
#pragma once

#include "foundation/collections/TAutomaticPointer.h"
#include "foundation/collections/TCountedPointerArray.h"
#include "foundation/collections/TObjectNuller.h"

namespace Orvalite::Collections
{
template <class T> class TTreeNode : public Basics::CCountedObject
{
public:
    explicit TTreeNode(TPointerDeleter<T> *valueDeleter = &TCountedObjectDeleter<T>::shared())
        : m_parent(&TObjectNuller<TTreeNode>::shared()), m_value(valueDeleter)
    {
    }
    TTreeNode(const TTreeNode &) = delete;
    TTreeNode &operator=(const TTreeNode &) = delete;

    // Releases the value, forgets the parent, then releases the children.
    ~TTreeNode() override
    {
        m_value = nullptr;
        m_parent = nullptr;
        for (long index = 0; index < m_children.getArraySize(); ++index)
        {
            if (TTreeNode *child = m_children.getElementAtIndex(index))
            {
                child->m_parent = nullptr;
            }
        }
        m_children.clearArray();
    }

    // Takes a counted reference on `child`, moving it from any earlier parent.
    void addChild(TTreeNode *child)
    {
        if (!child || child == this || child->m_parent.getPointer() == this)
        {
            return;
        }
        child->referenced();
        if (TTreeNode *previous = child->m_parent.getPointer())
        {
            previous->removeChild(child);
        }
        m_children.addElement(child);
        child->m_parent = this;
        child->dereference();
    }

    // Detaches `child` and releases this node's reference to it.
    void removeChild(TTreeNode *child)
    {
        const long index = m_children.getIndexOfPointer(child);
        if (index < 0)
        {
            return;
        }
        child->m_parent = nullptr;
        m_children.removeElementAtIndex(index);
        m_children.reorder(false);
    }

    long getNumberOfChildren() const { return m_children.getInsertIndex(); }
    TTreeNode *getChildAtIndex(long index) const { return m_children.getElementAtIndex(index); }
    TTreeNode *getParent() const { return m_parent.getPointer(); }

    void setValue(T *value) { m_value = value; }
    T *getValue() const { return m_value.getPointer(); }

    ORVALITE_TEMPLATE_CLASS_RECORD(TTreeNode, "TTreeNode<TypeName>", typeid(T), "CCountedObject")

private:
    TCountedPointerArray<TTreeNode> m_children;
    TAutomaticPointer<TTreeNode> m_parent;
    TAutomaticPointer<T> m_value;
};
} // namespace Orvalite::Collections
