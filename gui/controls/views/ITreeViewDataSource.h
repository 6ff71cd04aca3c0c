// Where a tree view's tree comes from: a root node whose children are the top
// rows, each node's value its label. The tree is owned by the data source,
// which is supplied and owned by whoever fills the view.
#pragma once

#include "foundation/basics/CString.h"
#include "foundation/collections/TTreeNode.h"

namespace Orvalite::GUI::Controls
{
class ITreeViewDataSource
{
public:
    using TNode = Collections::TTreeNode<::Orvalite::Basics::CString>;

    virtual ~ITreeViewDataSource() = default;
    // Null for an empty tree.
    virtual TNode *getRootNode() const = 0;
};
} // namespace Orvalite::GUI::Controls
