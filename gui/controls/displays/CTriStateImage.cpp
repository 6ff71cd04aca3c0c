#include "gui/controls/displays/CTriStateImage.h"

#include "gui/graphics/CGraphics.h"
#include "gui/graphics/IImage.h"

#include <cmath>

namespace Orvalite::GUI::Controls
{
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CTriStateImage, "CTriStateImage", "CControl")

namespace
{
// The fill inside the frame when there is no image.
constexpr long FILL_INSET = 2;
} // namespace

CTriStateImage::CTriStateImage(IControlRoot *root, long uniqueId, const CRect &area,
                               Listeners::IActionListener *actionListener)
    : CControl(root, uniqueId, area, actionListener)
{
    setDefaultDrawing(true);
    CControl::setValue(0.0);
}

CTriStateImage::~CTriStateImage()
{
    setImages(nullptr, nullptr, nullptr);
}

void CTriStateImage::setImages(Graphics::IImage *first, Graphics::IImage *second, Graphics::IImage *third)
{
    CDescriptorFields::replaceImage(m_images[0], first);
    CDescriptorFields::replaceImage(m_images[1], second);
    CDescriptorFields::replaceImage(m_images[2], third);
}

CDescriptorFields CTriStateImage::describe() const
{
    // One table serves reading and writing; fill only reads through it.
    auto *self = const_cast<CTriStateImage *>(this);
    return CDescriptorFields()
        .image("Image 1", self->m_images[0])
        .image("Image 2", self->m_images[1])
        .image("Image 3", self->m_images[2]);
}

void CTriStateImage::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CControl::getDescriptors(list);
    describe().addTo(list);
}

bool CTriStateImage::setDescriptor(const CControlDescriptor &descriptor)
{
    const CDescriptorFields fields = describe();
    return fields.contains(descriptor) ? fields.apply(descriptor) : CControl::setDescriptor(descriptor);
}

void CTriStateImage::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (!describe().fill(descriptor))
    {
        CControl::fillDescriptor(descriptor);
    }
}

void CTriStateImage::setValue(double value)
{
    if (value >= 0.0 && value <= 1.0)
    {
        CControl::setValue(value);
        update();
    }
}

long CTriStateImage::getState() const
{
    return std::lround(getValue() * static_cast<double>(NUMBER_OF_STATES - 1));
}

void CTriStateImage::handleLeftButtonDown(const Events::CMouseEvent &)
{
    const long next = (getState() + 1) % NUMBER_OF_STATES;
    setValue(static_cast<double>(next) / static_cast<double>(NUMBER_OF_STATES - 1));
    fireActionEvent();
}

void CTriStateImage::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    const long state = getState();
    if (Graphics::IImage *image = m_images[state])
    {
        graphics.drawImage(image, getNormalisedArea(), image->getImageSizeArea());
        return;
    }
    drawPrimaryImage(graphics, isDefaultDrawing());
    CRect inside(getNormalisedArea());
    inside.inset(FILL_INSET);
    if (inside.getWidth() > 0 && inside.getHeight() > 0)
    {
        inside.setWidth(inside.getWidth() * state / (NUMBER_OF_STATES - 1));
        graphics.getBrush()->setColour(getFrameColour());
        graphics.fillRectangle(inside);
    }
}
} // namespace Orvalite::GUI::Controls
