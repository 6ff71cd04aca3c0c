// Tabs with one panel per tab: a strip of tab buttons along one edge, each
// labelled with its panel's name, and the chosen tab's panel filling the rest.
// Clicking a button shows its panel and reports the tab's index as the event
// type of an action event. The settings are descriptors, so they travel in
// XML: "Tab Buttons" (the number of tabs, 1 … MAXIMUM_TABS), "Tab View" (the
// tab shown), "Tab Dimension" (the strip's thickness, 0 … MAXIMUM_DIMENSION)
// and "Tab Position" ("Top", "Bottom", "Left", "Right"). After the descriptors
// the XML holds one "tab" node per tab with its panel, whose own children sit
// under "child_controls"; a count of tab nodes other than "Tab Buttons" is
// refused. The panels are owned here; only the one shown is a child.
#pragma once

#include "gui/controls/base/CControlPanel.h"
#include "gui/controls/base/CDescriptorFields.h"

#include <vector>

namespace Orvalite::GUI::Controls
{
class CTabPanel : public CControlPanel
{
public:
    enum ETabPosition : long
    {
        e_top,
        e_bottom,
        e_left,
        e_right,
        e_numberOfPositions,
    };

    // The "Tab Position" choices, by index.
    static const char *const POSITION_NAMES[e_numberOfPositions];
    static constexpr long DEFAULT_TABS = 2;
    static constexpr long MAXIMUM_TABS = 32;
    static constexpr long DEFAULT_DIMENSION = 24;
    static constexpr long MAXIMUM_DIMENSION = 1024;

    CTabPanel(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
              Listeners::IActionListener *actionListener = nullptr);
    ~CTabPanel() override;

    // Keeps the panels of the tabs that remain and adds empty ones ("Tab 3"
    // for the third); false outside 1 … MAXIMUM_TABS.
    bool setTabCount(long count);
    long getTabCount() const { return static_cast<long>(m_tabs.size()); }
    CControlPanel *getTab(long index) const;
    // Ignored for an index out of range; redraws.
    void selectTab(long index);
    long getSelectedTab() const { return m_selected; }
    // Ignored out of range.
    void setTabPosition(long position);
    void setTabDimension(long dimension);
    // The button of a tab, in the panel's coordinates.
    MathTools::CRect getTabButtonArea(long index) const;

    // Searches every tab's panel, shown or hidden.
    IControl *getControlByName(const ::Orvalite::Basics::CString &name) const override;
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;
    bool serialiseToXML(IO::CXMLNode &node) override;
    bool readFromXML(const IO::CXMLNode &node) override;
    void setArea(const MathTools::CRect &area) override;
    void enable() override;
    void disable() override;
    void drawControl(Graphics::CGraphics &graphics) override;
    void handleLeftButtonDown(const Events::CMouseEvent &event) override;

    ORVALITE_CLASS_RECORD(CTabPanel)

private:
    CDescriptorFields describe() const;
    // Makes the panels match the settings: their number, the one shown, the layout.
    void rebuild();
    long tabAt(const MathTools::CPoint &point) const;
    bool isStripHorizontal() const { return m_position == e_top || m_position == e_bottom; }

    std::vector<CControlPanel *> m_tabs;
    long m_tabCount = DEFAULT_TABS;
    long m_selected = 0;
    long m_dimension = DEFAULT_DIMENSION;
    long m_position = e_top;
    CControlPanel *m_shown = nullptr;
};
} // namespace Orvalite::GUI::Controls
