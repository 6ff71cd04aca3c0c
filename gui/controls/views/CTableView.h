// A scrolling table: a header row of column titles above the rows its data
// source gives, each column as wide as set. A click on a row selects it, Up,
// Down, Page Up, Page Down, Home and End move the selection (while keyboard
// enabled), and the selected row is scrolled into view; each change tells
// the action listener, with the row as the event type. The columns travel in
// XML in a "columns" node after the panel's own ("number_of_columns",
// "row_height", and per "column" its "title" and "width"); counts and sizes
// outside the limits below, or a count that disagrees with the columns
// present, are refused. The data source is not owned.
#pragma once

#include "gui/controls/views/CScrollPanel.h"

#include <vector>

namespace Orvalite::GUI::Controls
{
class ITableViewDataSource;

class CTableView : public CScrollPanel
{
public:
    static constexpr long MAXIMUM_COLUMNS = 64;
    static constexpr long MAXIMUM_COLUMN_WIDTH = 4096;
    static constexpr long MAXIMUM_ROW_HEIGHT = 256;
    static constexpr long DEFAULT_ROW_HEIGHT = 18;

    CTableView(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
               Listeners::IActionListener *actionListener = nullptr);

    void setDataSource(ITableViewDataSource *dataSource);
    // Reads the number of rows again; a selection past the last row is dropped.
    void reloadData();
    // False, changing nothing, beyond MAXIMUM_COLUMNS or for a width outside 1 … MAXIMUM_COLUMN_WIDTH.
    bool addColumn(const ::Orvalite::Basics::CString &title, long width);
    void clearColumns();
    long getNumberOfColumns() const { return static_cast<long>(m_columns.size()); }
    // Ignored outside 1 … MAXIMUM_ROW_HEIGHT.
    void setRowHeight(long height);
    long getRowHeight() const { return m_rowHeight; }
    // −1 for none; selecting scrolls the row into view and redraws, without telling the listener.
    void selectRow(long row);
    long getSelectedRow() const { return m_selectedRow; }
    // The row under a point in content coordinates, or −1.
    long rowAt(const MathTools::CPoint &point) const;

    bool serialiseToXML(IO::CXMLNode &node) override;
    bool readFromXML(const IO::CXMLNode &node) override;
    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    bool handleKeyDown(const Events::CKeyboardEvent &event) override;

    ORVALITE_CLASS_RECORD(CTableView)

protected:
    MathTools::CDimension getContentSize() const override;
    void drawContent(Graphics::CGraphics &graphics) override;

private:
    struct SColumn
    {
        ::Orvalite::Basics::CString title;
        long width;
    };

    long numberOfRows() const;
    bool readColumns(const IO::CXMLNode &columns);
    // Selects, shows and reports a row the user chose.
    void chooseRow(long row);

    ITableViewDataSource *m_dataSource = nullptr;
    std::vector<SColumn> m_columns;
    long m_rowHeight = DEFAULT_ROW_HEIGHT;
    long m_selectedRow = -1;
};
} // namespace Orvalite::GUI::Controls
