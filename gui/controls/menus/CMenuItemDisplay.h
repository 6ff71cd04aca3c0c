// Draws one item of an open menu: its text, a tick when ticked, an arrow when
// it opens a sub-menu, highlighted while the pointer or the keys are on it and
// greyed when it cannot be chosen. Held by the menu window's control root.
#pragma once

#include "gui/controls/base/CControl.h"

namespace Orvalite::GUI::Controls
{
class CMenuItem;

class CMenuItemDisplay : public CControl
{
public:
    static constexpr long ITEM_HEIGHT = 20;
    // Room left of the text for the tick and right of it for the arrow.
    static constexpr long TICK_WIDTH = 18;
    static constexpr long ARROW_WIDTH = 18;

    // Throws as setMenuItem does.
    CMenuItemDisplay(IControlRoot *root, const MathTools::CRect &area, CMenuItem *item);
    ~CMenuItemDisplay() override;

    // Takes a reference; throws CException for a null item.
    void setMenuItem(CMenuItem *item);
    CMenuItem *getMenuItem() const { return m_item; }
    // Redraws when it changes.
    void setHighlighted(bool highlighted);
    bool isHighlighted() const { return m_highlighted; }
    void drawControl(Graphics::CGraphics &graphics) override;

    // The width the item needs: tick, text in the default font and arrow.
    static long preferredWidth(const CMenuItem &item);

    // Behind a highlighted item and behind the others.
    static Basics::CAlphaColour highlightColour() { return Basics::CAlphaColour(51, 102, 204); }
    static Basics::CAlphaColour backgroundColour() { return Basics::CAlphaColour(240, 240, 240); }

    ORVALITE_CLASS_RECORD(CMenuItemDisplay)

private:
    void drawTick(Graphics::CGraphics &graphics) const;
    void drawArrow(Graphics::CGraphics &graphics) const;

    CMenuItem *m_item = nullptr;
    bool m_highlighted = false;
};
} // namespace Orvalite::GUI::Controls
