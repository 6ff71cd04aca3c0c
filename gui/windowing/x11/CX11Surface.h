// A window's screen surface: the bitmap its paint message draws into, the
// damage waiting for that message, and the XImage that puts the painted box
// on the screen. Owned by the window's SX11Window record.
#pragma once

#include "gui/graphics/CBitmap.h"
#include "gui/graphics/CDeviceContext.h"
#include "gui/graphics/SPixelBox.h"

#include <X11/Xlib.h>

namespace Orvalite::GUI::Windowing
{
class CX11Surface
{
public:
    CX11Surface() = default;
    CX11Surface(const CX11Surface &) = delete;
    CX11Surface &operator=(const CX11Surface &) = delete;
    ~CX11Surface();

    // Whether surfaces can be put to windows of this visual: 24 or 32 bits of
    // true colour with red, green and blue in the bitmap's byte positions.
    static bool suitsVisual(const Visual *visual, int depth);

    // New width × height pixels of `argb`, all damaged; false (and an empty
    // surface) for sizes the bitmap refuses or a visual without 32-bit pixels.
    bool resize(Display *display, Visual *visual, int depth, long width, long height, uint32_t argb);
    long getWidth() const { return m_bitmap.getWidth(); }
    long getHeight() const { return m_bitmap.getHeight(); }
    const Graphics::CBitmap &getBitmap() const { return m_bitmap; }

    // Adds the box (clipped to the surface) to the damage.
    void addDamage(const Graphics::SPixelBox &box);
    void addDamageAll() { addDamage(getBox()); }
    bool hasDamage() const { return !m_damage.isEmpty(); }

    // The damage becomes the box of the paint message about to be sent.
    void startPaint();
    // The context drawing into the surface and the box being painted.
    Graphics::CDeviceContext *beginPaint(Graphics::SPixelBox &updateOut);
    // Puts the painted box on the window; an empty box puts nothing.
    void endPaint(Display *display, Drawable window, GC gc);

private:
    Graphics::SPixelBox getBox() const { return {0, 0, m_bitmap.getWidth(), m_bitmap.getHeight()}; }
    void destroyImage();

    Graphics::CBitmap m_bitmap;
    Graphics::CDeviceContext m_context{&m_bitmap};
    XImage *m_image = nullptr;
    Graphics::SPixelBox m_damage;
    Graphics::SPixelBox m_paintBox;
};
} // namespace Orvalite::GUI::Windowing
