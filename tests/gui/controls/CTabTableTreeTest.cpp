// Tab panels, tables and trees through a headless window: tab switching,
// table and tree selection by mouse and keys, tree expansion, what they
// paint; their children's and columns' XML round trip, and the counts and
// sizes XML may not set.
#include "foundation/basics/CBool.h"
#include "foundation/io/CXMLNode.h"
#include "gui/controls/base/CControlFactory.h"
#include "gui/controls/buttons/CLatchingButton.h"
#include "gui/controls/displays/CAreaBox.h"
#include "gui/controls/views/CScrollBar.h"
#include "gui/controls/views/CScrollPanel.h"
#include "gui/controls/views/CTabPanel.h"
#include "gui/controls/views/CTableView.h"
#include "gui/controls/views/CTreeView.h"
#include "gui/controls/views/ITableViewDataSource.h"

#include "tests/gui/controls/CControlWindowTest.h"
#include "tests/gui/controls/ControlXML.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
using namespace Orvalite::GUI::Controls;
using namespace Orvalite::GUI::Windowing;
using Orvalite::Basics::CString;
using Orvalite::GUI::Basics::CAlphaColour;
using Orvalite::IO::CXMLNode;
using Orvalite::MathTools::CPoint;
using Orvalite::MathTools::CRect;

class CRows : public ITableViewDataSource
{
public:
    long getNumberOfRows() const override { return 50; }
    CString getCellText(long row, long column) const override
    {
        return CString(std::to_string(row * 10 + column).c_str());
    }
};

// "A" (with "A1" and "A2"), "B" (with "B1") and "C".
class CTree : public ITreeViewDataSource
{
public:
    CTree()
    {
        m_root->referenced();
        for (const char *top : {"A", "B", "C"})
        {
            TNode *node = add(m_root, top);
            for (long index = 1; top[0] != 'C' && index <= (top[0] == 'A' ? 2 : 1); ++index)
            {
                add(node, (std::string(top) + std::to_string(index)).c_str());
            }
        }
    }
    ~CTree() override { m_root->dereference(); }
    TNode *getRootNode() const override { return m_root; }

private:
    static TNode *add(TNode *parent, const char *label)
    {
        auto *node = new TNode();
        node->setValue(new CString(label));
        parent->addChild(node);
        return node;
    }

    TNode *m_root = new TNode();
};

class Views : public Orvalite::Testing::CControlWindowTest
{
protected:
    long lastType() const { return m_listener.m_actions.empty() ? -1 : m_listener.m_actions.back().type; }
    static std::string label(const CTreeView &tree)
    {
        return tree.getSelectedNode() ? tree.getSelectedNode()->getValue()->getString() : "";
    }
};

TEST_F(Views, ATabButtonShowsItsPanelAndReportsItsIndex)
{
    CTabPanel *tabs = add<CTabPanel>(CRect(0, 0, 200, 150));
    ASSERT_TRUE(tabs->setTabCount(3));
    const CAlphaColour colours[] = {CAlphaColour(255, 0, 0), CAlphaColour(0, 255, 0), CAlphaColour(0, 0, 255)};
    for (long index = 0; index < 3; ++index)
    {
        auto *box = new CAreaBox(tabs->getTab(index), 0, CRect(10, 10, 50, 50));
        box->setDefaultControlColours(colours[index], colours[index]);
        tabs->getTab(index)->addControl(box);
    }
    auto *button = new CLatchingButton(tabs->getTab(0), 0, CRect(100, 50, 40, 20));
    tabs->getTab(0)->addControl(button);
    const double untouched = button->getValue();
    EXPECT_EQ(tabs->getTabButtonArea(2), CRect(132, 0, 66, 24)) << "a third of the width on a strip 24 high";
    click(150, 10);
    EXPECT_EQ(tabs->getSelectedTab(), 2);
    EXPECT_EQ(lastType(), 2);
    click(120, 84);
    EXPECT_EQ(button->getValue(), untouched) << "the first tab's button is hidden";
    button->setName("Hidden");
    EXPECT_EQ(root().getControlByName("Hidden"), button) << "found on a page not shown";
    EXPECT_EQ(root().getControlByName("Tab 1"), tabs->getTab(0));
    repaint();
    EXPECT_EQ(pixel(30, 50), argb(0, 0, 255)) << "the third tab's box below the strip";

    tabs->setTabPosition(CTabPanel::e_bottom);
    EXPECT_STREQ(CTabPanel::POSITION_NAMES[CTabPanel::e_bottom], "Bottom");
    click(10, 140);
    EXPECT_EQ(tabs->getSelectedTab(), 0);
    EXPECT_EQ(lastType(), 0);
    EXPECT_EQ(tabs->getTab(0)->getArea(), CRect(0, 0, 200, 126));
    m_system.pump();
    EXPECT_EQ(pixel(30, 30), argb(255, 0, 0)) << "the first tab's box, the strip now at the bottom";
    click(120, 60);
    EXPECT_NE(button->getValue(), untouched);
    EXPECT_EQ(events(), 2u) << "the button inside reports to no one";
}

TEST_F(Views, ATableSelectsByClickAndKeysAndScrollsTheSelectionIntoView)
{
    CRows rows;
    CTableView *table = add<CTableView>(CRect(0, 0, 200, 150));
    table->setDataSource(&rows);
    table->addColumn("Number", 80);
    table->addColumn("Other", 80);
    click(20, 59);
    EXPECT_EQ(table->getSelectedRow(), 2) << "the header is one 18-pixel row";
    EXPECT_EQ(lastType(), 2);
    repaint();
    EXPECT_EQ(pixel(70, 63), argb(51, 153, 255)) << "the selected row";
    EXPECT_EQ(pixel(70, 81), argb(255, 255, 255));
    EXPECT_EQ(pixel(70, 9), argb(208, 208, 208)) << "the header";
    struct SKey
    {
        uintptr_t key;
        long row, scrolled;
    };
    // 51 rows of 18 in a view of 150: 768 to scroll; a page is 7 rows; row 7
    // ends at 162, row 13 at 270; the first row shows the header too.
    for (const SKey &step :
         {SKey{40, 3, 0}, SKey{35, 49, 768}, SKey{36, 0, 0}, SKey{34, 7, 12}, SKey{38, 6, 12}, SKey{34, 13, 120}})
    {
        key(step.key);
        EXPECT_EQ(table->getSelectedRow(), step.row) << step.key;
        EXPECT_EQ(lastType(), step.row) << step.key;
        EXPECT_EQ(table->getScrollPosition().getYPosition(), step.scrolled) << step.key;
    }
    click(192, 140);
    EXPECT_EQ(table->getSelectedRow(), 13) << "a press on the scroll bar selects nothing";
    EXPECT_GT(table->getScrollPosition().getYPosition(), 120);
}

TEST_F(Views, ATreeExpandsByButtonAndKeysAndReportsTheSelection)
{
    CTree source;
    CTreeView *tree = add<CTreeView>(CRect(0, 0, 200, 150));
    tree->setTextColour(CAlphaColour(0, 0, 0));
    tree->setDataSource(&source);
    ASSERT_EQ(tree->getNumberOfVisibleRows(), 3);
    CTreeView *narrow = add<CTreeView>(CRect(300, 0, 20, 150));
    narrow->setDataSource(&source);
    EXPECT_NE(narrow->getHorizontalScrollBar(), nullptr) << "a label reaches past 20 pixels";
    repaint();
    EXPECT_EQ(pixel(7, 6), argb(0, 0, 0)) << "the + sign's upright";
    click(7, 8);
    EXPECT_EQ(tree->getNumberOfVisibleRows(), 5) << "A's button opened A1 and A2";
    EXPECT_EQ(events(), 0u);
    m_system.pump();
    EXPECT_EQ(pixel(7, 6), argb(255, 255, 255)) << "a − sign has none";
    click(40, 45);
    EXPECT_EQ(label(*tree), "A2");
    EXPECT_EQ(lastType(), 2);
    struct SKey
    {
        uintptr_t key;
        const char *selected;
        long rows;
    };
    const SKey steps[] = {{37, "A", 5},  {37, "A", 3}, {39, "A", 5}, {39, "A1", 5},
                          {40, "A2", 5}, {40, "B", 5}, {39, "B", 6}, {35, "C", 6}};
    for (const SKey &step : steps)
    {
        key(step.key);
        EXPECT_EQ(label(*tree), step.selected) << step.key;
        EXPECT_EQ(tree->getNumberOfVisibleRows(), step.rows) << step.key;
    }
    EXPECT_EQ(lastType(), 5);

    CControlDescriptor nodeSelect("Node Click Select", CControlDescriptor::e_boolean);
    nodeSelect.setValue(new Orvalite::Basics::CBool(false));
    ASSERT_TRUE(tree->setDescriptor(nodeSelect));
    click(40, 3 * 18 + 9);
    EXPECT_EQ(tree->getNumberOfVisibleRows(), 5) << "a click on B's label closed it";
    EXPECT_EQ(label(*tree), "C");
    CControlDescriptor singleClick("Single Click Select", CControlDescriptor::e_boolean);
    singleClick.setValue(new Orvalite::Basics::CBool(false));
    ASSERT_TRUE(tree->setDescriptor(singleClick));
    click(40, 27);
    EXPECT_EQ(label(*tree), "C") << "one click selects nothing";
    send(e_leftButtonDoubleClick, 40, 9);
    EXPECT_EQ(label(*tree), "C") << "nor a double click on a branch without node click select";
    EXPECT_EQ(tree->getNumberOfVisibleRows(), 5);
    send(e_leftButtonDoubleClick, 40, 27);
    EXPECT_EQ(label(*tree), "A1");
}

// What the catalogue's round trip leaves empty: the pages' and panels' children and the table's columns.
TEST_F(Views, TabPagesPanelChildrenAndColumnsRoundTripThroughXML)
{
    CTabPanel *tabs = add<CTabPanel>(CRect(0, 0, 200, 200));
    tabs->setTabCount(3);
    tabs->selectTab(2);
    tabs->setTabPosition(CTabPanel::e_right);
    tabs->setTabDimension(30);
    tabs->getTab(1)->addControl(new CLatchingButton(tabs->getTab(1), 7, CRect(5, 5, 20, 20)));
    auto *panel = new CScrollPanel(&root(), 2, CRect(0, 0, 200, 200));
    root().addControl(panel);
    panel->addControl(new CAreaBox(panel, 8, CRect(0, 300, 10, 10)));
    CTableView *table = add<CTableView>(CRect(0, 0, 200, 200));
    table->addColumn("First", 60);
    table->addColumn("Second", 90);
    table->setRowHeight(22);
    add<CTreeView>(CRect(0, 0, 200, 200))->setTextColour(CAlphaColour(1, 2, 3, 4));

    CWindow other(CRect(0, 0, 400, 400));
    Orvalite::Testing::expectRoundTrip(root(), other.getControlRoot());
    const auto *read = dynamic_cast<CTabPanel *>(other.getControlRoot().getControlAtIndex(0, true));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->getTabCount(), 3);
    EXPECT_EQ(read->getTab(1)->getControlAtIndex(7, false)->getArea(), CRect(5, 5, 20, 20));
    const auto *readPanel = dynamic_cast<CControlPanel *>(other.getControlRoot().getControlAtIndex(1, true));
    EXPECT_EQ(readPanel->getNumberOfControls(), 1);
    EXPECT_EQ(dynamic_cast<CTableView *>(other.getControlRoot().getControlAtIndex(2, true))->getNumberOfColumns(), 2);
}

TEST_F(Views, XMLCannotSetUnsoundTabCountsOrTableSizes)
{
    const auto descriptor = Orvalite::Testing::descriptorNode;
    const auto columns = [](const char *count, const char *rowHeight, std::vector<const char *> widths) {
        auto node = std::make_unique<CXMLNode>("control");
        node->addAttribute("number_of_descriptors", "0");
        CXMLNode *list = node->addChildNode("columns");
        list->addAttribute("number_of_columns", count);
        list->addAttribute("row_height", rowHeight);
        for (const char *width : widths)
        {
            CXMLNode *column = list->addChildNode("column");
            column->addAttribute("title", "T");
            column->addAttribute("width", width);
        }
        return node;
    };
    auto tabNodes = std::make_unique<CXMLNode>("control");
    tabNodes->addAttribute("number_of_descriptors", "0");
    for (int tab = 0; tab < 3; ++tab)
    {
        tabNodes->addChildNode("tab")->addAttribute("number_of_descriptors", "0");
    }
    struct SCase
    {
        const char *label, *type;
        std::unique_ptr<CXMLNode> node;
    };
    const SCase cases[] = {
        {"no tabs", "CTabPanel", descriptor("integer", "Tab Buttons", "0")},
        {"too many tabs", "CTabPanel", descriptor("integer", "Tab Buttons", "33")},
        {"viewing a tab past the last", "CTabPanel", descriptor("integer", "Tab View", "2")},
        {"a huge strip", "CTabPanel", descriptor("integer", "Tab Dimension", "5000")},
        {"a fifth position", "CTabPanel", descriptor("selection", "Tab Position", "4")},
        {"three tab nodes for two tabs", "CTabPanel", std::move(tabNodes)},
        {"too many columns", "CTableView", columns("65", "18", {})},
        {"a negative count", "CTableView", columns("-1", "18", {})},
        {"a count with a tail", "CTableView", columns("1x", "18", {"10"})},
        {"more columns than counted", "CTableView", columns("1", "18", {"10", "10"})},
        {"fewer columns than counted", "CTableView", columns("2", "18", {"10"})},
        {"a column of no width", "CTableView", columns("1", "18", {"0"})},
        {"a huge column", "CTableView", columns("1", "18", {"5000"})},
        {"rows of no height", "CTableView", columns("1", "0", {"10"})},
    };
    for (const SCase &test : cases)
    {
        IControl *made = nullptr;
        ASSERT_TRUE(CControlFactory::createControl(test.type, made, &root()));
        made->referenced();
        EXPECT_FALSE(made->readFromXML(*test.node)) << test.label;
        if (auto *tabs = dynamic_cast<CTabPanel *>(made))
        {
            EXPECT_EQ(tabs->getTabCount(), CTabPanel::DEFAULT_TABS) << test.label;
            EXPECT_EQ(tabs->getSelectedTab(), 0) << test.label;
        }
        else
        {
            EXPECT_EQ(dynamic_cast<CTableView *>(made)->getNumberOfColumns(), 0) << test.label;
        }
        made->dereference();
    }
}
} // namespace
