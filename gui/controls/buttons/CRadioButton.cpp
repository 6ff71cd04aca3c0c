#include "gui/controls/buttons/CRadioButton.h"

#include "gui/controls/buttons/CLatchingButton.h"
#include "gui/events/CActionEvent.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::GUI::Controls
{
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CRadioButton, "CRadioButton", "CControlPanel")

CRadioButton::CRadioButton(IControlRoot *root, long uniqueId, const CRect &area,
                           Listeners::IActionListener *actionListener)
    : CControlPanel(root, uniqueId, area, actionListener)
{
    setButtonCount(DEFAULT_BUTTONS);
}

std::vector<IControl *> CRadioButton::buttons() const
{
    std::vector<IControl *> present;
    std::copy_if(getControls().begin(), getControls().end(), std::back_inserter(present),
                 [](IControl *control) { return control != nullptr; });
    return present;
}

long CRadioButton::getButtonCount() const
{
    return static_cast<long>(buttons().size());
}

void CRadioButton::setButtonCount(long count)
{
    if (count < 1 || count > MAXIMUM_BUTTONS)
    {
        return;
    }
    clearControls();
    for (long index = 0; index < count; ++index)
    {
        addControl(new CLatchingButton(this, index, CRect(0, 0, 0, 0)));
    }
    arrange();
    select(0);
}

void CRadioButton::setAutoArrange(bool arrange)
{
    m_autoArrange = arrange;
    this->arrange();
}

void CRadioButton::setArea(const CRect &area)
{
    CControlPanel::setArea(area);
    arrange();
}

void CRadioButton::arrange()
{
    const std::vector<IControl *> present = buttons();
    if (!m_autoArrange || present.empty())
    {
        return;
    }
    const long count = static_cast<long>(present.size());
    const long width = getDimension().getWidth();
    const long height = getDimension().getHeight();
    const bool row = width > height;
    const long size = std::max(((row ? width : height) - (count - 1) * GAP) / count, 0L);
    for (long index = 0; index < count; ++index)
    {
        const long start = index * (size + GAP);
        present[static_cast<size_t>(index)]->setArea(row ? CRect(start, 0, size, height)
                                                         : CRect(0, start, width, size));
    }
}

void CRadioButton::addControl(IControl *control)
{
    CControlPanel::addControl(control);
    if (control && isControlAttached(control))
    {
        control->registerActionListener(this);
    }
}

void CRadioButton::select(long index)
{
    const std::vector<IControl *> present = buttons();
    const long count = static_cast<long>(present.size());
    if (index < 0 || index >= count)
    {
        return;
    }
    m_selected = index;
    CControl::setValue(count > 1 ? static_cast<double>(index) / static_cast<double>(count - 1) : 0.0);
    for (long button = 0; button < count; ++button)
    {
        present[static_cast<size_t>(button)]->setValue(button == index ? 1.0 : 0.0);
    }
    update();
}

void CRadioButton::setValue(double value)
{
    if (value >= 0.0 && value <= 1.0)
    {
        select(std::lround(value * static_cast<double>(getButtonCount() - 1)));
    }
}

bool CRadioButton::readFromXML(const IO::CXMLNode &node)
{
    clearControls();
    const bool read = CControlPanel::readFromXML(node);
    select(0);
    return read;
}

void CRadioButton::handleActionEvent(const Events::CActionEvent &event)
{
    const std::vector<IControl *> present = buttons();
    const auto found = std::find(present.begin(), present.end(), event.getControl());
    if (found == present.end())
    {
        return;
    }
    const long index = static_cast<long>(found - present.begin());
    select(index);
    if (Listeners::IActionListener *listener = getActionListener())
    {
        Events::CActionEvent ours(this);
        ours.setModifiers(event.isShiftDown(), event.isAltDown(), event.isControlDown());
        ours.setEventType(static_cast<uint32_t>(index));
        listener->handleActionEvent(ours);
    }
}
} // namespace Orvalite::GUI::Controls
