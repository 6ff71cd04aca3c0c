// Where a table view's rows come from: their number and each cell's text.
// Supplied and owned by whoever fills the table; the view only reads it.
#pragma once

#include "foundation/basics/CString.h"

namespace Orvalite::GUI::Controls
{
class ITableViewDataSource
{
public:
    virtual ~ITableViewDataSource() = default;
    virtual long getNumberOfRows() const = 0;
    virtual ::Orvalite::Basics::CString getCellText(long row, long column) const = 0;
};
} // namespace Orvalite::GUI::Controls
