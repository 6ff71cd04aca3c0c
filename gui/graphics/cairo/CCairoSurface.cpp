#include "gui/graphics/cairo/CCairoSurface.h"

namespace Orvalite::GUI::Graphics
{
CCairoSurface::CCairoSurface(CBitmap &bitmap)
{
    const int width = static_cast<int>(bitmap.getWidth());
    if (bitmap.isEmpty() || cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width) != bitmap.getStride())
    {
        return;
    }
    m_surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char *>(bitmap.getPixels()),
                                                    CAIRO_FORMAT_ARGB32, width, static_cast<int>(bitmap.getHeight()),
                                                    static_cast<int>(bitmap.getStride()));
}

CCairoSurface::~CCairoSurface()
{
    if (m_surface)
    {
        cairo_surface_destroy(m_surface);
    }
}

bool CCairoSurface::isValid() const
{
    return m_surface && cairo_surface_status(m_surface) == CAIRO_STATUS_SUCCESS;
}

void CCairoSurface::beginDrawing()
{
    cairo_surface_mark_dirty(m_surface);
}

void CCairoSurface::endDrawing()
{
    cairo_surface_flush(m_surface);
}
} // namespace Orvalite::GUI::Graphics
