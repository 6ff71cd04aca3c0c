#include "gui/controls/text/CTextLabel.h"

#include "gui/controls/base/CControlDescriptor.h"
#include "gui/events/CDropEvent.h"
#include "gui/fonts/CFont.h"
#include "gui/graphics/CGraphics.h"

namespace Orvalite::GUI::Controls
{
using Basics::CAlphaColour;
using ::Orvalite::Basics::CString;

ORVALITE_DEFINE_CLASS_RECORD(CTextLabel, "CTextLabel", "CControl")

CTextLabel::CTextLabel(IControlRoot *root, long uniqueId, const MathTools::CRect &area, const CString &text)
    : CControl(root, uniqueId, area), m_text(text)
{
    setMouseEnabled(false);
    setDropFileEnabled(true);
    setFont(Fonts::CFont::getDefaultFont());
}

CTextLabel::~CTextLabel()
{
    setFont(nullptr);
}

void CTextLabel::setColours(const CAlphaColour &frame, const CAlphaColour &background, const CAlphaColour &text)
{
    setDefaultControlColours(background, frame);
    m_textColour = text;
}

void CTextLabel::setFont(Fonts::CFont *font)
{
    if (font)
    {
        font->referenced();
    }
    if (m_font)
    {
        m_font->dereference();
    }
    m_font = font;
}

Fonts::CFont *CTextLabel::getFont() const
{
    return m_font ? m_font : Fonts::CFont::getDefaultFont();
}

void CTextLabel::setText(const CString &text)
{
    m_text = text;
    update();
}

void CTextLabel::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    drawPrimaryImage(graphics, isDefaultDrawing());
    graphics.setTextColour(m_textColour);
    const MathTools::CRect &area = getNormalisedArea();
    graphics.drawText(m_text, MathTools::CRect(1, 1, area.getWidth(), area.getHeight()), getFont(), m_alignment);
}

void CTextLabel::handleFileDrop(const Events::CDropEvent &event)
{
    if (!event.getFileNames().empty())
    {
        setText(event.getFileNames().front());
    }
}

void CTextLabel::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CControl::getDescriptors(list);
    list.addElement(new CControlDescriptor("Text", CControlDescriptor::e_string));
    list.addElement(new CControlDescriptor("Text Colour", CControlDescriptor::e_colour));
    list.addElement(new CControlDescriptor("Alignment", CControlDescriptor::e_selection));
    list.addElement(new CControlDescriptor("Font", CControlDescriptor::e_font));
}

bool CTextLabel::setDescriptor(const CControlDescriptor &descriptor)
{
    const CString &name = descriptor.getName();
    if (name == "Text")
    {
        return descriptor.apply<CString>([&](const CString &value) { m_text = value; });
    }
    if (name == "Text Colour")
    {
        return descriptor.apply<CAlphaColour>([&](const CAlphaColour &value) { m_textColour = value; });
    }
    if (name == "Alignment")
    {
        const long alignment = descriptor.getExtra();
        const bool valid = descriptor.getType() == CControlDescriptor::e_selection && alignment >= 0 &&
                           alignment < NUMBER_OF_ALIGNMENTS;
        m_alignment = valid ? alignment : m_alignment;
        return valid;
    }
    if (name == "Font")
    {
        return descriptor.apply<Fonts::CFont>([&](const Fonts::CFont &value) { setFont(new Fonts::CFont(value)); });
    }
    return CControl::setDescriptor(descriptor);
}

void CTextLabel::fillDescriptor(CControlDescriptor &descriptor) const
{
    const CString &name = descriptor.getName();
    if (name == "Text")
    {
        descriptor.setValue(new CString(m_text));
    }
    else if (name == "Text Colour")
    {
        descriptor.setValue(new CAlphaColour(m_textColour));
    }
    else if (name == "Alignment")
    {
        descriptor.setExtra(m_alignment);
    }
    else if (name == "Font")
    {
        descriptor.setValue(m_font ? static_cast<::Orvalite::Basics::ICountedObject *>(m_font) : new Fonts::CFont());
    }
    else
    {
        CControl::fillDescriptor(descriptor);
    }
}
} // namespace Orvalite::GUI::Controls
