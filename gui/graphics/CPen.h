// The pen of a drawing context: width, colour and line cap, selected into one
// device context for plain lines and read by the anti-aliased path. Restores
// the context's previous pen when released.
#pragma once

#include "gui/basics/CAlphaColour.h"
#include "gui/graphics/CDeviceContext.h"

namespace Orvalite::GUI::Graphics
{
class CPen
{
public:
    CPen() = default;
    CPen(const CPen &) = delete;
    CPen &operator=(const CPen &) = delete;
    // Gives the context back its previous pen.
    virtual ~CPen();

    // Selects a solid pen of the current width and colour; the pen that was in
    // the context before this one first selected anything is kept for release.
    virtual void rebuild();
    // Selects the previous pen back and forgets the context.
    virtual void release();

    void initialise(long width, CDeviceContext *deviceContext, const Orvalite::GUI::Basics::CAlphaColour &colour);
    void setWidthAndColour(long width, const Orvalite::GUI::Basics::CAlphaColour &colour);
    void setColour(const Orvalite::GUI::Basics::CAlphaColour &colour);
    // Widths below 1 draw as 1.
    void setWidth(long width);
    // GDI+ cap style for both ends of anti-aliased lines: 0 flat, 1 square, 2 round.
    void setLineCap(long style);
    // Selects a null pen, so plain shapes filled next get no outline.
    void selectNullPen();

    long getWidth() const { return m_width; }
    const Orvalite::GUI::Basics::CAlphaColour &getColour() const { return m_colour; }
    long getLineCap() const { return m_lineCap; }
    CDeviceContext *getDeviceContext() const { return m_deviceContext; }

private:
    void select(const CDeviceContext::SPen &pen);

    CDeviceContext *m_deviceContext = nullptr;
    CDeviceContext::SPen m_previousPen;
    bool m_hasPreviousPen = false;
    long m_width = 1;
    Orvalite::GUI::Basics::CAlphaColour m_colour{0, 0, 0, 255};
    long m_lineCap = 0;
};
} // namespace Orvalite::GUI::Graphics
