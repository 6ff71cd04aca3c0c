#include "gui/graphics/CFilmStrip.h"

#include "gui/graphics/CGraphics.h"

#include <cmath>

namespace Orvalite::GUI::Graphics
{
CFilmStrip::~CFilmStrip()
{
    setStrip(nullptr, 0, 0, m_inverted);
}

void CFilmStrip::setStrip(IImage *image, long frameHeight, long numberOfFrames, bool inverted)
{
    if (image)
    {
        image->referenced();
    }
    if (m_image)
    {
        m_image->dereference();
    }
    m_image = image;
    m_frameHeight = frameHeight;
    m_numberOfFrames = numberOfFrames;
    m_inverted = inverted;
    showFrame(0);
}

void CFilmStrip::setValue(double value)
{
    // Written so that a NaN keeps the frame too.
    if (!(value >= 0.0))
    {
        return;
    }
    showFrame(frameIndexFor(value, m_numberOfFrames, m_inverted));
}

long CFilmStrip::frameIndexFor(double value, long numberOfFrames, bool inverted)
{
    if (numberOfFrames < 1 || !std::isfinite(value))
    {
        return 0;
    }
    const double position = std::trunc(static_cast<double>(numberOfFrames - 1) * (inverted ? 1.0 - value : value));
    // Values outside [0, 1] wrap round the strip (by whole strips, so the
    // result is always a frame of the image).
    double index = std::fmod(position, static_cast<double>(numberOfFrames));
    if (index < 0.0)
    {
        index += static_cast<double>(numberOfFrames);
    }
    return static_cast<long>(index);
}

void CFilmStrip::draw(CGraphics &graphics, const MathTools::CRect &area) const
{
    if (m_image && m_image->imageHasLoaded())
    {
        graphics.drawImage(m_image, area, m_sourceRect);
    }
}

void CFilmStrip::showFrame(long frame)
{
    m_currentFrame = frame;
    const long width = m_image ? m_image->getImageSize().getWidth() : 0;
    m_sourceRect.setRect(0, frame * m_frameHeight, width, m_frameHeight);
}
} // namespace Orvalite::GUI::Graphics
