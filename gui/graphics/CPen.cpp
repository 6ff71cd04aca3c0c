#include "gui/graphics/CPen.h"

#include <algorithm>
#include <cstdint>

namespace Orvalite::GUI::Graphics
{
namespace
{
// Wider pens are drawn at this width, far beyond any surface.
const long MAXIMUM_WIDTH = 2 * CBitmap::MAXIMUM_SIDE;
} // namespace

CPen::~CPen()
{
    release();
}

void CPen::rebuild()
{
    CDeviceContext::SPen pen;
    pen.colorRef = m_colour.toColorRef();
    pen.width = static_cast<int32_t>(m_width);
    select(pen);
}

void CPen::release()
{
    if (m_deviceContext && m_hasPreviousPen)
    {
        m_deviceContext->selectPen(m_previousPen);
    }
    m_hasPreviousPen = false;
    m_deviceContext = nullptr;
}

void CPen::initialise(long width, CDeviceContext *deviceContext, const Orvalite::GUI::Basics::CAlphaColour &colour)
{
    release();
    m_deviceContext = deviceContext;
    setWidth(width);
    m_colour = colour;
    rebuild();
    m_lineCap = 0;
}

void CPen::setWidthAndColour(long width, const Orvalite::GUI::Basics::CAlphaColour &colour)
{
    m_colour = colour;
    setWidth(width);
}

void CPen::setColour(const Orvalite::GUI::Basics::CAlphaColour &colour)
{
    m_colour = colour;
    rebuild();
}

void CPen::setWidth(long width)
{
    m_width = std::clamp(width, 1L, MAXIMUM_WIDTH);
    rebuild();
}

void CPen::setLineCap(long style)
{
    m_lineCap = style;
}

void CPen::selectNullPen()
{
    CDeviceContext::SPen pen;
    pen.isNull = true;
    pen.width = static_cast<int32_t>(m_width);
    select(pen);
}

void CPen::select(const CDeviceContext::SPen &pen)
{
    if (!m_deviceContext)
    {
        return;
    }
    const CDeviceContext::SPen previous = m_deviceContext->selectPen(pen);
    if (!m_hasPreviousPen)
    {
        m_previousPen = previous;
        m_hasPreviousPen = true;
    }
}
} // namespace Orvalite::GUI::Graphics
