// Rows of presets for the gallery's table view: a name and the half it is
// stored in, more rows than the view shows at once.
#pragma once

#include "gui/controls/views/ITableViewDataSource.h"

namespace Zelo::Tools
{
class CPresetRows : public Orvalite::GUI::Controls::ITableViewDataSource
{
public:
    long getNumberOfRows() const override;
    Orvalite::Basics::CString getCellText(long row, long column) const override;
};
} // namespace Zelo::Tools
