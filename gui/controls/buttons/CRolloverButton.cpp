#include "gui/controls/buttons/CRolloverButton.h"

#include "gui/controls/base/CControlRoot.h"
#include "gui/events/CMouseEvent.h"
#include "gui/fonts/CFont.h"
#include "gui/graphics/CGraphics.h"
#include "gui/graphics/IImage.h"
#include "gui/windowing/CCursor.h"
#include "gui/windowing/CMouse.h"

namespace Orvalite::GUI::Controls
{
using Basics::CAlphaColour;

ORVALITE_DEFINE_CLASS_RECORD(CRolloverButton, "CRolloverButton", "CControl")

namespace
{
// Cursor kinds: the arrow and the hand.
constexpr long ARROW_CURSOR = 0;
constexpr long HAND_CURSOR = 1;
// The label is centred on one line.
constexpr long LABEL_ALIGNMENT = 10;
} // namespace

CRolloverButton::CRolloverButton(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                                 Listeners::IActionListener *actionListener)
    : CControl(root, uniqueId, area, actionListener)
{
    CControl::setValue(0.0);
}

CRolloverButton::~CRolloverButton()
{
    setImages(nullptr, nullptr, nullptr);
}

void CRolloverButton::setImages(Graphics::IImage *off, Graphics::IImage *over, Graphics::IImage *down)
{
    setPrimaryImage(off);
    CDescriptorFields::replaceImage(m_overImage, over);
    CDescriptorFields::replaceImage(m_downImage, down);
}

CDescriptorFields CRolloverButton::describe() const
{
    // One table serves reading and writing; fill only reads through it.
    auto *self = const_cast<CRolloverButton *>(this);
    return CDescriptorFields()
        .image("Down Image", self->m_downImage)
        .image("Over Image", self->m_overImage)
        .flag("Cursor Change", self->m_cursorChange)
        .text("Label Text", self->m_labelText)
        .colour("On Colour", self->m_colours[e_on])
        .colour("Off Colour", self->m_colours[e_off])
        .colour("Over Colour", self->m_colours[e_over])
        .colour("On Frame Colour", self->m_frameColours[e_on])
        .colour("Off Frame Colour", self->m_frameColours[e_off])
        .colour("Over Frame Colour", self->m_frameColours[e_over])
        .colour("On Text Colour", self->m_textColours[e_on])
        .colour("Off Text Colour", self->m_textColours[e_off])
        .colour("Over Text Colour", self->m_textColours[e_over]);
}

void CRolloverButton::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CControl::getDescriptors(list);
    describe().addTo(list);
}

bool CRolloverButton::setDescriptor(const CControlDescriptor &descriptor)
{
    const CDescriptorFields fields = describe();
    return fields.contains(descriptor) ? fields.apply(descriptor) : CControl::setDescriptor(descriptor);
}

void CRolloverButton::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (!describe().fill(descriptor))
    {
        CControl::fillDescriptor(descriptor);
    }
}

void CRolloverButton::showState(long state)
{
    if (state != m_state)
    {
        m_state = state;
        update();
    }
}

bool CRolloverButton::pointerInside(const Events::CMouseEvent &event) const
{
    const bool inside = CControlRoot::isInside(getNormalisedArea(), event.getMousePosition());
    Windowing::CMouse *mouse = event.getMouse();
    if (m_cursorChange && mouse)
    {
        mouse->setCursor(&Windowing::CCursor::getSharedCursor(inside ? HAND_CURSOR : ARROW_CURSOR));
    }
    return inside;
}

void CRolloverButton::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    pointerInside(event);
    m_pressed = true;
    getControlRoot()->lockControl(this);
    CControl::setValue(1.0);
    showState(e_on);
    pressed();
}

void CRolloverButton::handleMouseMovement(const Events::CMouseEvent &event)
{
    const bool inside = pointerInside(event);
    if (m_pressed)
    {
        if (!inside && m_state == e_on)
        {
            leftWhilePressed();
        }
        showState(inside ? e_on : e_off);
        return;
    }
    if (inside)
    {
        getControlRoot()->lockControl(this);
    }
    else
    {
        getControlRoot()->unlockControl();
    }
    showState(inside ? e_over : e_off);
}

void CRolloverButton::handleLeftButtonUp(const Events::CMouseEvent &event)
{
    // A release whose press went elsewhere is no click.
    if (!m_pressed)
    {
        return;
    }
    const bool inside = pointerInside(event);
    m_pressed = false;
    CControl::setValue(0.0);
    if (!inside)
    {
        getControlRoot()->unlockControl();
    }
    showState(inside ? e_over : e_off);
    released(inside);
}

void CRolloverButton::released(bool inside)
{
    if (inside)
    {
        fireActionEvent();
    }
}

void CRolloverButton::handleMouseLeavingArea(const Events::CMouseEvent &)
{
    if (m_pressed)
    {
        leftWhilePressed();
        return;
    }
    if (getControlRoot()->getLockedControl() == this)
    {
        getControlRoot()->unlockControl();
    }
    showState(e_off);
}

void CRolloverButton::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    Graphics::IImage *const images[] = {getPrimaryImage(), m_overImage ? m_overImage : getPrimaryImage(), m_downImage};
    const MathTools::CRect &area = getNormalisedArea();
    if (Graphics::IImage *image = images[m_state])
    {
        graphics.drawImage(image, area, image->getImageSizeArea());
    }
    else
    {
        const long corner = area.getWidth() / 16;
        graphics.getBrush()->setColour(m_colours[m_state]);
        graphics.getPen()->setColour(m_frameColours[m_state]);
        graphics.fillRoundedRectangle(area, MathTools::CDimension(corner, corner));
        graphics.drawRoundedRectangle(area, MathTools::CDimension(corner, corner));
    }
    graphics.setTextColour(m_textColours[m_state]);
    graphics.drawText(m_labelText, area, Fonts::CFont::getDefaultFont(), LABEL_ALIGNMENT);
}
} // namespace Orvalite::GUI::Controls
