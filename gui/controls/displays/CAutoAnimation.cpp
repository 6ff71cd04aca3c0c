#include "gui/controls/displays/CAutoAnimation.h"

#include "gui/graphics/CGraphics.h"
#include "gui/graphics/IImage.h"

#include <algorithm>

namespace Orvalite::GUI::Controls
{
ORVALITE_DEFINE_CLASS_RECORD(CAutoAnimation, "CAutoAnimation", "CAnimation")

CAutoAnimation::CAutoAnimation(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                               Listeners::IActionListener *actionListener)
    : CAnimation(root, uniqueId, area, actionListener), m_timer(*this, [this] { advance(); })
{
    setMouseEnabled(false);
    CControl::setValue(0.0);
}

CDescriptorFields CAutoAnimation::describe() const
{
    // One table serves reading and writing; fill only reads through it.
    auto *self = const_cast<CAutoAnimation *>(this);
    return CDescriptorFields().selection("AnimationStyle", self->m_style, NUMBER_OF_STYLES);
}

void CAutoAnimation::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CAnimation::getDescriptors(list);
    describe().addTo(list);
}

bool CAutoAnimation::setDescriptor(const CControlDescriptor &descriptor)
{
    const CDescriptorFields fields = describe();
    return fields.contains(descriptor) ? fields.apply(descriptor) : CAnimation::setDescriptor(descriptor);
}

void CAutoAnimation::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (!describe().fill(descriptor))
    {
        CAnimation::fillDescriptor(descriptor);
    }
}

void CAutoAnimation::setStyle(long style)
{
    if (style >= 0 && style < NUMBER_OF_STYLES)
    {
        m_style = style;
    }
}

void CAutoAnimation::play(long milliseconds)
{
    const long frames = getFilmStrip().getNumberOfFrames();
    if (!getFilmStrip().getImage() || frames < 2)
    {
        return;
    }
    const bool backwards = m_style == e_backward || m_style == e_backwardLoop;
    m_direction = backwards ? -1 : 1;
    showFrame(backwards ? frames - 1 : 0);
    m_timer.start(milliseconds);
}

void CAutoAnimation::showFrame(long frame)
{
    m_frame = frame;
    const long last = getFilmStrip().getNumberOfFrames() - 1;
    CControl::setValue(last > 0 ? static_cast<double>(frame) / static_cast<double>(last) : 0.0);
    update();
}

void CAutoAnimation::advance()
{
    const long frames = getFilmStrip().getNumberOfFrames();
    if (frames < 2)
    {
        stop();
        return;
    }
    const long last = frames - 1;
    const long frame = std::min(m_frame, last);
    switch (m_style)
    {
    case e_bounce:
        if (frame + m_direction < 0 || frame + m_direction > last)
        {
            m_direction = -m_direction;
        }
        showFrame(frame + m_direction);
        break;
    case e_forwardLoop:
        showFrame((frame + 1) % frames);
        break;
    case e_backwardLoop:
        showFrame((frame + last) % frames);
        break;
    default:
        showFrame(std::clamp(frame + m_direction, 0L, last));
        if (m_frame == (m_direction > 0 ? last : 0))
        {
            stop();
        }
        break;
    }
}

void CAutoAnimation::drawControl(Graphics::CGraphics &graphics)
{
    const Graphics::CFilmStrip &strip = getFilmStrip();
    if (!isEnabled() || !strip.getImage())
    {
        CAnimation::drawControl(graphics);
        return;
    }
    const MathTools::CRect source(0, m_frame * strip.getFrameHeight(), strip.getImage()->getImageSize().getWidth(),
                                  strip.getFrameHeight());
    graphics.drawImage(strip.getImage(), getNormalisedArea(), source);
}
} // namespace Orvalite::GUI::Controls
