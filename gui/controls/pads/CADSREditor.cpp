#include "gui/controls/pads/CADSREditor.h"

#include "foundation/mathtools/CPolygon.h"
#include "gui/controls/base/IControlRoot.h"
#include "gui/events/CActionEvent.h"
#include "gui/events/CMouseEvent.h"
#include "gui/graphics/CGraphics.h"
#include "gui/listeners/IActionListener.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::GUI::Controls
{
using MathTools::CPoint;
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CADSREditor, "CADSREditor", "CControl")

namespace
{
constexpr long NUMBER_OF_HANDLES = 4;
} // namespace

CADSREditor::CADSREditor(IControlRoot *root, long uniqueId, const CRect &area,
                         Listeners::IActionListener *actionListener)
    : CControl(root, uniqueId, area, actionListener)
{
    setDefaultDrawing(true);
}

CDescriptorFields CADSREditor::describe() const
{
    // One table serves reading and writing; fill only reads through it.
    auto *self = const_cast<CADSREditor *>(this);
    return CDescriptorFields()
        .colour("Line Colour", self->m_lineColour)
        .colour("Poly Colour", self->m_polyColour)
        .colour("Handle Colour", self->m_handleColour)
        .colour("Sel Handle Colour", self->m_selHandleColour);
}

void CADSREditor::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CControl::getDescriptors(list);
    describe().addTo(list);
}

bool CADSREditor::setDescriptor(const CControlDescriptor &descriptor)
{
    const CDescriptorFields fields = describe();
    return fields.contains(descriptor) ? fields.apply(descriptor) : CControl::setDescriptor(descriptor);
}

void CADSREditor::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (!describe().fill(descriptor))
    {
        CControl::fillDescriptor(descriptor);
    }
}

void CADSREditor::setParameter(long parameter, double value)
{
    if (parameter >= 0 && parameter < NUMBER_OF_PARAMETERS && value >= 0.0 && value <= 1.0)
    {
        m_parameters[parameter] = value;
        update();
    }
}

double CADSREditor::getParameter(long parameter) const
{
    return parameter >= 0 && parameter < NUMBER_OF_PARAMETERS ? m_parameters[parameter] : 0.0;
}

double CADSREditor::quarter() const
{
    return static_cast<double>(getDimension().getWidth() - 1) / NUMBER_OF_HANDLES;
}

double CADSREditor::levelY(double level) const
{
    return (1.0 - level) * static_cast<double>(getDimension().getHeight() - 1);
}

CPoint CADSREditor::getHandlePosition(long handle) const
{
    if (handle < 0 || handle >= NUMBER_OF_HANDLES)
    {
        return CPoint(0, 0);
    }
    const double q = quarter();
    const double ends[NUMBER_OF_HANDLES] = {
        m_parameters[e_attack] * q,
        (m_parameters[e_attack] + m_parameters[e_decay]) * q,
        (m_parameters[e_attack] + m_parameters[e_decay] + 1.0) * q,
        (m_parameters[e_attack] + m_parameters[e_decay] + 1.0 + m_parameters[e_release]) * q,
    };
    const double levels[NUMBER_OF_HANDLES] = {1.0, m_parameters[e_sustain], m_parameters[e_sustain], 0.0};
    return CPoint(std::lround(ends[handle]), std::lround(levelY(levels[handle])));
}

long CADSREditor::handleAt(const CPoint &point) const
{
    for (long handle = NUMBER_OF_HANDLES - 1; handle >= 0; --handle)
    {
        const CPoint centre = getHandlePosition(handle);
        if (std::labs(point.getXPosition() - centre.getXPosition()) <= HANDLE_RADIUS &&
            std::labs(point.getYPosition() - centre.getYPosition()) <= HANDLE_RADIUS)
        {
            return handle;
        }
    }
    return -1;
}

void CADSREditor::change(long parameter, double value)
{
    const double clamped = std::clamp(value, 0.0, 1.0);
    if (clamped == m_parameters[parameter])
    {
        return;
    }
    m_parameters[parameter] = clamped;
    CControl::setValue(clamped);
    update();
    if (Listeners::IActionListener *listener = getActionListener())
    {
        Events::CActionEvent event(this);
        event.setEventType(static_cast<uint32_t>(parameter));
        listener->handleActionEvent(event);
    }
}

void CADSREditor::dragTo(const CPoint &point)
{
    const double q = quarter();
    const double height = static_cast<double>(getDimension().getHeight() - 1);
    if (q <= 0.0)
    {
        return;
    }
    const double x = static_cast<double>(point.getXPosition());
    const double level = height > 0.0 ? 1.0 - static_cast<double>(point.getYPosition()) / height : 0.0;
    switch (m_selected)
    {
    case 0:
        change(e_attack, x / q);
        break;
    case 1:
        change(e_decay, x / q - m_parameters[e_attack]);
        change(e_sustain, level);
        break;
    case 2:
        change(e_sustain, level);
        break;
    default:
        change(e_release, x / q - m_parameters[e_attack] - m_parameters[e_decay] - 1.0);
        break;
    }
}

void CADSREditor::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    m_selected = handleAt(event.getMousePosition());
    m_isDragging = m_selected >= 0;
    if (m_isDragging)
    {
        getControlRoot()->lockControl(this);
    }
    update();
}

void CADSREditor::handleMouseMovement(const Events::CMouseEvent &event)
{
    if (m_isDragging)
    {
        dragTo(event.getMousePosition());
    }
}

void CADSREditor::handleLeftButtonUp(const Events::CMouseEvent &)
{
    if (m_isDragging)
    {
        m_isDragging = false;
        getControlRoot()->unlockControl();
    }
}

void CADSREditor::drawControl(Graphics::CGraphics &graphics)
{
    if (!drawDisabledControl(graphics))
    {
        return;
    }
    drawPrimaryImage(graphics, isDefaultDrawing());
    const long bottom = getDimension().getHeight() - 1;
    MathTools::CPolygon outline(NUMBER_OF_HANDLES + 1);
    outline.setPoint(0, CPoint(0, bottom));
    for (long handle = 0; handle < NUMBER_OF_HANDLES; ++handle)
    {
        outline.setPoint(handle + 1, getHandlePosition(handle));
    }
    graphics.getBrush()->setColour(m_polyColour);
    graphics.fillPolygon(outline);
    graphics.getPen()->setColour(m_lineColour);
    graphics.drawPolyLine(outline);
    for (long handle = 0; handle < NUMBER_OF_HANDLES; ++handle)
    {
        const CPoint centre = getHandlePosition(handle);
        graphics.getBrush()->setColour(handle == m_selected ? m_selHandleColour : m_handleColour);
        graphics.fillRectangle(CRect(centre.getXPosition() - HANDLE_RADIUS, centre.getYPosition() - HANDLE_RADIUS,
                                     2 * HANDLE_RADIUS, 2 * HANDLE_RADIUS));
    }
}
} // namespace Orvalite::GUI::Controls
