// A film strip: frames of equal height stacked vertically in one image, frame
// 0 at the top, and the frame a control value selects. Used by CAnimation and
// other frame-based controls; holds a reference to its image.
#pragma once

#include "foundation/mathtools/CRect.h"
#include "gui/graphics/IImage.h"

namespace Orvalite::GUI::Graphics
{
class CGraphics;

class CFilmStrip
{
public:
    CFilmStrip() = default;
    CFilmStrip(const CFilmStrip &) = delete;
    CFilmStrip &operator=(const CFilmStrip &) = delete;
    virtual ~CFilmStrip();

    // Shows frame 0 of `image` (which may be null) from now on.
    void setStrip(IImage *image, long frameHeight, long numberOfFrames, bool inverted);
    void setInverted(bool inverted) { m_inverted = inverted; }
    // Selects the frame for a control value in [0, 1]; a negative (or not a
    // number) value keeps the frame shown.
    void setValue(double value);

    IImage *getImage() const { return m_image; }
    long getFrameHeight() const { return m_frameHeight; }
    long getNumberOfFrames() const { return m_numberOfFrames; }
    bool isInverted() const { return m_inverted; }
    long getCurrentFrame() const { return m_currentFrame; }
    // (0, frame × frame height, image width, frame height).
    const MathTools::CRect &getSourceRect() const { return m_sourceRect; }

    // Draws the current frame over the whole area (stretched when the sizes
    // differ); nothing without a loaded image.
    void draw(CGraphics &graphics, const MathTools::CRect &area) const;

    // Truncation of (frames − 1) × value, or × (1 − value) when inverted,
    // wrapped into 0 … frames − 1; 0 without frames.
    static long frameIndexFor(double value, long numberOfFrames, bool inverted);

private:
    void showFrame(long frame);

    IImage *m_image = nullptr;
    long m_frameHeight = 0;
    long m_numberOfFrames = 0;
    bool m_inverted = false;
    long m_currentFrame = 0;
    MathTools::CRect m_sourceRect;
};
} // namespace Orvalite::GUI::Graphics
