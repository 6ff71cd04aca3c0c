#include "tools/gallery/CSectionTree.h"

namespace Zelo::Tools
{
CSectionTree::CSectionTree()
{
    m_root->referenced();
    TNode *voice = add(m_root, "Voice One");
    for (const char *label : {"Pitch", "Delay", "Feedback"})
    {
        add(voice, label);
    }
    add(add(m_root, "Voice Two"), "Pitch");
    add(m_root, "Master");
}

CSectionTree::~CSectionTree()
{
    m_root->dereference();
}

CSectionTree::TNode *CSectionTree::add(TNode *parent, const char *label)
{
    auto *node = new TNode();
    node->setValue(new Orvalite::Basics::CString(label));
    parent->addChild(node);
    return node;
}
} // namespace Zelo::Tools
