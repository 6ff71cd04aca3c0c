// A panel whose children lie on content larger than the panel and are scrolled
// past it: the children keep their areas in content coordinates, their window
// areas follow the scroll position, and their painting is clipped to the
// view. A vertical scroll bar shows at the right edge when the content is
// taller than the view, a horizontal one at the bottom when it is wider; the
// bars belong to the panel, not to its children, and are not written to XML.
// The wheel scrolls (sideways with shift), and so do the arrow, page, Home and
// End keys that no child used, while the panel is keyboard enabled.
#pragma once

#include "gui/controls/base/CControlPanel.h"
#include "gui/controls/views/IScrollListener.h"

namespace Orvalite::GUI::Controls
{
class CScrollBar;

class CScrollPanel : public CControlPanel, public IScrollListener
{
public:
    static constexpr long SCROLL_BAR_SIZE = 16;
    // Pixels scrolled by an arrow key; a wheel notch scrolls three lines.
    static constexpr long LINE_STEP = 16;

    CScrollPanel(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                 Listeners::IActionListener *actionListener = nullptr);
    ~CScrollPanel() override;

    void referenced() override { CControlPanel::referenced(); }
    void dereference() override { CControlPanel::dereference(); }
    long getReferenceCount() const override { return CControlPanel::getReferenceCount(); }
    void getObjectDescription(char *buffer, long size) const override
    {
        CControlPanel::getObjectDescription(buffer, size);
    }

    // The content scrolled past the view's top left corner, clamped to the content.
    const MathTools::CPoint &getScrollPosition() const { return m_scroll; }
    void setScrollPosition(const MathTools::CPoint &position);
    void scrollBy(long dx, long dy);
    // Scrolls the least that brings the area (content coordinates) into view.
    void scrollToShow(const MathTools::CRect &area);
    // The visible part of the content, in content coordinates.
    MathTools::CRect getViewArea() const;
    // Null while that bar is hidden.
    CScrollBar *getVerticalScrollBar() const;
    CScrollBar *getHorizontalScrollBar() const;
    // Measures the content again and shows, hides and sizes the bars; call it
    // after moving children.
    void updateScrollBars();

    void addControl(IControl *control) override;
    void removeControl(IControl *control) override;
    void clearControls() override;
    // The point in the panel's coordinates; the scroll bars come first.
    IControl *getControlAtPoint(const MathTools::CPoint &point) const override;
    // The point in content coordinates; the scroll bars come first.
    IControl *getMouseEnabledControlAtPoint(const MathTools::CPoint &point) const override;
    MathTools::CPoint getWindowOffset() const override;
    void setArea(const MathTools::CRect &area) override;
    void enable() override;
    void disable() override;
    void drawControl(Graphics::CGraphics &graphics) override;
    bool readFromXML(const IO::CXMLNode &node) override;

    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleLeftButtonUp(const Events::CMouseEvent &event) override;
    void handleRightButtonDown(const Events::CMouseEvent &event) override;
    void handleRightButtonUp(const Events::CMouseEvent &event) override;
    void handleDoubleClick(const Events::CMouseEvent &event) override;
    bool takesMouseWheel() const override { return true; }
    void handleMouseScroll(const Events::CMouseEvent &event) override;
    void handleMouseMovement(const Events::CMouseEvent &event) override;
    void handleMouseLeavingArea(const Events::CMouseEvent &event) override;
    bool handleKeyDown(const Events::CKeyboardEvent &event) override;

    void handleScrollEvent(const CScrollEvent &event) override;

    ORVALITE_CLASS_RECORD(CScrollPanel)

protected:
    // The key codes the scrolling views use.
    enum EKeyCode : long
    {
        e_pageUp = 10,
        e_pageDown = 11,
        e_end = 12,
        e_home = 13,
        e_left = 14,
        e_up = 15,
        e_right = 16,
        e_down = 17,
    };

    // The size of what scrolls: by default the children's furthest edges.
    virtual MathTools::CDimension getContentSize() const;
    // Draws what lies on the content (the children by default), with the
    // update area and the clip already set to the visible part.
    virtual void drawContent(Graphics::CGraphics &graphics);
    // Scrolls for the scrolling keys; false for any other key.
    bool scrollForKey(long keyCode);
    // Where a view of `rows` rows of `rowHeight` pixels moves its selection from
    // `current` (−1: none) for Up, Down, Page Up, Page Down, Home and End, kept
    // inside the rows (at least one); −1 for any other key.
    long rowForKey(long keyCode, long current, long rows, long rowHeight) const;

private:
    enum EBar
    {
        e_vertical,
        e_horizontal,
    };

    // Hands the event on with its point moved into content coordinates.
    void dispatchScrolled(const Events::CMouseEvent &event, THandler handler);
    // A point in the panel's coordinates, in the content's.
    MathTools::CPoint toContent(const MathTools::CPoint &point) const;
    CScrollBar *visibleBarAt(const MathTools::CPoint &point) const;
    MathTools::CPoint clampScroll(const MathTools::CPoint &position) const;
    // Moves the content and the bars to an already clamped position and redraws.
    void applyScroll(const MathTools::CPoint &position);
    // Keeps the bars at the view's edges and the children's window areas in step.
    void placeChildren();

    CScrollBar *m_bars[2];
    bool m_barShown[2] = {false, false};
    MathTools::CPoint m_scroll;
    MathTools::CDimension m_content;
};
} // namespace Orvalite::GUI::Controls
