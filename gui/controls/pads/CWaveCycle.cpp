#include "gui/controls/pads/CWaveCycle.h"

#include "foundation/mathtools/CPolygon.h"
#include "gui/controls/base/IControlRoot.h"
#include "gui/events/CMouseEvent.h"
#include "gui/graphics/CGraphics.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::GUI::Controls
{
using MathTools::CPoint;
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CWaveCycle, "CWaveCycle", "CControl")

namespace
{
constexpr double TWO_PI = 6.283185307179586;
} // namespace

CWaveCycle::CWaveCycle(IControlRoot *root, long uniqueId, const CRect &area, Listeners::IActionListener *actionListener)
    : CControl(root, uniqueId, area, actionListener), m_samples(static_cast<size_t>(DEFAULT_SAMPLES))
{
    setDefaultDrawing(true);
    for (size_t index = 0; index < m_samples.size(); ++index)
    {
        m_samples[index] = static_cast<float>(std::sin(TWO_PI * static_cast<double>(index) / (DEFAULT_SAMPLES - 1)));
    }
}

CDescriptorFields CWaveCycle::describe() const
{
    // One table serves reading and writing; fill only reads through it.
    auto *self = const_cast<CWaveCycle *>(this);
    return CDescriptorFields().colour("Wave Colour", self->m_waveColour).colour("Line Colour", self->m_lineColour);
}

void CWaveCycle::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CControl::getDescriptors(list);
    describe().addTo(list);
}

bool CWaveCycle::setDescriptor(const CControlDescriptor &descriptor)
{
    const CDescriptorFields fields = describe();
    return fields.contains(descriptor) ? fields.apply(descriptor) : CControl::setDescriptor(descriptor);
}

void CWaveCycle::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (!describe().fill(descriptor))
    {
        CControl::fillDescriptor(descriptor);
    }
}

void CWaveCycle::setSamples(const std::vector<float> &samples)
{
    const auto count = static_cast<long>(samples.size());
    if (count < 2 || count > MAXIMUM_SAMPLES)
    {
        return;
    }
    m_samples.resize(samples.size());
    std::transform(samples.begin(), samples.end(), m_samples.begin(),
                   [](float sample) { return std::isnan(sample) ? 0.0f : std::clamp(sample, -1.0f, 1.0f); });
    update();
}

CPoint CWaveCycle::samplePosition(long index) const
{
    const double last = static_cast<double>(m_samples.size() - 1);
    const double width = static_cast<double>(getDimension().getWidth() - 1);
    const double middle = static_cast<double>(getDimension().getHeight() - 1) / 2.0;
    return CPoint(std::lround(static_cast<double>(index) * width / last),
                  std::lround(middle - m_samples[static_cast<size_t>(index)] * middle));
}

double CWaveCycle::valueAt(long y) const
{
    const double middle = static_cast<double>(getDimension().getHeight() - 1) / 2.0;
    return middle > 0.0 ? std::clamp((middle - static_cast<double>(y)) / middle, -1.0, 1.0) : 0.0;
}

double CWaveCycle::indexAt(long x) const
{
    const double width = static_cast<double>(getDimension().getWidth() - 1);
    const double last = static_cast<double>(m_samples.size() - 1);
    return width > 0.0 ? std::clamp(static_cast<double>(x) * last / width, 0.0, last) : 0.0;
}

void CWaveCycle::drawTo(const CPoint &point)
{
    const long x = point.getXPosition();
    const long y = point.getYPosition();
    double from = indexAt(m_lastX);
    double to = indexAt(x);
    double fromValue = valueAt(m_lastY);
    double toValue = valueAt(y);
    if (from > to)
    {
        std::swap(from, to);
        std::swap(fromValue, toValue);
    }
    const auto first = static_cast<long>(std::ceil(from));
    const auto last = static_cast<long>(std::floor(to));
    if (first > last)
    {
        m_samples[static_cast<size_t>(std::lround(to))] = static_cast<float>(valueAt(y));
    }
    for (long index = first; index <= last; ++index)
    {
        const double share = to > from ? (static_cast<double>(index) - from) / (to - from) : 1.0;
        m_samples[static_cast<size_t>(index)] = static_cast<float>(fromValue + (toValue - fromValue) * share);
    }
    m_lastX = x;
    m_lastY = y;
    update();
    fireActionEvent();
}

void CWaveCycle::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    m_isDrawing = true;
    m_lastX = event.getMousePosition().getXPosition();
    m_lastY = event.getMousePosition().getYPosition();
    getControlRoot()->lockControl(this);
    drawTo(event.getMousePosition());
}

void CWaveCycle::handleMouseMovement(const Events::CMouseEvent &event)
{
    if (m_isDrawing)
    {
        drawTo(event.getMousePosition());
    }
}

void CWaveCycle::handleLeftButtonUp(const Events::CMouseEvent &)
{
    m_isDrawing = false;
    getControlRoot()->unlockControl();
}

void CWaveCycle::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    drawPrimaryImage(graphics, isDefaultDrawing());
    const long middle = std::lround(static_cast<double>(getDimension().getHeight() - 1) / 2.0);
    graphics.getPen()->setColour(m_lineColour);
    graphics.drawLine(CPoint(0, middle), CPoint(getDimension().getWidth(), middle));
    const auto count = static_cast<long>(m_samples.size());
    MathTools::CPolygon wave(count);
    for (long index = 0; index < count; ++index)
    {
        wave.setPoint(index, samplePosition(index));
    }
    graphics.getPen()->setColour(m_waveColour);
    graphics.drawPolyLine(wave);
}
} // namespace Orvalite::GUI::Controls
