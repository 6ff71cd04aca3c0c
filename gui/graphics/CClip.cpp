#include "gui/graphics/CClip.h"

#include "foundation/basics/CException.h"

namespace Orvalite::GUI::Graphics
{
void CClip::initialise(CNativeImage *nativeImage, const MathTools::CRect &fullArea, IAntiAliasedRenderer *renderer)
{
    if (!nativeImage)
    {
        throw Exceptions::CException("Native image is NULL", "Orvalite::GUI::Graphics::CClip::initialise", true);
    }
    m_nativeImage = nativeImage;
    m_renderer = renderer;
    m_fullArea = fullArea;
    m_clipRect = fullArea;
    m_initialised = true;
}

void CClip::setClip(const MathTools::CRect &rect)
{
    m_clipRect = rect;
    if (m_initialised)
    {
        // Edges are taken 64-bit wide, so a rectangle reaching past the 32-bit range still clips correctly.
        const int64_t left = rect.getLeft();
        const int64_t top = rect.getTop();
        m_nativeImage->getDeviceContext()->setClipBox({left, top, left + rect.getWidth(), top + rect.getHeight()});
        if (m_renderer)
        {
            m_renderer->setClip(left, top, rect.getWidth(), rect.getHeight());
        }
    }
    m_clipActive = true;
}

void CClip::getClipRect(MathTools::CRect &rectOut) const
{
    rectOut = m_clipRect;
}

void CClip::clearClip()
{
    if (m_clipActive && m_initialised)
    {
        m_nativeImage->getDeviceContext()->removeClip();
        if (m_renderer)
        {
            m_renderer->resetClip();
        }
    }
    m_clipActive = false;
}

void CClip::uninitialise()
{
    clearClip();
    m_nativeImage = nullptr;
    m_renderer = nullptr;
    m_initialised = false;
}
} // namespace Orvalite::GUI::Graphics
