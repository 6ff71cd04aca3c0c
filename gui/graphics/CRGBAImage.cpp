#include "gui/graphics/CRGBAImage.h"

#include "foundation/basics/CException.h"
#include "gui/graphics/CDeviceContext.h"
#include "gui/graphics/CGraphics.h"

#include <utility>

namespace Orvalite::GUI::Graphics
{
ORVALITE_DEFINE_CLASS_RECORD(CRGBAImage, "CRGBAImage", "CBaseImage")

CRGBAImage::CRGBAImage() : CBaseImage(true) {}

CRGBAImage::~CRGBAImage()
{
    releaseDrawing();
}

bool CRGBAImage::initialise(long width, long height)
{
    releaseDrawing();
    unloadImage();
    setHasAlpha(true);
    if (!m_surface.create(width, height))
    {
        return fail("Failed to create an RGBA bitmap of that size");
    }
    // Drawing code sizes itself from the image, so the size holds from here on, not only once loaded.
    setImageSize(width, height);
    m_deviceContext = new CDeviceContext(&m_surface);
    m_graphics = new CGraphics;
    m_graphics->initialise(0, m_deviceContext, MathTools::CDimension(width, height));
    return true;
}

bool CRGBAImage::uninitialise()
{
    if (!m_graphics || !m_deviceContext)
    {
        throw Exceptions::CException(Orvalite::Basics::CString("GDI+ Bitmap or context are NULL"),
                                     Orvalite::Basics::CString("CRGBAImage::unintialise()"), true);
    }
    m_graphics->uninitialise();
    releaseDrawing();
    getBitmap() = std::move(m_surface);
    m_surface.destroy();
    if (getBitmap().isEmpty())
    {
        return fail("Failed to get HBITMAP from GDI Bitmap");
    }
    return finishLoad();
}

void CRGBAImage::releaseDrawing()
{
    delete m_graphics;
    delete m_deviceContext;
    m_graphics = nullptr;
    m_deviceContext = nullptr;
}
} // namespace Orvalite::GUI::Graphics
