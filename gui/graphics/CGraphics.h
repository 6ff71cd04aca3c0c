// The drawing context everything in the toolkit paints through: plain
// primitives on a device context (the GDI role) and anti-aliased lines, fills
// and text through an anti-aliased renderer on the same pixels (the GDI+ role),
// with the plain path taken whenever no renderer is available. A window owns
// one and runs one initialise … uninitialise cycle per paint into its back buffer.
#pragma once

#include "foundation/basics/CString.h"
#include "foundation/mathtools/CDimension.h"
#include "foundation/mathtools/CPoint.h"
#include "foundation/mathtools/CPolygon.h"
#include "foundation/mathtools/CRect.h"
#include "gui/basics/CAlphaColour.h"
#include "gui/basics/NativeWindowHandle.h"
#include "gui/graphics/CBrush.h"
#include "gui/graphics/CClip.h"
#include "gui/graphics/CNativeImage.h"
#include "gui/graphics/CPen.h"
#include "gui/graphics/IAntiAliasedRenderer.h"

#include <memory>

namespace Orvalite::GUI::Fonts
{
class CFont;
}

namespace Orvalite::GUI::Graphics
{
class IImage;

class CGraphics
{
public:
    // Without anti-aliasing every operation takes its plain path, as when GDI+ cannot start.
    explicit CGraphics(bool useAntiAliasing = true);
    CGraphics(const CGraphics &) = delete;
    CGraphics &operator=(const CGraphics &) = delete;
    virtual ~CGraphics();

    // With a window handle: draws into a back buffer of the size (made for that
    // window), clipped by getClip(). Without one: draws straight into the given
    // context, with no back buffer and no clip. Pen (1, black) and brush (white)
    // are set up; a new renderer starts with default smoothing.
    void initialise(Orvalite::GUI::Basics::NativeWindowHandle windowHandle, CDeviceContext *deviceContext,
                    const MathTools::CDimension &size);
    // Ends an alpha layer, then lets go of the context and the back buffer's surface.
    void uninitialise();

    CPen *getPen() { return m_pen.get(); }
    CBrush *getBrush() { return m_brush.get(); }
    CClip *getClip() { return m_currentClip; }
    CNativeImage *getNativeImage() { return &m_backBuffer; }
    CDeviceContext *getDeviceContext() const { return m_context; }
    // Whether anti-aliasing started, and whether a renderer is drawing right now.
    bool isAntiAliasingAvailable() const { return m_antiAliasingStarted; }
    bool hasAntiAliasedRenderer() const { return m_renderer != nullptr; }

    void setDrawingOffset(const MathTools::CPoint &offset) { m_drawingOffset = offset; }
    const MathTools::CPoint &getDrawingOffset() const { return m_drawingOffset; }
    // The part that is being repainted, in the coordinates of whoever draws now.
    void setUpdateArea(const MathTools::CRect &area) { m_updateArea = area; }
    const MathTools::CRect &getUpdateArea() const { return m_updateArea; }
    void setTextColour(const Orvalite::GUI::Basics::CAlphaColour &colour) { m_textColour = colour; }
    // 0 high quality, 1 default (no anti-aliasing), 2 anti-alias; other values are only stored.
    void setAntiAliasMode(long mode);
    long getAntiAliasMode() const { return m_antiAliasMode; }

    void drawPixel(const MathTools::CPoint &point);
    // The pen colour over the pixel with weight alpha (0 … 255).
    void drawAlphaPixel(const MathTools::CPoint &point, long alpha);
    void moveTo(const MathTools::CPoint &point);
    void lineTo(const MathTools::CPoint &point);
    void drawLine(const MathTools::CPoint &from, const MathTools::CPoint &to);
    void drawPolyLine(const MathTools::CPolygon &polygon);
    void drawRectangle(const MathTools::CRect &rect);
    void drawRoundedRectangle(const MathTools::CRect &rect, const MathTools::CDimension &roundness);
    void drawArc(const MathTools::CRect &rect, const MathTools::CPoint &start, const MathTools::CPoint &end,
                 bool clockwise);
    void drawEllipse(const MathTools::CRect &rect);
    void drawAntiAliasedLine(const MathTools::CPoint &from, const MathTools::CPoint &to);
    // Fewer than three points draw nothing.
    void drawAntiAliasedPolyLine(const MathTools::CPolygon &polygon);
    void fillRectangle(const MathTools::CRect &rect);
    void fillRoundedRectangle(const MathTools::CRect &rect, const MathTools::CDimension &roundness);
    void fillEllipse(const MathTools::CRect &rect);
    void fillPolygon(const MathTools::CPolygon &polygon);
    void drawFilledBorderedRectangle(const MathTools::CRect &rect);
    void drawRaisedRectangle(const MathTools::CRect &rect);
    void drawSunkenRectangle(const MathTools::CRect &rect);
    void drawGradientRectangle(const MathTools::CRect &rect);
    void drawImage(const IImage *image, const MathTools::CRect &destination, const MathTools::CRect &source);
    void drawAlphaImage(const IImage *image, const MathTools::CRect &destination, const MathTools::CRect &source,
                        double alpha);
    // Without a font the default font is used; alignment values as CTextLayout's.
    void drawText(const ::Orvalite::Basics::CString &text, const MathTools::CRect &area, const Fonts::CFont *font,
                  long alignment);

    // Redirects drawing into a copy of the current surface until endAlphaLayer,
    // which blends it back with the layer's alpha (0 … 1). Nothing while a layer is active.
    void beginAlphaLayer(double alpha);
    void endAlphaLayer();
    bool isAlphaLayerActive() const { return m_alphaLayerActive; }

    // The width and height of one line of text; false without a font or when it
    // cannot be measured.
    static bool getTextExtent(const ::Orvalite::Basics::CString &text, MathTools::CDimension &sizeOut,
                              const Fonts::CFont *font);

private:
    SPixelPoint toDevice(const MathTools::CPoint &point) const;
    SPixelBox toDevice(const MathTools::CRect &rect) const;
    static int32_t saturated(int64_t value);
    std::vector<SPixelPoint> toDevice(const MathTools::CPolygon &polygon) const;
    IAntiAliasedRenderer::SStroke currentStroke() const;
    void drawOpaqueImage(const IImage &image, const MathTools::CRect &destination, const MathTools::CRect &source);
    void drawBevel(const MathTools::CRect &rect, bool raised);
    void drawBevelLine(long fromX, long fromY, long toX, long toY, const Orvalite::GUI::Basics::CAlphaColour &colour);

    std::unique_ptr<CPen> m_pen;
    std::unique_ptr<CBrush> m_brush;
    CNativeImage m_backBuffer;
    CClip m_clip;
    CClip *m_currentClip = &m_clip;
    MathTools::CPoint m_drawingOffset;
    MathTools::CRect m_updateArea;
    MathTools::CDimension m_size;
    Orvalite::GUI::Basics::CAlphaColour m_textColour{0, 0, 0, 255};
    long m_antiAliasMode = 1;
    CDeviceContext *m_context = nullptr;
    bool m_antiAliasingStarted = false;
    std::unique_ptr<IAntiAliasedRenderer> m_renderer;

    bool m_alphaLayerActive = false;
    double m_layerAlpha = 1.0;
    CNativeImage m_layerImage;
    CClip m_layerClip;
    std::unique_ptr<CPen> m_savedPen;
    std::unique_ptr<CBrush> m_savedBrush;
    CDeviceContext *m_savedContext = nullptr;
    std::unique_ptr<IAntiAliasedRenderer> m_savedRenderer;
};
} // namespace Orvalite::GUI::Graphics
