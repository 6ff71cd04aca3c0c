// A handle that moves its window: dragging it moves our own top-level window
// by as much as the pointer moved. Inside a host's window (a child window) it
// does nothing, since the host places that window.
#pragma once

#include "gui/controls/base/CControl.h"

namespace Orvalite::GUI::Controls
{
class CWindowDragTab : public CControl
{
public:
    CWindowDragTab(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                   Listeners::IActionListener *actionListener = nullptr);

    bool isDragging() const { return m_dragging; }

    void drawControl(Graphics::CGraphics &graphics) override;
    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleLeftButtonUp(const Events::CMouseEvent &event) override;
    // Throws CException when the root has no window.
    void handleMouseMovement(const Events::CMouseEvent &event) override;

    ORVALITE_CLASS_RECORD(CWindowDragTab)

private:
    bool m_dragging = false;
    // Where the pointer took hold, in control coordinates.
    MathTools::CPoint m_grab;
};
} // namespace Orvalite::GUI::Controls
