// A double as a framework object, with safe division and fixed-decimal text.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "foundation/basics/CString.h"

namespace Orvalite::Basics
{
class CDouble : public CCountedObject
{
public:
    // Bound of toString's digits; a count outside 0 … MAXIMUM_DIGITS is clamped to it.
    static constexpr long MAXIMUM_DIGITS = 32;

    CDouble(double value = 0.0);

    // The text with 2 decimals.
    void getObjectDescription(char *buffer, long size) const override;

    CDouble &operator=(double value);
    bool operator==(double value) const;
    bool operator==(const CDouble &other) const;
    bool operator!=(double value) const;
    bool operator!=(const CDouble &other) const;
    CDouble &operator+=(double value);
    CDouble &operator+=(const CDouble &other);
    CDouble &operator-=(double value);
    CDouble &operator-=(const CDouble &other);
    CDouble &operator*=(double value);
    CDouble &operator*=(const CDouble &other);
    // Division by exactly 0 gives 0.
    CDouble &operator/=(double value);
    CDouble &operator/=(const CDouble &other);
    double getValue() const { return m_value; }
    // Exactly 0.
    bool isZero() const;

    // The value with `digits` decimals: 0.5 with 2 digits is "0.50".
    CString toString(long digits) const;

    ORVALITE_CLASS_RECORD(CDouble)

private:
    double m_value;
};
} // namespace Orvalite::Basics
