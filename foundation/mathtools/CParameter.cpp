#include "foundation/mathtools/CParameter.h"

#include "foundation/basics/CDouble.h"

namespace Orvalite::MathTools
{
ORVALITE_DEFINE_CLASS_RECORD(CParameter, "CParameter", "CCountedObject")

namespace
{
const long DISPLAY_DIGITS = 2;
// Scale of integer normalisation: the top of an integer range maps just below 1.
const double BELOW_ONE = 0.99999;
} // namespace

CParameter::CParameter(double minimum, double maximum, double normalised) : m_minimum(0.0), m_maximum(0.0), m_range(0.0)
{
    setRange(minimum, maximum);
    setNormalisedValue(normalised);
}

void CParameter::setRange(double minimum, double maximum)
{
    // Written so that NaN bounds are refused too.
    if (!(maximum >= minimum))
    {
        return;
    }
    m_minimum = minimum;
    m_maximum = maximum;
    m_range = maximum - minimum;
}

double CParameter::getValue() const
{
    return m_value;
}

void CParameter::getValueAsString(Basics::CString &text) const
{
    text = Basics::CDouble(m_value).toString(DISPLAY_DIGITS);
}

void CParameter::setNormalisedValue(double normalised)
{
    m_value = m_range * normalised + m_minimum;
}

double CParameter::setNormalisedValueAndGet(double normalised)
{
    setNormalisedValue(normalised);
    return getValue();
}

double CParameter::interpolate(double first, double second, double position)
{
    return first + (second - first) * position;
}

double CParameter::normalise(long value, long minimum, long maximum)
{
    if (maximum == minimum)
    {
        return 0.0;
    }
    // Differences are taken in double so that wide long ranges cannot overflow.
    const double span = static_cast<double>(maximum) - static_cast<double>(minimum);
    return BELOW_ONE / span * (static_cast<double>(value) - static_cast<double>(minimum));
}
} // namespace Orvalite::MathTools
