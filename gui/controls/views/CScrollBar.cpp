#include "gui/controls/views/CScrollBar.h"

#include "gui/controls/views/CScrollEvent.h"
#include "gui/controls/views/IScrollListener.h"
#include "gui/events/CMouseEvent.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::GUI::Controls
{
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CScrollBar, "CScrollBar", "CSlider")

namespace
{
// The descriptor names, state by state in the order of the image set's parts.
const char *const s_imageNames[3][CScrollBarImages::e_numberOfParts] = {
    {"Normal Top", "Normal Bottom", "Normal Thumb", "Normal Repeat"},
    {"Over Top", "Over Bottom", "Over Thumb", "Over Repeat"},
    {"Down Top", "Down Bottom", "Down Thumb", "Down Repeat"},
};
} // namespace

CScrollBar::CScrollBar(IControlRoot *root, long uniqueId, const CRect &area, Listeners::IActionListener *actionListener)
    : CSlider(root, uniqueId, area, actionListener)
{
    for (CScrollBarImages &images : m_images)
    {
        images.useDefaultFiles();
    }
    // Until a range is given the thumb is a third of the bar, as a slider's handle.
    const long length = controlLength();
    setScrollRange(3 * length, length);
}

CDescriptorFields CScrollBar::describe() const
{
    auto *self = const_cast<CScrollBar *>(this);
    CDescriptorFields fields;
    for (long state = 0; state < NUMBER_OF_STATES; ++state)
    {
        for (long part = 0; part < CScrollBarImages::e_numberOfParts; ++part)
        {
            fields.image(s_imageNames[state][part],
                         self->m_images[state].image(static_cast<CScrollBarImages::EPart>(part)));
        }
    }
    return fields;
}

void CScrollBar::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CSlider::getDescriptors(list);
    describe().addTo(list);
}

bool CScrollBar::setDescriptor(const CControlDescriptor &descriptor)
{
    const CDescriptorFields fields = describe();
    return fields.contains(descriptor) ? fields.apply(descriptor) : CSlider::setDescriptor(descriptor);
}

void CScrollBar::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (!describe().fill(descriptor))
    {
        CSlider::fillDescriptor(descriptor);
    }
}

long CScrollBar::defaultHandleLength() const
{
    const long length = controlLength();
    if (m_contentLength <= m_visibleLength)
    {
        return length;
    }
    const auto fraction = static_cast<double>(m_visibleLength) / static_cast<double>(m_contentLength);
    return std::clamp(std::lround(fraction * static_cast<double>(length)), std::min(MINIMUM_THUMB, length), length);
}

void CScrollBar::setArea(const CRect &area)
{
    const long position = getScrollPosition();
    CSlider::setArea(area);
    setScrollPosition(position);
}

void CScrollBar::setScrollRange(long contentLength, long visibleLength)
{
    const long position = getScrollPosition();
    m_contentLength = std::max(contentLength, 0L);
    m_visibleLength = std::max(visibleLength, 0L);
    layoutHandle();
    setScrollPosition(position);
}

long CScrollBar::getMaximumPosition() const
{
    return std::max(m_contentLength - m_visibleLength, 0L);
}

long CScrollBar::getScrollPosition() const
{
    return std::lround((1.0 - getValue()) * static_cast<double>(getMaximumPosition()));
}

void CScrollBar::setScrollPosition(long position)
{
    const long maximum = getMaximumPosition();
    const long clamped = std::clamp(position, 0L, maximum);
    setValue(maximum > 0 ? 1.0 - static_cast<double>(clamped) / static_cast<double>(maximum) : 1.0);
}

void CScrollBar::addScrollListener(IScrollListener *listener)
{
    if (listener && std::find(m_scrollListeners.begin(), m_scrollListeners.end(), listener) == m_scrollListeners.end())
    {
        m_scrollListeners.push_back(listener);
    }
}

void CScrollBar::removeScrollListener(IScrollListener *listener)
{
    m_scrollListeners.erase(std::remove(m_scrollListeners.begin(), m_scrollListeners.end(), listener),
                            m_scrollListeners.end());
}

void CScrollBar::reportMove(long before)
{
    const long position = getScrollPosition();
    if (position == before)
    {
        return;
    }
    const CScrollEvent event(*this, isVertical(), position, getMaximumPosition());
    // A listener may remove itself while told.
    const std::vector<IScrollListener *> listeners = m_scrollListeners;
    for (IScrollListener *listener : listeners)
    {
        listener->handleScrollEvent(event);
    }
}

void CScrollBar::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    const long before = getScrollPosition();
    CSlider::handleLeftButtonDown(event);
    reportMove(before);
}

void CScrollBar::handleMouseMovement(const Events::CMouseEvent &event)
{
    const long before = getScrollPosition();
    CSlider::handleMouseMovement(event);
    reportMove(before);
}

void CScrollBar::handleMouseScroll(const Events::CMouseEvent &event)
{
    const long before = getScrollPosition();
    setScrollPosition(before - std::lround(event.getWheelValue() * static_cast<double>(WHEEL_STEP)));
    if (getScrollPosition() != before)
    {
        fireActionEvent();
    }
    reportMove(before);
}

void CScrollBar::drawControl(Graphics::CGraphics &graphics)
{
    const CScrollBarImages &state = m_images[getHandleState()];
    const CScrollBarImages &images = state.isEmpty() ? m_images[e_normal] : state;
    if (images.isEmpty())
    {
        CSlider::drawControl(graphics);
        return;
    }
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    drawPrimaryImage(graphics, isDefaultDrawing());
    images.draw(graphics, getHandleArea(), isVertical());
}
} // namespace Orvalite::GUI::Controls
