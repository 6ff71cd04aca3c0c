// An off-screen surface: a bitmap of its own in a memory device context, as
// the window's back buffer or an alpha layer. Created by initialise, freed by
// uninitialise or destruction.
#pragma once

#include "foundation/mathtools/CDimension.h"
#include "foundation/mathtools/CRect.h"
#include "gui/basics/CColour.h"
#include "gui/basics/NativeWindowHandle.h"
#include "gui/graphics/CDeviceContext.h"

namespace Orvalite::GUI::Graphics
{
class CNativeImage
{
public:
    CNativeImage() = default;
    CNativeImage(const CNativeImage &) = delete;
    CNativeImage &operator=(const CNativeImage &) = delete;
    virtual ~CNativeImage();

    // Nothing when already created. Otherwise makes a surface of the size,
    // filled with the background colour, in a memory context of its own. A size
    // the bitmap refuses (below 1 or above CBitmap::MAXIMUM_SIDE) leaves it uncreated.
    void initialise(Orvalite::GUI::Basics::NativeWindowHandle windowHandle, CDeviceContext *deviceContext,
                    const MathTools::CDimension &size);
    void uninitialise();

    // The whole of this surface onto or from the other, at the origin; only when both are created.
    void copyTo(CNativeImage &other) const;
    void copyFrom(const CNativeImage &other);
    // Per-pixel-alpha blend of the source box of this surface over the
    // destination box of the other, with constant alpha ⌊alpha × 255⌋ (alpha
    // limited to 0 … 1); only when both are created.
    void alphaBlendTo(CNativeImage &other, const MathTools::CRect &sourceRect, const MathTools::CRect &destinationRect,
                      double alpha) const;

    bool isCreated() const { return m_created; }
    CDeviceContext *getDeviceContext() { return &m_memoryContext; }
    const CBitmap &getBitmap() const { return m_bitmap; }
    const MathTools::CDimension &getSize() const { return m_size; }
    Orvalite::GUI::Basics::NativeWindowHandle getWindowHandle() const { return m_windowHandle; }
    void setBackgroundColour(const Orvalite::GUI::Basics::CColour &colour) { m_backgroundColour = colour; }
    const Orvalite::GUI::Basics::CColour &getBackgroundColour() const { return m_backgroundColour; }

    // ⌊alpha × 255⌋ for alpha limited to 0 … 1 (not-a-number counts as 0).
    static uint32_t constantAlphaOf(double alpha);

private:
    CDeviceContext *m_compatibleContext = nullptr;
    CBitmap m_bitmap;
    CDeviceContext m_memoryContext;
    Orvalite::GUI::Basics::NativeWindowHandle m_windowHandle = 0;
    MathTools::CDimension m_size;
    Orvalite::GUI::Basics::CColour m_backgroundColour;
    bool m_created = false;
};
} // namespace Orvalite::GUI::Graphics
