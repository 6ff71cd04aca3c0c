#include "gui/graphics/CBrush.h"

namespace Orvalite::GUI::Graphics
{
CBrush::~CBrush()
{
    release();
}

void CBrush::initialise(CDeviceContext *deviceContext, const Orvalite::GUI::Basics::CAlphaColour &colour)
{
    release();
    m_deviceContext = deviceContext;
    setColour(colour);
}

void CBrush::setColour(const Orvalite::GUI::Basics::CAlphaColour &colour)
{
    m_colour = colour;
    rebuild();
}

void CBrush::rebuild()
{
    CDeviceContext::SBrush brush;
    brush.colorRef = m_colour.toColorRef();
    select(brush);
}

void CBrush::selectNullBrush()
{
    CDeviceContext::SBrush brush;
    brush.isNull = true;
    select(brush);
}

void CBrush::release()
{
    if (m_deviceContext && m_hasPreviousBrush)
    {
        m_deviceContext->selectBrush(m_previousBrush);
    }
    m_hasPreviousBrush = false;
    m_deviceContext = nullptr;
}

void CBrush::select(const CDeviceContext::SBrush &brush)
{
    if (!m_deviceContext)
    {
        return;
    }
    const CDeviceContext::SBrush previous = m_deviceContext->selectBrush(brush);
    if (!m_hasPreviousBrush)
    {
        m_previousBrush = previous;
        m_hasPreviousBrush = true;
    }
}
} // namespace Orvalite::GUI::Graphics
