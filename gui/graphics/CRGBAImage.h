// An image the program draws into: initialise makes a surface and a CGraphics
// on it, the caller draws, and uninitialise turns the surface into the image.
#pragma once

#include "gui/graphics/CBaseImage.h"

namespace Orvalite::GUI::Graphics
{
class CDeviceContext;
class CGraphics;

class CRGBAImage : public CBaseImage
{
public:
    CRGBAImage();
    ~CRGBAImage() override;

    long getImageFileFormat() const override { return e_rgbaImage; }

    // Starts drawing on a transparent width × height surface, which is the
    // image's size and size area from now on; false (with a message, the size
    // left empty) for a size no bitmap can have.
    bool initialise(long width, long height);
    // The graphics to draw with between initialise and uninitialise; null otherwise.
    CGraphics *getGraphics() const { return m_graphics; }
    // Ends drawing and makes the surface the image's bitmap; answers the loaded
    // flag. Throws CException when drawing was never started.
    bool uninitialise();

    ORVALITE_CLASS_RECORD(CRGBAImage)

private:
    void releaseDrawing();

    CBitmap m_surface;
    CDeviceContext *m_deviceContext = nullptr;
    CGraphics *m_graphics = nullptr;
};
} // namespace Orvalite::GUI::Graphics
