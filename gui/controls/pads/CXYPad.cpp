#include "gui/controls/pads/CXYPad.h"

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

ORVALITE_DEFINE_CLASS_RECORD(CXYPad, "CXYPad", "CControl")

CXYPad::CXYPad(IControlRoot *root, long uniqueId, const CRect &area, Listeners::IActionListener *actionListener)
    : CControl(root, uniqueId, area, actionListener)
{
    setDefaultDrawing(true);
    CControl::setValue(0.5);
    placeHandle();
}

CXYPad::~CXYPad()
{
    setHandleImages(nullptr, nullptr, nullptr);
}

CDescriptorFields CXYPad::describe() const
{
    // One table serves reading and writing; fill only reads through it.
    auto *self = const_cast<CXYPad *>(this);
    return CDescriptorFields()
        .image("Off Image", self->m_images[e_off])
        .image("Over Image", self->m_images[e_over])
        .image("Down Image", self->m_images[e_down])
        .colour("Off Colour", self->m_colours[e_off])
        .colour("Over Colour", self->m_colours[e_over])
        .colour("Down Colour", self->m_colours[e_down]);
}

void CXYPad::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CControl::getDescriptors(list);
    describe().addTo(list);
}

bool CXYPad::setDescriptor(const CControlDescriptor &descriptor)
{
    const CDescriptorFields fields = describe();
    if (!fields.contains(descriptor))
    {
        return CControl::setDescriptor(descriptor);
    }
    const bool applied = fields.apply(descriptor);
    placeHandle();
    return applied;
}

void CXYPad::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (!describe().fill(descriptor))
    {
        CControl::fillDescriptor(descriptor);
    }
}

void CXYPad::setHandleImages(Graphics::IImage *off, Graphics::IImage *over, Graphics::IImage *down)
{
    CDescriptorFields::replaceImage(m_images[e_off], off);
    CDescriptorFields::replaceImage(m_images[e_over], over);
    CDescriptorFields::replaceImage(m_images[e_down], down);
    placeHandle();
}

CRect CXYPad::handleAreaFor(double x, double y) const
{
    const long width = m_images[e_off] ? m_images[e_off]->getImageSize().getWidth() : HANDLE_SIZE;
    const long height = m_images[e_off] ? m_images[e_off]->getImageSize().getHeight() : HANDLE_SIZE;
    const long travelX = std::max(getDimension().getWidth() - width, 0L);
    const long travelY = std::max(getDimension().getHeight() - height, 0L);
    return CRect(std::lround(x * static_cast<double>(travelX)), std::lround((1.0 - y) * static_cast<double>(travelY)),
                 width, height);
}

void CXYPad::placeHandle()
{
    m_handleArea = handleAreaFor(getValue(), m_yValue);
    update();
}

void CXYPad::setArea(const CRect &area)
{
    CControl::setArea(area);
    placeHandle();
}

void CXYPad::setValue(double value)
{
    setValues(value, m_yValue);
}

void CXYPad::setValues(double x, double y)
{
    if (x >= 0.0 && x <= 1.0 && y >= 0.0 && y <= 1.0)
    {
        CControl::setValue(x);
        m_yValue = y;
        placeHandle();
    }
}

void CXYPad::moveHandle(const CPoint &corner)
{
    const long travelX = getDimension().getWidth() - m_handleArea.getWidth();
    const long travelY = getDimension().getHeight() - m_handleArea.getHeight();
    const double x =
        travelX > 0 ? std::clamp(static_cast<double>(corner.getXPosition()) / travelX, 0.0, 1.0) : getValue();
    const double y =
        travelY > 0 ? std::clamp(1.0 - static_cast<double>(corner.getYPosition()) / travelY, 0.0, 1.0) : m_yValue;
    if (x != getValue() || y != m_yValue)
    {
        setValues(x, y);
        fireActionEvent();
    }
}

void CXYPad::setHover(bool over)
{
    if (over)
    {
        getControlRoot()->lockControl(this);
    }
    else if (getControlRoot()->getLockedControl() == this)
    {
        getControlRoot()->unlockControl();
    }
    const long state = over ? e_over : e_off;
    if (state != m_handleState)
    {
        m_handleState = state;
        update();
    }
}

void CXYPad::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    const CPoint point = event.getMousePosition();
    if (!CControlRoot::isInside(m_handleArea, point))
    {
        moveHandle(CPoint(point.getXPosition() - m_handleArea.getWidth() / 2,
                          point.getYPosition() - m_handleArea.getHeight() / 2));
    }
    m_grabOffset = CPoint(point.getXPosition() - m_handleArea.getLeft(), point.getYPosition() - m_handleArea.getTop());
    m_isDragging = true;
    m_handleState = e_down;
    getControlRoot()->lockControl(this);
    update();
}

void CXYPad::handleMouseMovement(const Events::CMouseEvent &event)
{
    const CPoint point = event.getMousePosition();
    if (m_isDragging)
    {
        moveHandle(CPoint(point.getXPosition() - m_grabOffset.getXPosition(),
                          point.getYPosition() - m_grabOffset.getYPosition()));
        return;
    }
    setHover(CControlRoot::isInside(m_handleArea, point));
}

void CXYPad::handleLeftButtonUp(const Events::CMouseEvent &event)
{
    m_isDragging = false;
    m_handleState = e_down;
    setHover(CControlRoot::isInside(m_handleArea, event.getMousePosition()));
}

void CXYPad::handleMouseLeavingArea(const Events::CMouseEvent &)
{
    if (!m_isDragging)
    {
        setHover(false);
    }
}

void CXYPad::drawHandle(Graphics::CGraphics &graphics)
{
    Graphics::IImage *image = m_images[m_handleState] ? m_images[m_handleState] : m_images[e_off];
    if (image)
    {
        graphics.drawImage(image, m_handleArea, image->getImageSizeArea());
        return;
    }
    graphics.getBrush()->setColour(m_colours[m_handleState]);
    graphics.getPen()->setColour(CAlphaColour(0, 0, 0, 255));
    graphics.drawFilledBorderedRectangle(m_handleArea);
}

void CXYPad::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    drawPrimaryImage(graphics, isDefaultDrawing());
    drawHandle(graphics);
}
} // namespace Orvalite::GUI::Controls
