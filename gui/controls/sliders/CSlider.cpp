#include "gui/controls/sliders/CSlider.h"

#include "gui/controls/base/CControlRoot.h"
#include "gui/events/CMouseEvent.h"
#include "gui/graphics/CGraphics.h"
#include "gui/graphics/IImage.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::GUI::Controls
{
using Basics::CAlphaColour;
using MathTools::CPoint;
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CSlider, "CSlider", "CControl")

namespace
{
// The handle is drawn this far inside its area when it has no image.
constexpr long HANDLE_INSET = 2;
} // namespace

CSlider::CSlider(IControlRoot *root, long uniqueId, const CRect &area, Listeners::IActionListener *actionListener)
    : CControl(root, uniqueId, area, actionListener)
{
    setDefaultDrawing(true);
    CSlider::setArea(area);
}

CSlider::~CSlider()
{
    setHandleImages(nullptr, nullptr, nullptr, nullptr);
    CDescriptorFields::replaceImage(m_handleImage, nullptr);
}

CDescriptorFields CSlider::describe() const
{
    // One table serves reading and writing; fill only reads through it.
    auto *self = const_cast<CSlider *>(this);
    return CDescriptorFields()
        .image("Handle Image", self->m_handleImage)
        .image("Handle Over Image", self->m_handleOverImage)
        .image("Handle Down Image", self->m_handleDownImage)
        .image("Handle Disabled Image", self->m_handleDisabledImage)
        .colour("Handle Colour", self->m_handleColour)
        .colour("Handle Over Colour", self->m_handleOverColour)
        .colour("Handle Down Colour", self->m_handleDownColour);
}

void CSlider::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CControl::getDescriptors(list);
    describe().addTo(list);
}

bool CSlider::setDescriptor(const CControlDescriptor &descriptor)
{
    const CDescriptorFields fields = describe();
    if (!fields.contains(descriptor))
    {
        return CControl::setDescriptor(descriptor);
    }
    const bool applied = fields.apply(descriptor);
    if (applied && descriptor.getName() == "Handle Image")
    {
        layoutHandle();
    }
    return applied;
}

void CSlider::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (!describe().fill(descriptor))
    {
        CControl::fillDescriptor(descriptor);
    }
}

long CSlider::controlLength() const
{
    return m_isVertical ? getDimension().getHeight() : getDimension().getWidth();
}

long CSlider::handleLength() const
{
    return m_isVertical ? m_handleArea.getHeight() : m_handleArea.getWidth();
}

long CSlider::handlePosition() const
{
    return m_isVertical ? m_handleArea.getTop() : m_handleArea.getLeft();
}

void CSlider::setArea(const CRect &area)
{
    CControl::setArea(area);
    m_isVertical = area.getWidth() <= area.getHeight();
    layoutHandle();
}

void CSlider::layoutHandle()
{
    const long width = getDimension().getWidth();
    const long height = getDimension().getHeight();
    if (m_handleImage)
    {
        m_handleArea = CRect(CPoint(0, 0), m_handleImage->getImageSize());
    }
    else
    {
        const long length = defaultHandleLength();
        m_handleArea = m_isVertical ? CRect(0, 0, width, length) : CRect(0, 0, length, height);
    }
    m_travel = static_cast<double>(controlLength() - handleLength());
    setValue(getValue());
}

void CSlider::setValue(double value)
{
    if (!(value >= 0.0 && value <= 1.0))
    {
        return;
    }
    CControl::setValue(value);
    const long position = hasTravel() ? std::lround((1.0 - value) * m_travel) : 0;
    m_handleArea.setOrigin(m_isVertical ? CPoint(0, position) : CPoint(position, 0));
    update();
}

void CSlider::setHandleImages(Graphics::IImage *normal, Graphics::IImage *over, Graphics::IImage *down,
                              Graphics::IImage *disabled)
{
    CDescriptorFields::replaceImage(m_handleOverImage, over);
    CDescriptorFields::replaceImage(m_handleDownImage, down);
    CDescriptorFields::replaceImage(m_handleDisabledImage, disabled);
    if (normal)
    {
        CDescriptorFields::replaceImage(m_handleImage, normal);
        layoutHandle();
    }
}

void CSlider::setSliderColours(const CAlphaColour &frame, const CAlphaColour &background, const CAlphaColour &handle,
                               const CAlphaColour &handleOver, const CAlphaColour &handleDown)
{
    setDefaultControlColours(background, frame);
    m_handleColour = handle;
    m_handleOverColour = handleOver;
    m_handleDownColour = handleDown;
}

void CSlider::moveHandle(long position)
{
    m_handleArea.setOrigin(m_isVertical ? CPoint(0, position) : CPoint(position, 0));
    CControl::setValue(std::clamp(1.0 - static_cast<double>(position) / m_travel, 0.0, 1.0));
    fireActionEvent();
}

void CSlider::checkRollover(const CPoint &point)
{
    const bool inside = CControlRoot::isInside(m_handleArea, point);
    m_handleState = inside ? e_over : e_normal;
    if (inside)
    {
        getControlRoot()->lockControl(this);
    }
    else
    {
        getControlRoot()->unlockControl();
    }
    update();
}

void CSlider::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    const CPoint point = event.getMousePosition();
    if (hasTravel() && !CControlRoot::isInside(m_handleArea, point))
    {
        const long along = m_isVertical ? point.getYPosition() : point.getXPosition();
        const long length = handleLength();
        moveHandle(std::max(std::min(along + length / 2, controlLength()) - length, 0L));
    }
    getControlRoot()->lockControl(this);
    m_grabOffset = CPoint(point.getXPosition() - m_handleArea.getLeft(), point.getYPosition() - m_handleArea.getTop());
    m_isDragging = true;
    m_handleState = e_down;
    update();
}

void CSlider::handleMouseMovement(const Events::CMouseEvent &event)
{
    const CPoint point = event.getMousePosition();
    if (!m_isDragging)
    {
        checkRollover(point);
        return;
    }
    const long along = m_isVertical ? point.getYPosition() : point.getXPosition();
    const long grab = m_isVertical ? m_grabOffset.getYPosition() : m_grabOffset.getXPosition();
    if (along < 0 || !hasTravel())
    {
        return;
    }
    moveHandle(std::clamp(along - grab, 0L, controlLength() - handleLength()));
    update();
}

void CSlider::handleLeftButtonUp(const Events::CMouseEvent &event)
{
    m_isDragging = false;
    m_grabOffset = CPoint(0, 0);
    if (CControlRoot::isInside(m_handleArea, event.getMousePosition()))
    {
        m_handleState = e_over;
    }
    else
    {
        getControlRoot()->unlockControl();
        m_handleState = e_normal;
    }
    update();
}

void CSlider::handleMouseLeavingArea(const Events::CMouseEvent &)
{
    if (m_isDragging)
    {
        return;
    }
    m_handleState = e_normal;
    if (getControlRoot()->getLockedControl() == this)
    {
        getControlRoot()->unlockControl();
    }
    update();
}

bool CSlider::drawDisabledControl(Graphics::CGraphics &graphics)
{
    if (CControl::drawDisabledControl(graphics))
    {
        return true;
    }
    if (m_handleDisabledImage)
    {
        graphics.drawImage(m_handleDisabledImage, m_handleArea, m_handleDisabledImage->getImageSizeArea());
    }
    return false;
}

void CSlider::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    drawPrimaryImage(graphics, isDefaultDrawing());
    Graphics::IImage *const images[] = {m_handleImage, m_handleOverImage, m_handleDownImage};
    const CAlphaColour *const colours[] = {&m_handleColour, &m_handleOverColour, &m_handleDownColour};
    if (Graphics::IImage *image = images[m_handleState])
    {
        graphics.drawImage(image, m_handleArea, image->getImageSizeArea());
        return;
    }
    CRect inset(m_handleArea);
    inset.inset(HANDLE_INSET);
    graphics.getBrush()->setColour(*colours[m_handleState]);
    graphics.getPen()->setColour(CAlphaColour(0, 0, 0, 255));
    graphics.drawFilledBorderedRectangle(inset);
}
} // namespace Orvalite::GUI::Controls
