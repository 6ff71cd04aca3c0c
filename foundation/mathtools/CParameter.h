// A value inside a real range [minimum, maximum], set through its normalised
// position in that range (0 at the minimum, 1 at the maximum).
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "foundation/basics/CString.h"

namespace Orvalite::MathTools
{
class CParameter : public Basics::CCountedObject
{
public:
    // 0.5 in 0 … 1.
    CParameter() = default;
    // A range with maximum below minimum is not taken and the range stays 0 … 0.
    CParameter(double minimum, double maximum, double normalised);

    // Ignored unless maximum >= minimum; the value is not recomputed.
    virtual void setRange(double minimum, double maximum);
    virtual double getValue() const;
    // The value with two decimals.
    virtual void getValueAsString(Basics::CString &text) const;
    // Not clamped: a position outside 0 … 1 gives a value outside the range.
    virtual void setNormalisedValue(double normalised);
    virtual double setNormalisedValueAndGet(double normalised);

    double getMinimum() const { return m_minimum; }
    double getMaximum() const { return m_maximum; }
    double getRange() const { return m_range; }

    // Linear interpolation: position 0 gives first, 1 gives second.
    static double interpolate(double first, double second, double position);
    // The position of `value` in [minimum, maximum], scaled so that the maximum
    // lands just below 1. An empty range gives 0.
    static double normalise(long value, long minimum, long maximum);

    ORVALITE_CLASS_RECORD(CParameter)

private:
    double m_value = 0.5;
    double m_minimum = 0.0;
    double m_maximum = 1.0;
    double m_range = 1.0;
};
} // namespace Orvalite::MathTools
