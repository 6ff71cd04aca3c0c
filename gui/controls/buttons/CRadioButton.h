// A group of radio buttons with exactly one choice: the buttons are latching
// buttons held as the panel's children, so they are saved and read back with
// it. Clicking a button selects it (clicking the selected one keeps it) and
// reports its index as the event type; the group's value is index / (count −
// 1). With auto arrange the buttons share the area side by side, in a row
// when the group is wider than tall, else in a column, GAP pixels apart.
#pragma once

#include "gui/controls/base/CControlPanel.h"
#include "gui/listeners/IActionListener.h"

#include <vector>

namespace Orvalite::GUI::Controls
{
class CRadioButton : public CControlPanel, public Listeners::IActionListener
{
public:
    static constexpr long DEFAULT_BUTTONS = 3;
    static constexpr long MAXIMUM_BUTTONS = 64;
    static constexpr long GAP = 4;

    CRadioButton(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                 Listeners::IActionListener *actionListener = nullptr);

    void referenced() override { CControlPanel::referenced(); }
    void dereference() override { CControlPanel::dereference(); }
    long getReferenceCount() const override { return CControlPanel::getReferenceCount(); }
    void getObjectDescription(char *buffer, long size) const override
    {
        CControlPanel::getObjectDescription(buffer, size);
    }

    // Replaces the buttons with `count` new ones (1 … MAXIMUM_BUTTONS, else
    // ignored) and selects the first.
    void setButtonCount(long count);
    long getButtonCount() const;
    void setAutoArrange(bool arrange);
    long getSelectedIndex() const { return m_selected; }
    // Ignored for an index out of range; redraws.
    void select(long index);
    // Selects the nearest button; ignored outside 0 … 1.
    void setValue(double value) override;
    void setArea(const MathTools::CRect &area) override;
    // Every button added reports to the group.
    void addControl(IControl *control) override;
    // The buttons read replace the present ones; the first is selected.
    bool readFromXML(const IO::CXMLNode &node) override;
    // A button's click: it becomes the choice.
    void handleActionEvent(const Events::CActionEvent &event) override;

    ORVALITE_CLASS_RECORD(CRadioButton)

private:
    std::vector<IControl *> buttons() const;
    void arrange();

    long m_selected = 0;
    bool m_autoArrange = true;
};
} // namespace Orvalite::GUI::Controls
