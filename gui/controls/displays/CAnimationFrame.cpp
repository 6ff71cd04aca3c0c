#include "gui/controls/displays/CAnimationFrame.h"

#include "gui/controls/base/CControlDescriptor.h"
#include "gui/graphics/CGraphics.h"
#include "gui/graphics/CImageManager.h"
#include "gui/graphics/IImage.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::GUI::Controls
{
using MathTools::CRect;
using ::Orvalite::Basics::CString;

ORVALITE_DEFINE_CLASS_RECORD(CAnimationFrame, "CAnimationFrame", "CControl")

CAnimationFrame::CAnimationFrame(IControlRoot *root, long uniqueId, const CRect &area,
                                 Listeners::IActionListener *actionListener)
    : CControl(root, uniqueId, area, actionListener)
{
    setMouseEnabled(false);
    CControl::setValue(0.0);
}

void CAnimationFrame::setAnimation(Graphics::IImage *image, long frameHeight, long numberOfFrames)
{
    setPrimaryImage(image);
    const long imageHeight = image ? image->getImageSize().getHeight() : 0;
    m_frameHeight = frameHeight > 0 ? std::min(frameHeight, imageHeight) : imageHeight;
    m_numberOfFrames = m_frameHeight > 0 ? std::clamp(numberOfFrames, 1L, imageHeight / m_frameHeight) : 1;
    setFrame(m_frame);
}

void CAnimationFrame::setFrame(long frame)
{
    m_frame = std::clamp(frame, 0L, m_numberOfFrames - 1);
    const long last = m_numberOfFrames - 1;
    CControl::setValue(last > 0 ? static_cast<double>(m_frame) / static_cast<double>(last) : 0.0);
    update();
}

void CAnimationFrame::setValue(double value)
{
    if (value >= 0.0 && value <= 1.0)
    {
        setFrame(std::lround(value * static_cast<double>(m_numberOfFrames - 1)));
    }
}

bool CAnimationFrame::setDescriptor(const CControlDescriptor &descriptor)
{
    if (descriptor.getName() != "Primary Image")
    {
        return CControl::setDescriptor(descriptor);
    }
    return descriptor.apply<CString>([&](const CString &name) {
        if (const auto *animation = Graphics::CImageManager::getAnimationReference(name))
        {
            setAnimation(animation->getImage(), animation->getFrameHeight(), animation->getNumberOfFrames());
        }
        else
        {
            setAnimation(Graphics::CImageManager::getImage(name), 0, 1);
        }
    });
}

void CAnimationFrame::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    Graphics::IImage *image = getPrimaryImage();
    if (!image || m_frameHeight <= 0)
    {
        drawPrimaryImage(graphics, isDefaultDrawing());
        return;
    }
    const CRect source(0, m_frame * m_frameHeight, image->getImageSize().getWidth(), m_frameHeight);
    graphics.drawImage(image, getNormalisedArea(), source);
}
} // namespace Orvalite::GUI::Controls
