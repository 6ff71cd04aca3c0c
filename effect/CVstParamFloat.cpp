#include "effect/CVstParamFloat.h"

#include <cfloat>
#include <cmath>

ORVALITE_DEFINE_CLASS_RECORD(CVstParamFloat, "CVstParamFloat", "CVstParam")

namespace
{
// Float parameters switch to exponent notation earlier than the base, keeping
// five-digit values such as 99999 in fixed notation.
const double EXPONENT_DISPLAY_FROM = 100000.0;

// minimum + (maximum - minimum) × value in float arithmetic; when that
// overflows, the same sum in double saturated to the float range.
float mapOntoRange(float minimum, float maximum, float value)
{
    const float real = minimum + (maximum - minimum) * value;
    if (std::isfinite(real))
    {
        return real;
    }
    const double wide = minimum + (static_cast<double>(maximum) - minimum) * value;
    return static_cast<float>(std::fmax(-FLT_MAX, std::fmin(FLT_MAX, wide)));
}
} // namespace

CVstParamFloat::CVstParamFloat(const char *name, const char *label, float minimum, float maximum, float initialReal)
    : CVstParam(name, label), m_minimum(minimum), m_maximum(maximum)
{
    m_realValue = initialReal;
    const float span = maximum - minimum;
    const float normalised = span != 0.0f ? (initialReal - minimum) / span : 0.0f;
    m_value = std::isfinite(normalised) ? normalised : 0.0f;
}

void CVstParamFloat::setValue(float value)
{
    if (!std::isfinite(value))
    {
        return;
    }
    m_value = value;
    m_realValue = mapOntoRange(m_minimum, m_maximum, value);
}

void CVstParamFloat::getDisplay(char *text) const
{
    formatNumber(text, m_realValue, EXPONENT_DISPLAY_FROM, m_showPlus);
}

double CVstParamFloat::getRealValue() const
{
    return m_realValue;
}

int CVstParamFloat::getIntValue() const
{
    return roundToInt(m_realValue);
}

void CVstParamFloat::setRange(float minimum, float maximum)
{
    if (!std::isfinite(minimum) || !std::isfinite(maximum))
    {
        return;
    }
    m_minimum = minimum;
    m_maximum = maximum;
    setValue(m_value);
}
