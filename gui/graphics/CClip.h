// Clipping of one drawing context: the clip rectangle applied to a native
// image's memory context and, when there is one, to the anti-aliased renderer
// drawing on the same surface.
#pragma once

#include "foundation/mathtools/CRect.h"
#include "gui/graphics/CNativeImage.h"
#include "gui/graphics/IAntiAliasedRenderer.h"

namespace Orvalite::GUI::Graphics
{
class CClip
{
public:
    CClip() = default;
    CClip(const CClip &) = delete;
    CClip &operator=(const CClip &) = delete;
    virtual ~CClip() = default;

    // Throws CException ("Native image is NULL") without a native image. The
    // renderer may be null.
    void initialise(CNativeImage *nativeImage, const MathTools::CRect &fullArea, IAntiAliasedRenderer *renderer);
    // Stores the rectangle and, once initialised, clips both paths to it.
    void setClip(const MathTools::CRect &rect);
    void getClipRect(MathTools::CRect &rectOut) const;
    // Removes an active clip from both paths.
    void clearClip();
    void uninitialise();

    bool isClipActive() const { return m_clipActive; }
    const MathTools::CRect &getFullArea() const { return m_fullArea; }

private:
    bool m_clipActive = false;
    MathTools::CRect m_clipRect;
    MathTools::CRect m_fullArea;
    CNativeImage *m_nativeImage = nullptr;
    bool m_initialised = false;
    IAntiAliasedRenderer *m_renderer = nullptr;
};
} // namespace Orvalite::GUI::Graphics
