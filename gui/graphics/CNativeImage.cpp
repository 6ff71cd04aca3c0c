#include "gui/graphics/CNativeImage.h"

#include <cmath>

namespace Orvalite::GUI::Graphics
{
CNativeImage::~CNativeImage()
{
    uninitialise();
}

void CNativeImage::initialise(Orvalite::GUI::Basics::NativeWindowHandle windowHandle, CDeviceContext *deviceContext,
                              const MathTools::CDimension &size)
{
    if (m_created || !m_bitmap.create(size.getWidth(), size.getHeight()))
    {
        return;
    }
    m_compatibleContext = deviceContext;
    m_windowHandle = windowHandle;
    m_size = size;
    m_memoryContext = CDeviceContext(&m_bitmap);
    m_bitmap.fill(CDeviceContext::opaquePixel(m_backgroundColour.toColorRef()));
    m_created = true;
}

void CNativeImage::uninitialise()
{
    if (!m_created)
    {
        return;
    }
    m_memoryContext = CDeviceContext();
    m_bitmap.destroy();
    m_compatibleContext = nullptr;
    m_created = false;
}

void CNativeImage::copyTo(CNativeImage &other) const
{
    if (m_created && other.m_created)
    {
        other.m_memoryContext.bitBlt(0, 0, m_size.getWidth(), m_size.getHeight(), m_bitmap, 0, 0);
    }
}

void CNativeImage::copyFrom(const CNativeImage &other)
{
    if (m_created && other.m_created)
    {
        m_memoryContext.bitBlt(0, 0, m_size.getWidth(), m_size.getHeight(), other.m_bitmap, 0, 0);
    }
}

void CNativeImage::alphaBlendTo(CNativeImage &other, const MathTools::CRect &sourceRect,
                                const MathTools::CRect &destinationRect, double alpha) const
{
    if (m_created && other.m_created)
    {
        other.m_memoryContext.alphaBlend(destinationRect.getLeft(), destinationRect.getTop(),
                                         destinationRect.getWidth(), destinationRect.getHeight(), m_bitmap,
                                         sourceRect.getLeft(), sourceRect.getTop(), sourceRect.getWidth(),
                                         sourceRect.getHeight(), constantAlphaOf(alpha));
    }
}

uint32_t CNativeImage::constantAlphaOf(double alpha)
{
    if (!(alpha > 0.0))
    {
        return 0;
    }
    return static_cast<uint32_t>(std::min(alpha, 1.0) * 255.0);
}
} // namespace Orvalite::GUI::Graphics
