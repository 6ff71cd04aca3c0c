// A control that holds controls: a control in its parent's root and, for its
// children, a control root whose origin is the panel's. Children's areas are
// relative to the panel; the panel owns its children as a root does.
#pragma once

#include "gui/controls/base/CControl.h"
#include "gui/controls/base/CControlRoot.h"

namespace Orvalite::GUI::Controls
{
class CControlPanel : public CControlRoot, public CControl
{
public:
    // Control XML nested deeper than this many panels is refused.
    static constexpr long MAXIMUM_NESTING = 32;

    CControlPanel(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                  Listeners::IActionListener *actionListener = nullptr);
    ~CControlPanel() override;

    // The panel counts as one object: its control part holds the count.
    void referenced() override { CControl::referenced(); }
    void dereference() override { CControl::dereference(); }
    long getReferenceCount() const override { return CControl::getReferenceCount(); }
    void getObjectDescription(char *buffer, long size) const override { CControl::getObjectDescription(buffer, size); }

    // Refuses the panel itself and any panel it lies inside.
    void addControl(IControl *control) override;
    // A lock on a child holds the panel in its own root too, and ends there with it.
    void lockControl(IControl *control) override;
    void unlockControl() override;
    // The innermost control under the point, searching inside child panels.
    IControl *getControlAtPoint(const MathTools::CPoint &point) const override;
    void updateArea(const MathTools::CRect &area) override;
    MathTools::CPoint getWindowOffset() const override;
    void setArea(const MathTools::CRect &area) override;
    bool isContainer() const override { return true; }
    void enable() override;
    void disable() override;
    void drawControl(Graphics::CGraphics &graphics) override;

    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleLeftButtonUp(const Events::CMouseEvent &event) override;
    void handleRightButtonDown(const Events::CMouseEvent &event) override;
    void handleRightButtonUp(const Events::CMouseEvent &event) override;
    void handleDoubleClick(const Events::CMouseEvent &event) override;
    void handleMouseScroll(const Events::CMouseEvent &event) override;
    void handleMouseMovement(const Events::CMouseEvent &event) override;
    void handleMouseLeavingArea(const Events::CMouseEvent &event) override;
    bool handleKeyDown(const Events::CKeyboardEvent &event) override { return CControlRoot::handleKeyDown(event); }
    bool handleKeyUp(const Events::CKeyboardEvent &event) override { return CControlRoot::handleKeyUp(event); }
    bool handleCharacter(const Events::CKeyboardEvent &event) override { return CControlRoot::handleCharacter(event); }
    void handleFileDrop(const Events::CDropEvent &event) override { CControlRoot::handleFileDrop(event); }

    // The panel's descriptors, then its children under "child_controls"; a
    // panel is written and read as a control, whichever side is asked.
    bool serialiseToXML(IO::CXMLNode &node) override;
    bool readFromXML(const IO::CXMLNode &node) override;

    const Basics::CAlphaColour &getPanelColour() const { return m_panelColour; }
    void setPanelColour(const Basics::CAlphaColour &colour) { m_panelColour = colour; }

    ORVALITE_CLASS_RECORD(CControlPanel)

protected:
    // Dispatches among the children, then locks the panel in its own root while
    // a child is locked, so a drag that leaves the panel still ends in it.
    void dispatchToChildren(const Events::CMouseEvent &event, THandler handler);

private:
    bool readChildren(const IO::CXMLNode &node);
    long nestingDepth() const;

    Basics::CAlphaColour m_panelColour{255, 255, 255, 255};
};
} // namespace Orvalite::GUI::Controls
