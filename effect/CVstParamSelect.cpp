#include "effect/CVstParamSelect.h"

#include <algorithm>
#include <cmath>

ORVALITE_DEFINE_CLASS_RECORD(CVstParamSelect, "CVstParamSelect", "CVstParam")

namespace
{
// Selections have no unit; hosts show this label beside them.
const char *const NO_UNIT = " ";
} // namespace

CVstParamSelect::CVstParamSelect(const char *name, const char *firstEntry, const char *secondEntry)
    : CVstParam(name, NO_UNIT)
{
    const char *const entries[] = {firstEntry, secondEntry};
    CVstParamSelect::setEntries(2, entries);
}

void CVstParamSelect::setValue(float value)
{
    if (!std::isfinite(value))
    {
        return;
    }
    m_value = value;
    // Clamped while still floating point: a huge value must not reach the int conversion.
    const double lastIndex = std::max(0, m_numberOfEntries - 1);
    const double index = std::trunc(static_cast<double>(m_numberOfEntries) * value);
    m_selectedIndex = static_cast<int32_t>(std::clamp(index, 0.0, lastIndex));
}

void CVstParamSelect::getDisplay(char *text) const
{
    if (!text)
    {
        return;
    }
    if (m_numberOfEntries < 1)
    {
        text[0] = '\0';
        return;
    }
    writeText(text, m_entryNames[m_selectedIndex]);
}

double CVstParamSelect::getRealValue() const
{
    return m_selectedIndex;
}

int CVstParamSelect::getIntValue() const
{
    return m_selectedIndex;
}

void CVstParamSelect::setEntries(int count, const char *const *names)
{
    m_numberOfEntries = std::clamp(count, 0, MAX_ENTRIES);
    for (int index = 0; index < m_numberOfEntries; ++index)
    {
        storeText(m_entryNames[index], names ? names[index] : nullptr);
    }
    setValue(m_value);
}

void CVstParamSelect::setEntryName(int index, const char *name)
{
    if (index >= 0 && index < m_numberOfEntries)
    {
        storeText(m_entryNames[index], name);
    }
}

int CVstParamSelect::setEntryValues(int count, const int *values)
{
    if (count < 1 || !values)
    {
        return 0;
    }
    const int copied = std::min(count, MAX_ENTRIES);
    std::copy(values, values + copied, m_entryValues);
    return copied;
}

int CVstParamSelect::getSelectedEntryValue() const
{
    return m_entryValues[m_selectedIndex];
}
