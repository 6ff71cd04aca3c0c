#include "gui/controls/displays/CStepLabel.h"

#include "foundation/basics/CBool.h"
#include "gui/controls/base/CControlDescriptor.h"
#include "gui/events/CMouseEvent.h"

#include <cmath>

namespace Orvalite::GUI::Controls
{
using ::Orvalite::Basics::CBool;
using ::Orvalite::Basics::CString;

ORVALITE_DEFINE_CLASS_RECORD(CStepLabel, "CStepLabel", "CTextLabel")

CStepLabel::CStepLabel(IControlRoot *root, long uniqueId, const MathTools::CRect &area, const CString &text)
    : CTextLabel(root, uniqueId, area, text)
{
    setMouseEnabled(true);
    CControl::setValue(0.0);
}

void CStepLabel::setTexts(const std::vector<CString> &texts)
{
    m_texts = texts;
    if (!m_texts.empty())
    {
        show(0);
    }
}

void CStepLabel::show(long step)
{
    const long last = static_cast<long>(m_texts.size()) - 1;
    m_step = step;
    CControl::setValue(last > 0 ? static_cast<double>(step) / static_cast<double>(last) : 0.0);
    setText(m_texts[static_cast<size_t>(step)]);
}

void CStepLabel::setValue(double value)
{
    if (value >= 0.0 && value <= 1.0 && !m_texts.empty())
    {
        show(std::lround(value * static_cast<double>(m_texts.size() - 1)));
    }
}

void CStepLabel::stepBy(long direction)
{
    const long count = static_cast<long>(m_texts.size());
    if (count < 2)
    {
        return;
    }
    long next = m_step + direction;
    if (next < 0 || next >= count)
    {
        next = m_wrap ? (next + count) % count : m_step;
    }
    if (next != m_step)
    {
        show(next);
        fireActionEvent();
    }
}

void CStepLabel::handleLeftButtonDown(const Events::CMouseEvent &)
{
    stepBy(1);
}

void CStepLabel::handleRightButtonDown(const Events::CMouseEvent &)
{
    stepBy(-1);
}

void CStepLabel::handleMouseScroll(const Events::CMouseEvent &event)
{
    if (event.getWheelValue() != 0.0)
    {
        stepBy(event.getWheelValue() > 0.0 ? 1 : -1);
    }
}

void CStepLabel::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CTextLabel::getDescriptors(list);
    list.addElement(new CControlDescriptor("Wrap", CControlDescriptor::e_boolean));
}

bool CStepLabel::setDescriptor(const CControlDescriptor &descriptor)
{
    if (descriptor.getName() == "Wrap")
    {
        return descriptor.apply<CBool>([&](const CBool &value) { m_wrap = value.getValue(); });
    }
    return CTextLabel::setDescriptor(descriptor);
}

void CStepLabel::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (descriptor.getName() == "Wrap")
    {
        descriptor.setValue(new CBool(m_wrap));
        return;
    }
    CTextLabel::fillDescriptor(descriptor);
}
} // namespace Orvalite::GUI::Controls
