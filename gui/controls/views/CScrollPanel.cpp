#include "gui/controls/views/CScrollPanel.h"

#include "gui/controls/views/CScrollBar.h"
#include "gui/controls/views/CScrollEvent.h"
#include "gui/events/CKeyboardEvent.h"
#include "gui/events/CMouseEvent.h"
#include "gui/graphics/CGraphics.h"
#include "gui/windowing/CMouse.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::GUI::Controls
{
using Events::CMouseEvent;
using Listeners::IMouseListener;
using MathTools::CDimension;
using MathTools::CPoint;
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CScrollPanel, "CScrollPanel", "CControlPanel")

namespace
{
// Lines scrolled by one wheel notch.
constexpr long WHEEL_LINES = 3;
} // namespace

CScrollPanel::CScrollPanel(IControlRoot *root, long uniqueId, const CRect &area,
                           Listeners::IActionListener *actionListener)
    : CControlPanel(root, uniqueId, area, actionListener)
{
    m_bars[e_vertical] = new CScrollBar(this, -1, CRect(0, 0, SCROLL_BAR_SIZE, 3 * SCROLL_BAR_SIZE));
    m_bars[e_horizontal] = new CScrollBar(this, -1, CRect(0, 0, 3 * SCROLL_BAR_SIZE, SCROLL_BAR_SIZE));
    for (CScrollBar *bar : m_bars)
    {
        bar->referenced();
        bar->setParentControl(this);
        bar->addScrollListener(this);
    }
    setKeyboardEnabled(true);
    updateScrollBars();
}

CScrollPanel::~CScrollPanel()
{
    for (CScrollBar *bar : m_bars)
    {
        bar->dereference();
    }
}

CScrollBar *CScrollPanel::getVerticalScrollBar() const
{
    return m_barShown[e_vertical] ? m_bars[e_vertical] : nullptr;
}

CScrollBar *CScrollPanel::getHorizontalScrollBar() const
{
    return m_barShown[e_horizontal] ? m_bars[e_horizontal] : nullptr;
}

CDimension CScrollPanel::getContentSize() const
{
    long width = 0;
    long height = 0;
    for (const IControl *child : getControls())
    {
        if (child)
        {
            width = std::max(width, child->getArea().getRight());
            height = std::max(height, child->getArea().getBottom());
        }
    }
    return CDimension(width, height);
}

CRect CScrollPanel::getViewArea() const
{
    const long width = getDimension().getWidth() - (m_barShown[e_vertical] ? SCROLL_BAR_SIZE : 0);
    const long height = getDimension().getHeight() - (m_barShown[e_horizontal] ? SCROLL_BAR_SIZE : 0);
    return CRect(m_scroll.getXPosition(), m_scroll.getYPosition(), std::max(width, 0L), std::max(height, 0L));
}

void CScrollPanel::updateScrollBars()
{
    m_content = getContentSize();
    const long width = getDimension().getWidth();
    const long height = getDimension().getHeight();
    bool vertical = m_content.getHeight() > height;
    const bool horizontal = m_content.getWidth() > width - (vertical ? SCROLL_BAR_SIZE : 0);
    vertical = vertical || (horizontal && m_content.getHeight() > height - SCROLL_BAR_SIZE);
    m_barShown[e_vertical] = vertical;
    m_barShown[e_horizontal] = horizontal;
    const CRect view = getViewArea();
    m_bars[e_vertical]->setScrollRange(m_content.getHeight(), view.getHeight());
    m_bars[e_horizontal]->setScrollRange(m_content.getWidth(), view.getWidth());
    applyScroll(clampScroll(m_scroll));
}

CPoint CScrollPanel::clampScroll(const CPoint &position) const
{
    const CRect view = getViewArea();
    return CPoint(std::clamp(position.getXPosition(), 0L, std::max(m_content.getWidth() - view.getWidth(), 0L)),
                  std::clamp(position.getYPosition(), 0L, std::max(m_content.getHeight() - view.getHeight(), 0L)));
}

void CScrollPanel::setScrollPosition(const CPoint &position)
{
    const CPoint clamped = clampScroll(position);
    if (!(clamped == m_scroll))
    {
        applyScroll(clamped);
    }
}

void CScrollPanel::applyScroll(const CPoint &position)
{
    m_scroll = position;
    m_bars[e_vertical]->setScrollPosition(m_scroll.getYPosition());
    m_bars[e_horizontal]->setScrollPosition(m_scroll.getXPosition());
    placeChildren();
    update();
}

void CScrollPanel::scrollBy(long dx, long dy)
{
    setScrollPosition(CPoint(m_scroll.getXPosition() + dx, m_scroll.getYPosition() + dy));
}

void CScrollPanel::scrollToShow(const CRect &area)
{
    const CRect view = getViewArea();
    const auto axis = [](long start, long end, long viewStart, long viewLength) {
        if (start < viewStart)
        {
            return start;
        }
        return end > viewStart + viewLength ? std::min(start, end - viewLength) : viewStart;
    };
    setScrollPosition(CPoint(axis(area.getLeft(), area.getRight(), view.getLeft(), view.getWidth()),
                             axis(area.getTop(), area.getBottom(), view.getTop(), view.getHeight())));
}

void CScrollPanel::placeChildren()
{
    const CRect view = getViewArea();
    m_bars[e_vertical]->setArea(CRect(view.getRight(), view.getTop(), SCROLL_BAR_SIZE, view.getHeight()));
    m_bars[e_horizontal]->setArea(CRect(view.getLeft(), view.getBottom(), view.getWidth(), SCROLL_BAR_SIZE));
    for (IControl *child : getControls())
    {
        if (child)
        {
            child->setArea(child->getArea());
        }
    }
}

CPoint CScrollPanel::getWindowOffset() const
{
    const CPoint origin = CControlPanel::getWindowOffset();
    return CPoint(origin.getXPosition() - m_scroll.getXPosition(), origin.getYPosition() - m_scroll.getYPosition());
}

void CScrollPanel::setArea(const CRect &area)
{
    CControlPanel::setArea(area);
    updateScrollBars();
}

void CScrollPanel::addControl(IControl *control)
{
    CControlPanel::addControl(control);
    updateScrollBars();
}

void CScrollPanel::removeControl(IControl *control)
{
    CControlPanel::removeControl(control);
    updateScrollBars();
}

void CScrollPanel::clearControls()
{
    CControlPanel::clearControls();
    updateScrollBars();
}

bool CScrollPanel::readFromXML(const IO::CXMLNode &node)
{
    const bool read = CControlPanel::readFromXML(node);
    updateScrollBars();
    return read;
}

void CScrollPanel::enable()
{
    CControlPanel::enable();
    for (CScrollBar *bar : m_bars)
    {
        bar->enable();
    }
}

void CScrollPanel::disable()
{
    CControlPanel::disable();
    for (CScrollBar *bar : m_bars)
    {
        bar->disable();
    }
}

CScrollBar *CScrollPanel::visibleBarAt(const CPoint &point) const
{
    for (long bar = e_vertical; bar <= e_horizontal; ++bar)
    {
        if (m_barShown[bar] && isInside(m_bars[bar]->getArea(), point))
        {
            return m_bars[bar];
        }
    }
    return nullptr;
}

CPoint CScrollPanel::toContent(const CPoint &point) const
{
    return CPoint(point.getXPosition() + m_scroll.getXPosition(), point.getYPosition() + m_scroll.getYPosition());
}

IControl *CScrollPanel::getControlAtPoint(const CPoint &point) const
{
    const CPoint onContent = toContent(point);
    IControl *bar = visibleBarAt(onContent);
    return bar ? bar : CControlPanel::getControlAtPoint(onContent);
}

IControl *CScrollPanel::getMouseEnabledControlAtPoint(const CPoint &point) const
{
    IControl *bar = visibleBarAt(point);
    return bar ? bar : CControlPanel::getMouseEnabledControlAtPoint(point);
}

void CScrollPanel::drawContent(Graphics::CGraphics &graphics)
{
    drawControls(graphics);
}

void CScrollPanel::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    drawPrimaryImage(graphics, isDefaultDrawing());
    const CRect updateArea = graphics.getUpdateArea();
    CRect onContent(updateArea);
    onContent.offset(m_scroll);
    Graphics::CClip &clip = *graphics.getClip();
    const bool wasClipped = clip.isClipActive();
    CRect savedClip;
    clip.getClipRect(savedClip);
    const CRect view = getViewArea();
    CRect visible(getWindowArea().getLeft(), getWindowArea().getTop(), view.getWidth(), view.getHeight());
    if (wasClipped)
    {
        CRect::getIntersection(visible, savedClip, visible);
    }
    if (visible.getWidth() > 0 && visible.getHeight() > 0)
    {
        clip.setClip(visible);
        graphics.setUpdateArea(onContent);
        drawContent(graphics);
    }
    graphics.setUpdateArea(updateArea);
    // The bars lie outside the view: the content's clip goes before they are drawn.
    if (wasClipped)
    {
        clip.setClip(savedClip);
    }
    else
    {
        clip.clearClip();
    }
    for (long bar = e_vertical; bar <= e_horizontal; ++bar)
    {
        if (m_barShown[bar])
        {
            drawChild(graphics, *m_bars[bar], onContent);
        }
    }
}

void CScrollPanel::dispatchScrolled(const CMouseEvent &event, THandler handler)
{
    Windowing::CMouse mouse = event.getMouse() ? *event.getMouse() : Windowing::CMouse();
    mouse.setPosition(toContent(event.getMousePosition()));
    CMouseEvent moved(&mouse, event.getEventType());
    moved.setModifiers(event.isControlDown(), event.isShiftDown(), event.isAltDown());
    moved.setWheelValue(event.getWheelValue());
    dispatchToChildren(moved, handler);
}

void CScrollPanel::handleLeftButtonDown(const CMouseEvent &event)
{
    dispatchScrolled(event, &IMouseListener::handleLeftButtonDown);
}

void CScrollPanel::handleLeftButtonUp(const CMouseEvent &event)
{
    dispatchScrolled(event, &IMouseListener::handleLeftButtonUp);
}

void CScrollPanel::handleRightButtonDown(const CMouseEvent &event)
{
    dispatchScrolled(event, &IMouseListener::handleRightButtonDown);
}

void CScrollPanel::handleRightButtonUp(const CMouseEvent &event)
{
    dispatchScrolled(event, &IMouseListener::handleRightButtonUp);
}

void CScrollPanel::handleDoubleClick(const CMouseEvent &event)
{
    dispatchScrolled(event, &IMouseListener::handleDoubleClick);
}

void CScrollPanel::handleMouseMovement(const CMouseEvent &event)
{
    dispatchScrolled(event, &IMouseListener::handleMouseMovement);
}

void CScrollPanel::handleMouseLeavingArea(const CMouseEvent &event)
{
    dispatchScrolled(event, &IMouseListener::handleMouseLeavingArea);
}

void CScrollPanel::handleMouseScroll(const CMouseEvent &event)
{
    // The control under the pointer has the wheel first; the panel scrolls when it takes none.
    const IControl *under = getMouseEnabledControlAtPoint(toContent(event.getMousePosition()));
    if (under && under->takesMouseWheel())
    {
        dispatchScrolled(event, &IMouseListener::handleMouseScroll);
        return;
    }
    const long distance = std::lround(-event.getWheelValue() * static_cast<double>(WHEEL_LINES * LINE_STEP));
    if (event.isShiftDown())
    {
        scrollBy(distance, 0);
    }
    else
    {
        scrollBy(0, distance);
    }
}

long CScrollPanel::rowForKey(long keyCode, long current, long rows, long rowHeight) const
{
    const long page = std::max(getViewArea().getHeight() / rowHeight - 1, 1L);
    long row = current;
    switch (keyCode)
    {
    case e_up:
        row = current < 0 ? 0 : current - 1;
        break;
    case e_down:
        ++row;
        break;
    case e_pageUp:
        row -= page;
        break;
    case e_pageDown:
        row = std::max(row, 0L) + page;
        break;
    case e_home:
        row = 0;
        break;
    case e_end:
        row = rows - 1;
        break;
    default:
        return -1;
    }
    return std::clamp(row, 0L, rows - 1);
}

bool CScrollPanel::scrollForKey(long keyCode)
{
    const long page = std::max(getViewArea().getHeight() - LINE_STEP, LINE_STEP);
    switch (keyCode)
    {
    case e_up:
        scrollBy(0, -LINE_STEP);
        return true;
    case e_down:
        scrollBy(0, LINE_STEP);
        return true;
    case e_left:
        scrollBy(-LINE_STEP, 0);
        return true;
    case e_right:
        scrollBy(LINE_STEP, 0);
        return true;
    case e_pageUp:
        scrollBy(0, -page);
        return true;
    case e_pageDown:
        scrollBy(0, page);
        return true;
    case e_home:
        setScrollPosition(CPoint(m_scroll.getXPosition(), 0));
        return true;
    case e_end:
        setScrollPosition(CPoint(m_scroll.getXPosition(), m_content.getHeight()));
        return true;
    default:
        return false;
    }
}

bool CScrollPanel::handleKeyDown(const Events::CKeyboardEvent &event)
{
    return CControlPanel::handleKeyDown(event) || (isKeyboardEnabled() && scrollForKey(event.getKeyCode()));
}

void CScrollPanel::handleScrollEvent(const CScrollEvent &event)
{
    if (event.isVertical())
    {
        setScrollPosition(CPoint(m_scroll.getXPosition(), event.getPosition()));
    }
    else
    {
        setScrollPosition(CPoint(event.getPosition(), m_scroll.getYPosition()));
    }
}
} // namespace Orvalite::GUI::Controls
