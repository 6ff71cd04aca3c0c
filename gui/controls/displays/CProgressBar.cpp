#include "gui/controls/displays/CProgressBar.h"

#include "foundation/basics/CBool.h"
#include "gui/controls/base/CControlDescriptor.h"
#include "gui/graphics/CGraphics.h"
#include "gui/graphics/IImage.h"

#include <cmath>
#include <cstdio>

namespace Orvalite::GUI::Controls
{
using MathTools::CRect;
using ::Orvalite::Basics::CBool;
using ::Orvalite::Basics::CString;

ORVALITE_DEFINE_CLASS_RECORD(CProgressBar, "CProgressBar", "CTextLabel")

namespace
{
// "Center / Center".
constexpr long CENTRED = 4;
} // namespace

CProgressBar::CProgressBar(IControlRoot *root, long uniqueId, const CRect &area, const CString &text)
    : CTextLabel(root, uniqueId, area, text)
{
    setDropFileEnabled(false);
    setDefaultDrawing(true);
    setDefaultControlColours(Basics::CAlphaColour(255, 255, 255), Basics::CAlphaColour(153, 116, 188));
    setTextAlignment(CENTRED);
    CControl::setValue(0.0);
}

void CProgressBar::setValue(double value)
{
    if (value >= 0.0 && value <= 1.0)
    {
        CControl::setValue(value);
        update();
    }
}

CString CProgressBar::getPercentageText() const
{
    char text[16];
    std::snprintf(text, sizeof text, "%li%%", std::lround(getValue() * 100.0));
    return CString(text);
}

CRect CProgressBar::getBarArea() const
{
    const long width = std::lround(getValue() * static_cast<double>(getDimension().getWidth()));
    return CRect(0, 0, width, getDimension().getHeight());
}

void CProgressBar::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CTextLabel::getDescriptors(list);
    list.addElement(new CControlDescriptor("Draw Text", CControlDescriptor::e_boolean));
}

bool CProgressBar::setDescriptor(const CControlDescriptor &descriptor)
{
    if (descriptor.getName() == "Draw Text")
    {
        return descriptor.apply<CBool>([&](const CBool &value) { m_drawText = value.getValue(); });
    }
    return CTextLabel::setDescriptor(descriptor);
}

void CProgressBar::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (descriptor.getName() == "Draw Text")
    {
        descriptor.setValue(new CBool(m_drawText));
        return;
    }
    CTextLabel::fillDescriptor(descriptor);
}

void CProgressBar::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    const CRect bar = getBarArea();
    Graphics::IImage *image = getPrimaryImage();
    if (image && bar.getWidth() > 0)
    {
        const CRect &whole = image->getImageSizeArea();
        const long sourceWidth = std::lround(getValue() * static_cast<double>(whole.getWidth()));
        graphics.drawImage(image, bar, CRect(0, 0, sourceWidth, whole.getHeight()));
    }
    else if (!image && isDefaultDrawing())
    {
        graphics.getBrush()->setColour(getBackgroundColour());
        graphics.fillRectangle(getNormalisedArea());
        graphics.getBrush()->setColour(getFrameColour());
        graphics.fillRectangle(bar);
        graphics.getPen()->setColour(getFrameColour());
        graphics.drawRectangle(getNormalisedArea());
    }
    if (m_drawText)
    {
        graphics.setTextColour(getTextColour());
        graphics.drawText(getPercentageText(), getNormalisedArea(), getFont(), getTextAlignment());
    }
}
} // namespace Orvalite::GUI::Controls
