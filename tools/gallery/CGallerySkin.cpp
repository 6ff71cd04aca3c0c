#include "tools/gallery/CGallerySkin.h"

#include "gui/graphics/CGraphics.h"
#include "gui/graphics/CRGBAImage.h"
#include "gui/graphics/ImageFactory.h"

#include <cmath>

namespace Zelo::Tools
{
using Orvalite::GUI::Graphics::CRGBAImage;
using Orvalite::GUI::Graphics::IImage;
using Orvalite::MathTools::CRect;

namespace
{
// Where the panel (background.png, 400 × 466) has its header and its wave display.
const CRect HEADER_AREA(0, 0, 240, 54);
const CRect WAVE_DISPLAY_AREA(148, 83, 134, 54);
} // namespace

CGallerySkin::CGallerySkin(const char *folder)
    : m_knob(load(folder, "knob.png")), m_buttonUp(load(folder, "buttonUp.png")),
      m_buttonDown(load(folder, "buttonDown.png")), m_aboutButton(load(folder, "splash_Button.png")),
      m_background(load(folder, "background.png")), m_buttonStrip(stackButtons()),
      m_header(cut(m_background, HEADER_AREA)), m_waveDisplay(cut(m_background, WAVE_DISPLAY_AREA))
{
}

long CGallerySkin::knobFrames() const
{
    const long side = m_knob ? m_knob->getImageSize().getWidth() : 0;
    return side > 0 ? m_knob->getImageSize().getHeight() / side : 0;
}

IImage *CGallerySkin::knobAt(double value)
{
    if (knobFrames() == 0)
    {
        return nullptr;
    }
    const long side = m_knob->getImageSize().getWidth();
    const long frame = std::lround(value * static_cast<double>(knobFrames() - 1));
    return cut(m_knob, CRect(0, frame * side, side, side));
}

void CGallerySkin::wearKnob(Orvalite::GUI::Controls::CAnimation &control, double value) const
{
    if (knobFrames() > 0)
    {
        const long side = m_knob->getImageSize().getWidth();
        control.setArea(CRect(control.getArea().getLeft(), control.getArea().getTop(), side, side));
        control.setAnimation(m_knob, side, knobFrames(), false);
    }
    control.setValue(value);
}

void CGallerySkin::wearButton(Orvalite::GUI::Controls::CButton &button) const
{
    if (m_buttonUp && m_buttonDown)
    {
        const CRect &area = button.getArea();
        button.setArea(CRect(area.getLeft(), area.getTop(), m_buttonDown->getImageSize().getWidth(),
                             m_buttonDown->getImageSize().getHeight()));
        button.setPrimaryImage(m_buttonDown);
        button.setDownImage(m_buttonUp);
    }
}

IImage *CGallerySkin::load(const char *folder, const char *fileName)
{
    IImage *image = folder ? hold(Orvalite::GUI::Graphics::createImage(folder, fileName)) : nullptr;
    return image && image->imageHasLoaded() ? image : nullptr;
}

IImage *CGallerySkin::cut(const IImage *source, const CRect &area)
{
    if (!source)
    {
        return nullptr;
    }
    auto *image = new CRGBAImage();
    hold(image);
    image->initialise(area.getWidth(), area.getHeight());
    image->getGraphics()->drawImage(source, CRect(0, 0, area.getWidth(), area.getHeight()), area);
    image->uninitialise();
    return image;
}

IImage *CGallerySkin::stackButtons()
{
    if (!m_buttonUp || !m_buttonDown)
    {
        return nullptr;
    }
    const CRect button = m_buttonDown->getImageSizeArea();
    auto *image = new CRGBAImage();
    hold(image);
    image->initialise(button.getWidth(), 2 * button.getHeight());
    image->getGraphics()->drawImage(m_buttonDown, button, button);
    image->getGraphics()->drawImage(m_buttonUp, CRect(0, button.getHeight(), button.getWidth(), button.getHeight()),
                                    button);
    image->uninitialise();
    return image;
}

IImage *CGallerySkin::hold(IImage *image)
{
    if (image)
    {
        m_held.addElement(image);
    }
    return image;
}
} // namespace Zelo::Tools
