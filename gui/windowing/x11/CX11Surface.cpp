#include "gui/windowing/x11/CX11Surface.h"

#include <X11/Xutil.h>

#include <algorithm>

namespace Orvalite::GUI::Windowing
{
namespace
{
Graphics::SPixelBox unionOf(const Graphics::SPixelBox &first, const Graphics::SPixelBox &second)
{
    if (first.isEmpty())
    {
        return second;
    }
    if (second.isEmpty())
    {
        return first;
    }
    return {std::min(first.left, second.left), std::min(first.top, second.top), std::max(first.right, second.right),
            std::max(first.bottom, second.bottom)};
}

int hostByteOrder()
{
    const uint32_t probe = 1;
    return *reinterpret_cast<const unsigned char *>(&probe) == 1 ? LSBFirst : MSBFirst;
}
} // namespace

CX11Surface::~CX11Surface()
{
    destroyImage();
}

bool CX11Surface::suitsVisual(const Visual *visual, int depth)
{
    return (depth == 24 || depth == 32) && visual->c_class == TrueColor && visual->red_mask == 0xFF0000 &&
           visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF;
}

bool CX11Surface::resize(Display *display, Visual *visual, int depth, long width, long height, uint32_t argb)
{
    destroyImage();
    m_damage = {};
    m_paintBox = {};
    if (!m_bitmap.create(width, height))
    {
        return false;
    }
    m_bitmap.fill(argb);
    m_image = XCreateImage(display, visual, static_cast<unsigned int>(depth), ZPixmap, 0,
                           reinterpret_cast<char *>(m_bitmap.getPixels()), static_cast<unsigned int>(width),
                           static_cast<unsigned int>(height), 32, static_cast<int>(m_bitmap.getStride()));
    if (!m_image || m_image->bits_per_pixel != 32)
    {
        destroyImage();
        m_bitmap.destroy();
        return false;
    }
    // The pixels are native 32-bit words; Xlib swaps them for a server of the other order.
    m_image->byte_order = hostByteOrder();
    addDamageAll();
    return true;
}

void CX11Surface::addDamage(const Graphics::SPixelBox &box)
{
    const Graphics::SPixelBox clipped = box.intersectedWith(getBox());
    m_damage = unionOf(m_damage, clipped.isEmpty() ? Graphics::SPixelBox{} : clipped);
}

void CX11Surface::startPaint()
{
    m_paintBox = m_damage;
    m_damage = {};
}

Graphics::CDeviceContext *CX11Surface::beginPaint(Graphics::SPixelBox &updateOut)
{
    updateOut = m_paintBox;
    m_context.removeClip();
    return &m_context;
}

void CX11Surface::endPaint(Display *display, Drawable window, GC gc)
{
    // A box reaching outside the image would be a fatal protocol error.
    const Graphics::SPixelBox box = m_paintBox.intersectedWith(getBox());
    m_paintBox = {};
    if (box.isEmpty() || !m_image)
    {
        return;
    }
    const int left = static_cast<int>(box.left);
    const int top = static_cast<int>(box.top);
    XPutImage(display, window, gc, m_image, left, top, left, top, static_cast<unsigned int>(box.right - box.left),
              static_cast<unsigned int>(box.bottom - box.top));
}

void CX11Surface::destroyImage()
{
    if (m_image)
    {
        // The pixels belong to the bitmap, not to the image.
        m_image->data = nullptr;
        XDestroyImage(m_image);
        m_image = nullptr;
    }
}
} // namespace Orvalite::GUI::Windowing
