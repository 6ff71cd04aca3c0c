// The gallery's tree view data: two voices with their parameters and the
// master section.
#pragma once

#include "gui/controls/views/ITreeViewDataSource.h"

namespace Zelo::Tools
{
class CSectionTree : public Orvalite::GUI::Controls::ITreeViewDataSource
{
public:
    CSectionTree();
    ~CSectionTree() override;
    CSectionTree(const CSectionTree &) = delete;
    CSectionTree &operator=(const CSectionTree &) = delete;

    TNode *getRootNode() const override { return m_root; }

private:
    static TNode *add(TNode *parent, const char *label);

    TNode *m_root = new TNode();
};
} // namespace Zelo::Tools
