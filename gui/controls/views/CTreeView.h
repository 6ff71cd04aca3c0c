// A scrolling tree: each visible node is a row, indented by its depth, with
// an expansion button (+ or −) when it has children and its label beside it.
// The button (or Right and Left on the selected row) expands and collapses;
// a click on a label selects it, or with "Single Click Select" off a double
// click does; with "Node Click Select" off a click on a label of a node with
// children expands or collapses it instead. Up, Down, Page Up, Page Down,
// Home and End move the selection. Each selection the user makes tells the
// action listener, with the node's row as the event type. The three settings
// and "Text Colour" are descriptors, so they travel in XML. Expansion is kept
// per node, so the data source's tree must outlive the view or be followed by
// reloadData, which forgets expansion and selection. Neither is owned.
#pragma once

#include "gui/controls/base/CDescriptorFields.h"
#include "gui/controls/views/CScrollPanel.h"
#include "gui/controls/views/ITreeViewDataSource.h"

#include <set>
#include <vector>

namespace Orvalite::GUI::Controls
{
class CTreeView : public CScrollPanel
{
public:
    using TNode = ITreeViewDataSource::TNode;

    static constexpr long ROW_HEIGHT = 18;
    static constexpr long INDENT = 16;
    static constexpr long BUTTON_SIZE = 9;

    CTreeView(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
              Listeners::IActionListener *actionListener = nullptr);

    void setDataSource(ITreeViewDataSource *dataSource);
    void reloadData();
    // Nodes without children stay collapsed.
    void setExpanded(TNode *node, bool expanded);
    bool isExpanded(const TNode *node) const { return m_expanded.count(node) > 0; }
    // Null, or a node not shown, clears the selection; scrolls it into view, tells no listener.
    void selectNode(TNode *node);
    TNode *getSelectedNode() const { return m_selected; }
    long getNumberOfVisibleRows() const { return static_cast<long>(m_rows.size()); }
    // Null out of range.
    TNode *getNodeAtRow(long row) const;
    // The expansion button of a row, in content coordinates.
    MathTools::CRect getButtonArea(long row) const;
    void setTextColour(const Basics::CAlphaColour &colour) { m_textColour = colour; }

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;
    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleDoubleClick(const Events::CMouseEvent &event) override;
    bool handleKeyDown(const Events::CKeyboardEvent &event) override;

    ORVALITE_CLASS_RECORD(CTreeView)

protected:
    MathTools::CDimension getContentSize() const override;
    void drawContent(Graphics::CGraphics &graphics) override;

private:
    struct SRow
    {
        TNode *node;
        long depth;
    };

    CDescriptorFields describe() const;
    void buildRows();
    void addRows(TNode *parent, long depth);
    long rowOf(const TNode *node) const;
    // The row under a panel point, or −1 when a scroll bar or child is there.
    long rowAtPanelPoint(const Events::CMouseEvent &event, MathTools::CPoint &onContent) const;
    // Selects, shows and reports a node the user chose.
    void chooseNode(TNode *node);
    bool moveSelection(long keyCode);

    ITreeViewDataSource *m_dataSource = nullptr;
    std::vector<SRow> m_rows;
    std::set<const TNode *> m_expanded;
    TNode *m_selected = nullptr;
    bool m_singleClickSelect = true;
    bool m_nodeClickSelect = true;
    Basics::CAlphaColour m_textColour{0, 0, 0, 255};
};
} // namespace Orvalite::GUI::Controls
