// The list of a preset browser: one row per preset name, a click selects a
// row, a double click chooses it and the wheel scrolls by a row per notch.
// Each selection and choice is reported to the listener with its event type.
// Made and owned by CPresetBrowser.
#pragma once

#include "gui/controls/base/CControl.h"

#include <string>
#include <vector>

namespace Orvalite::GUI::Controls
{
class CPresetList : public CControl
{
public:
    enum EEventType : uint32_t
    {
        e_selected = 1,
        e_chosen = 2,
    };
    static constexpr long ROW_HEIGHT = 18;
    static constexpr long NO_SELECTION = -1;

    CPresetList(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                Listeners::IActionListener *actionListener = nullptr);

    // Selects nothing and scrolls to the top.
    void setNames(std::vector<std::string> names);
    const std::vector<std::string> &getNames() const { return m_names; }
    // NO_SELECTION or an index into the names; others are ignored.
    void select(long index);
    long getSelectedIndex() const { return m_selected; }
    long getFirstVisibleRow() const { return m_firstRow; }

    void drawControl(Graphics::CGraphics &graphics) override;
    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleDoubleClick(const Events::CMouseEvent &event) override;
    bool takesMouseWheel() const override { return true; }
    void handleMouseScroll(const Events::CMouseEvent &event) override;

    ORVALITE_CLASS_RECORD(CPresetList)

private:
    // The row under a point, NO_SELECTION below the last.
    long rowAt(const MathTools::CPoint &point) const;
    long visibleRows() const;
    void report(uint32_t type);

    std::vector<std::string> m_names;
    long m_selected = NO_SELECTION;
    long m_firstRow = 0;
};
} // namespace Orvalite::GUI::Controls
