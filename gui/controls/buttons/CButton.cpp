#include "gui/controls/buttons/CButton.h"

#include "foundation/basics/CBool.h"
#include "gui/controls/base/CControlDescriptor.h"
#include "gui/controls/base/CControlRoot.h"
#include "gui/events/CMouseEvent.h"
#include "gui/fonts/CFont.h"
#include "gui/graphics/CGraphics.h"
#include "gui/graphics/CImageManager.h"
#include "gui/graphics/IImage.h"
#include "gui/windowing/CCursor.h"
#include "gui/windowing/CMouse.h"

namespace Orvalite::GUI::Controls
{
using Basics::CAlphaColour;
using ::Orvalite::Basics::CBool;
using ::Orvalite::Basics::CString;

namespace
{
// Cursor kinds: the arrow and the hand.
constexpr long ARROW_CURSOR = 0;
constexpr long HAND_CURSOR = 1;
// The label is centred on one line.
constexpr long LABEL_ALIGNMENT = 10;

const char *const s_colourNames[] = {"On Colour",        "Off Colour",     "On Frame Colour",
                                     "Off Frame Colour", "On Text Colour", "Off Text Colour"};
} // namespace

CButton::CButton(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                 Listeners::IActionListener *actionListener)
    : CControl(root, uniqueId, area, actionListener)
{
}

CButton::~CButton()
{
    setDownImage(nullptr);
}

void CButton::setDownImage(Graphics::IImage *image)
{
    if (image)
    {
        image->referenced();
    }
    if (m_downImage)
    {
        m_downImage->dereference();
    }
    m_downImage = image;
}

bool CButton::trackPointer(const Events::CMouseEvent &event, bool keepLock)
{
    const bool inside = CControlRoot::isInside(getNormalisedArea(), event.getMousePosition());
    if (!m_cursorChange)
    {
        return inside;
    }
    if (Windowing::CMouse *mouse = event.getMouse())
    {
        mouse->setCursor(&Windowing::CCursor::getSharedCursor(inside ? HAND_CURSOR : ARROW_CURSOR));
    }
    if (inside && keepLock)
    {
        getControlRoot()->lockControl(this);
    }
    else
    {
        getControlRoot()->unlockControl();
    }
    return inside;
}

void CButton::handleMouseLeavingArea(const Events::CMouseEvent &)
{
    if (!m_pressed && getControlRoot()->getLockedControl() == this)
    {
        getControlRoot()->unlockControl();
    }
}

void CButton::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CControl::getDescriptors(list);
    list.addElement(new CControlDescriptor("Down Image", CControlDescriptor::e_image));
    list.addElement(new CControlDescriptor("Cursor Change", CControlDescriptor::e_boolean));
    list.addElement(new CControlDescriptor("Label Text", CControlDescriptor::e_string));
    for (const char *name : s_colourNames)
    {
        list.addElement(new CControlDescriptor(name, CControlDescriptor::e_colour));
    }
}

bool CButton::setDescriptor(const CControlDescriptor &descriptor)
{
    const CString &name = descriptor.getName();
    CAlphaColour *colours[] = {&m_onColour,       &m_offColour,    &m_onFrameColour,
                               &m_offFrameColour, &m_onTextColour, &m_offTextColour};
    for (size_t index = 0; index < std::size(s_colourNames); ++index)
    {
        if (name == s_colourNames[index])
        {
            return descriptor.apply<CAlphaColour>([&](const CAlphaColour &value) { *colours[index] = value; });
        }
    }
    if (name == "Down Image")
    {
        return descriptor.apply<CString>(
            [&](const CString &value) { setDownImage(Graphics::CImageManager::getImage(value)); });
    }
    if (name == "Cursor Change")
    {
        return descriptor.apply<CBool>([&](const CBool &value) { m_cursorChange = value.getValue(); });
    }
    if (name == "Label Text")
    {
        return descriptor.apply<CString>([&](const CString &value) { m_labelText = value; });
    }
    return CControl::setDescriptor(descriptor);
}

void CButton::fillDescriptor(CControlDescriptor &descriptor) const
{
    const CString &name = descriptor.getName();
    const CAlphaColour *colours[] = {&m_onColour,       &m_offColour,    &m_onFrameColour,
                                     &m_offFrameColour, &m_onTextColour, &m_offTextColour};
    for (size_t index = 0; index < std::size(s_colourNames); ++index)
    {
        if (name == s_colourNames[index])
        {
            descriptor.setValue(new CAlphaColour(*colours[index]));
            return;
        }
    }
    if (name == "Down Image")
    {
        descriptor.setValue(new CString(Graphics::CImageManager::getReferenceName(m_downImage)));
    }
    else if (name == "Cursor Change")
    {
        descriptor.setValue(new CBool(m_cursorChange));
    }
    else if (name == "Label Text")
    {
        descriptor.setValue(new CString(m_labelText));
    }
    else
    {
        CControl::fillDescriptor(descriptor);
    }
}

void CButton::drawLabel(Graphics::CGraphics &graphics, const CAlphaColour &colour)
{
    if (drawsLabel())
    {
        graphics.setTextColour(colour);
        graphics.drawText(m_labelText, getNormalisedArea(), Fonts::CFont::getDefaultFont(), LABEL_ALIGNMENT);
    }
}

void CButton::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    Graphics::IImage *image = m_state ? m_downImage : getPrimaryImage();
    const CAlphaColour &textColour = m_state ? m_onTextColour : m_offTextColour;
    if (image)
    {
        graphics.drawImage(image, getNormalisedArea(), image->getImageSizeArea());
        if (drawsLabelOverImages())
        {
            drawLabel(graphics, textColour);
        }
        return;
    }
    const long corner = getNormalisedArea().getWidth() / 16;
    graphics.getBrush()->setColour(m_state ? m_onColour : m_offColour);
    graphics.getPen()->setColour(m_state ? m_onFrameColour : m_offFrameColour);
    graphics.fillRoundedRectangle(getNormalisedArea(), MathTools::CDimension(corner, corner));
    graphics.drawRoundedRectangle(getNormalisedArea(), MathTools::CDimension(corner, corner));
    drawLabel(graphics, textColour);
}
} // namespace Orvalite::GUI::Controls
