#include "gui/controls/displays/CAnimation.h"

#include "foundation/basics/CBool.h"
#include "gui/controls/base/CControlDescriptor.h"
#include "gui/graphics/CGraphics.h"
#include "gui/graphics/IImage.h"

namespace Orvalite::GUI::Controls
{
using ::Orvalite::Basics::CBool;
using ::Orvalite::Basics::CString;

ORVALITE_DEFINE_CLASS_RECORD(CAnimation, "CAnimation", "CControl")

CAnimation::CAnimation(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                       Listeners::IActionListener *actionListener)
    : CControl(root, uniqueId, area, actionListener)
{
}

void CAnimation::setAnimation(Graphics::IImage *image, long frameHeight, long numberOfFrames, bool invert)
{
    if (!image)
    {
        m_strip.setInverted(invert);
        return;
    }
    setPrimaryImage(image);
    m_strip.setStrip(image, frameHeight, numberOfFrames, invert);
}

void CAnimation::setAnimationReference(const Graphics::CImageManager::CAnimationReference *reference, bool invert)
{
    if (reference)
    {
        setAnimation(reference->getImage(), reference->getFrameHeight(), reference->getNumberOfFrames(), invert);
    }
    else
    {
        m_strip.setInverted(invert);
    }
}

void CAnimation::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CControl::getDescriptors(list);
    list.addElement(new CControlDescriptor("Invert", CControlDescriptor::e_boolean));
}

bool CAnimation::setDescriptor(const CControlDescriptor &descriptor)
{
    if (descriptor.getName() == "Invert")
    {
        return descriptor.apply<CBool>([&](const CBool &flag) { m_strip.setInverted(flag.getValue()); });
    }
    if (descriptor.getName() == "Primary Image")
    {
        return descriptor.apply<CString>([&](const CString &name) {
            setAnimationReference(Graphics::CImageManager::getAnimationReference(name), isInverted());
        });
    }
    return CControl::setDescriptor(descriptor);
}

void CAnimation::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (descriptor.getName() == "Invert")
    {
        descriptor.setValue(new CBool(isInverted()));
        return;
    }
    CControl::fillDescriptor(descriptor);
}

void CAnimation::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    if (!m_strip.getImage())
    {
        drawPrimaryImage(graphics, isDefaultDrawing());
        return;
    }
    m_strip.setValue(getValue());
    m_strip.draw(graphics, getNormalisedArea());
}
} // namespace Orvalite::GUI::Controls
