// The GDI role on our own surface: the selected bitmap, pen and brush, the clip
// rectangle and the current position, with GDI's drawing calls. Raster work is
// done by CLineRasteriser, CShapeRasteriser and CBlitter; every write passes
// through this class, which drops pixels outside the clip rectangle and the surface.
// Colours are COLORREFs (0x00BBGGRR); what is drawn is opaque.
#pragma once

#include "gui/graphics/CBitmap.h"
#include "gui/graphics/SPixelBox.h"
#include "gui/graphics/SPixelPoint.h"

#include <cstdint>
#include <vector>

namespace Orvalite::GUI::Graphics
{
class CDeviceContext
{
public:
    // Arc directions as GDI numbers them.
    enum EArcDirection
    {
        e_counterClockwise = 1,
        e_clockwise = 2,
    };

    struct SPen
    {
        bool isNull = false;
        uint32_t colorRef = 0;
        // Pixels; values below 1 draw as 1.
        int32_t width = 1;
    };

    struct SBrush
    {
        bool isNull = false;
        uint32_t colorRef = 0xFFFFFF;
    };

    CDeviceContext() = default;
    explicit CDeviceContext(CBitmap *bitmap) : m_bitmap(bitmap) {}

    // Each select answers what was selected before.
    CBitmap *selectBitmap(CBitmap *bitmap);
    CBitmap *getBitmap() const { return m_bitmap; }
    SPen selectPen(const SPen &pen);
    const SPen &getPen() const { return m_pen; }
    SBrush selectBrush(const SBrush &brush);
    const SBrush &getBrush() const { return m_brush; }

    // Writes outside the clip box are dropped; without one only the surface clips.
    void setClipBox(const SPixelBox &box);
    void removeClip() { m_hasClip = false; }
    bool hasClip() const { return m_hasClip; }
    const SPixelBox &getClipBox() const { return m_clipBox; }
    // The surface within the clip box; empty without a bitmap.
    SPixelBox getWritableBox() const;

    // Pixel access for the raster classes, in premultiplied ARGB. Reads off the
    // surface give 0; writes outside the writable box are dropped.
    uint32_t readPixel(int64_t x, int64_t y) const;
    void writePixel(int64_t x, int64_t y, uint32_t argb);
    // Pixels left … right − 1 of row y.
    void writeSpan(int64_t y, int64_t left, int64_t right, uint32_t argb);
    // Blends an opaque colour over the pixel with weight alpha (0 … 255), exactly rounded.
    void blendPixel(int64_t x, int64_t y, uint32_t colorRef, uint32_t alpha);

    // SetPixelV and GetPixel (0xFFFFFFFF, GDI's CLR_INVALID, off the writable box).
    void setPixel(int32_t x, int32_t y, uint32_t colorRef);
    uint32_t getPixel(int32_t x, int32_t y) const;

    void moveTo(int32_t x, int32_t y);
    SPixelPoint getCurrentPosition() const { return m_position; }
    // A line in the pen from the current position to (x, y), which becomes the
    // current position; the end pixel is not drawn.
    void lineTo(int32_t x, int32_t y);

    // Shapes in the box left … right − 1, top … bottom − 1: outlined with the pen,
    // filled with the brush. With a null pen the fill shrinks by one pixel at the
    // right and bottom, as in GDI. Boxes with right ≤ left or bottom ≤ top draw nothing.
    void rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void roundRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t cornerWidth, int32_t cornerHeight);
    void ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom);
    // The part of the ellipse's outline from the ray towards the start point to
    // the ray towards the end point; equal rays give the whole outline.
    void arc(int32_t left, int32_t top, int32_t right, int32_t bottom, SPixelPoint start, SPixelPoint end,
             EArcDirection direction);
    // Filled in alternate (even-odd) mode, then outlined as a closed figure.
    void polygon(const std::vector<SPixelPoint> &points);
    // The box in the brush, without outline; the right column and bottom row are excluded.
    void fillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const SBrush &brush);

    // Copies width × height pixels from (sourceX, sourceY) of the source.
    void bitBlt(int32_t x, int32_t y, int32_t width, int32_t height, const CBitmap &source, int32_t sourceX,
                int32_t sourceY);
    // Maps the source box onto the destination box, nearest pixel.
    void stretchBlt(int32_t x, int32_t y, int32_t width, int32_t height, const CBitmap &source, int32_t sourceX,
                    int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight);
    // Premultiplied source-over of the source box (stretched when sizes differ),
    // its pixels first scaled by the constant alpha (0 … 255).
    void alphaBlend(int32_t x, int32_t y, int32_t width, int32_t height, const CBitmap &source, int32_t sourceX,
                    int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight, uint32_t constantAlpha);

    // The opaque premultiplied pixel of a COLORREF.
    static uint32_t opaquePixel(uint32_t colorRef);

private:
    CBitmap *m_bitmap = nullptr;
    SPen m_pen;
    SBrush m_brush;
    bool m_hasClip = false;
    SPixelBox m_clipBox;
    SPixelPoint m_position;
};
} // namespace Orvalite::GUI::Graphics
