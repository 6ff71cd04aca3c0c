#include "gui/controls/views/CScrollBarImages.h"

#include "gui/controls/base/CDescriptorFields.h"
#include "gui/graphics/CGraphics.h"
#include "gui/graphics/CImageManager.h"
#include "gui/graphics/IImage.h"

#include <algorithm>

namespace Orvalite::GUI::Controls
{
using Graphics::CImageManager;
using Graphics::IImage;
using MathTools::CRect;

const char *const CScrollBarImages::DEFAULT_FILES[e_numberOfParts] = {
    "ScrollBarTopCap.tga",
    "ScrollBarEndCap.tga",
    "ScrollBarThumb.tga",
    "ScrollBarRepeat.tga",
};

CScrollBarImages::~CScrollBarImages()
{
    for (IImage *&held : m_images)
    {
        CDescriptorFields::replaceImage(held, nullptr);
    }
}

void CScrollBarImages::setImage(EPart part, IImage *image)
{
    CDescriptorFields::replaceImage(m_images[part], image);
}

bool CScrollBarImages::isEmpty() const
{
    return std::all_of(std::begin(m_images), std::end(m_images), [](const IImage *held) { return !held; });
}

void CScrollBarImages::useDefaultFiles()
{
    if (CImageManager::getRootPath() == "")
    {
        return;
    }
    for (long part = 0; part < e_numberOfParts; ++part)
    {
        const char *file = DEFAULT_FILES[part];
        if (!CImageManager::getImage(file))
        {
            CImageManager::addImage(CImageManager::ROOT_FOLDER, file, file);
        }
        setImage(static_cast<EPart>(part), CImageManager::getImage(file));
    }
}

void CScrollBarImages::draw(Graphics::CGraphics &graphics, const CRect &thumb, bool isVertical) const
{
    // Caps keep their length along the axis and take the thumb's breadth.
    const auto capLength = [&](const IImage *cap) {
        const long length = isVertical ? cap->getImageSize().getHeight() : cap->getImageSize().getWidth();
        return std::min(length, (isVertical ? thumb.getHeight() : thumb.getWidth()) / 2);
    };
    const auto along = [&](long start, long length) {
        return isVertical ? CRect(thumb.getLeft(), start, thumb.getWidth(), length)
                          : CRect(start, thumb.getTop(), length, thumb.getHeight());
    };
    const long start = isVertical ? thumb.getTop() : thumb.getLeft();
    const long end = isVertical ? thumb.getBottom() : thumb.getRight();
    const long head = m_images[e_top] ? capLength(m_images[e_top]) : 0;
    const long tail = m_images[e_bottom] ? capLength(m_images[e_bottom]) : 0;
    drawRepeated(graphics, along(start + head, end - tail - start - head), isVertical);
    if (head > 0)
    {
        graphics.drawImage(m_images[e_top], along(start, head), m_images[e_top]->getImageSizeArea());
    }
    if (tail > 0)
    {
        graphics.drawImage(m_images[e_bottom], along(end - tail, tail), m_images[e_bottom]->getImageSizeArea());
    }
    if (const IImage *grip = m_images[e_thumb])
    {
        const MathTools::CDimension &size = grip->getImageSize();
        const CRect centred(thumb.getCentralXPosition() - size.getWidth() / 2,
                            thumb.getCentralYPosition() - size.getHeight() / 2, size.getWidth(), size.getHeight());
        graphics.drawImage(grip, centred, grip->getImageSizeArea());
    }
}

void CScrollBarImages::drawRepeated(Graphics::CGraphics &graphics, const CRect &body, bool isVertical) const
{
    const IImage *tile = m_images[e_repeat];
    const MathTools::CDimension &size = tile ? tile->getImageSize() : MathTools::CDimension(0, 0);
    const long step = isVertical ? size.getHeight() : size.getWidth();
    if (step <= 0)
    {
        return;
    }
    const long start = isVertical ? body.getTop() : body.getLeft();
    const long end = isVertical ? body.getBottom() : body.getRight();
    for (long at = start; at < end; at += step)
    {
        const long length = std::min(step, end - at);
        const CRect source = isVertical ? CRect(0, 0, size.getWidth(), length) : CRect(0, 0, length, size.getHeight());
        const CRect target = isVertical ? CRect(body.getLeft(), at, body.getWidth(), length)
                                        : CRect(at, body.getTop(), length, body.getHeight());
        graphics.drawImage(tile, target, source);
    }
}
} // namespace Orvalite::GUI::Controls
