// The images one state of a scroll bar's thumb is drawn from: a top cap at the
// thumb's start (its left end on a horizontal bar), an end cap at its end, a
// repeat image tiled between them and a thumb (grip) image centred on it.
// Owned by its scroll bar; holds a counted reference to each image.
#pragma once

#include "foundation/mathtools/CRect.h"

namespace Orvalite::GUI::Graphics
{
class CGraphics;
class IImage;
} // namespace Orvalite::GUI::Graphics

namespace Orvalite::GUI::Controls
{
class CScrollBarImages
{
public:
    enum EPart
    {
        e_top,
        e_bottom,
        e_thumb,
        e_repeat,
        e_numberOfParts,
    };

    // The image files a scroll bar looks for beside the skin, one per part.
    static const char *const DEFAULT_FILES[e_numberOfParts];

    CScrollBarImages() = default;
    CScrollBarImages(const CScrollBarImages &) = delete;
    CScrollBarImages &operator=(const CScrollBarImages &) = delete;
    ~CScrollBarImages();

    // The held reference of one part, for the descriptor table.
    Graphics::IImage *&image(EPart part) { return m_images[part]; }
    void setImage(EPart part, Graphics::IImage *image);
    bool isEmpty() const;
    // The default files, found in (or first loaded into) the image manager
    // under their file names, when the manager has a root path to look in.
    void useDefaultFiles();
    // Draws the parts into the thumb's area along the bar's axis; parts
    // without an image are left out.
    void draw(Graphics::CGraphics &graphics, const MathTools::CRect &thumb, bool isVertical) const;

private:
    void drawRepeated(Graphics::CGraphics &graphics, const MathTools::CRect &body, bool isVertical) const;

    Graphics::IImage *m_images[e_numberOfParts] = {};
};
} // namespace Orvalite::GUI::Controls
