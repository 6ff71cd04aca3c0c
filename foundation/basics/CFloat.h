// A float as a framework object, with safe division and fixed-decimal text.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "foundation/basics/CString.h"

namespace Orvalite::Basics
{
class CFloat : public CCountedObject
{
public:
    CFloat(float value = 0.0f);

    // The text with 2 decimals.
    void getObjectDescription(char *buffer, long size) const override;

    CFloat &operator=(float value);
    bool operator==(float value) const;
    bool operator==(const CFloat &other) const;
    bool operator!=(float value) const;
    bool operator!=(const CFloat &other) const;
    CFloat &operator+=(float value);
    CFloat &operator+=(const CFloat &other);
    CFloat &operator-=(float value);
    CFloat &operator-=(const CFloat &other);
    CFloat &operator*=(float value);
    CFloat &operator*=(const CFloat &other);
    // Division by exactly 0 gives 0.
    CFloat &operator/=(float value);
    CFloat &operator/=(const CFloat &other);
    float getValue() const { return m_value; }
    // Exactly 0.
    bool isZero() const;

    // The value with `digits` decimals: 0.5 with 2 digits is "0.50". The digits
    // are bounded as CDouble's.
    CString toString(long digits) const;

    ORVALITE_CLASS_RECORD(CFloat)

private:
    float m_value;
};
} // namespace Orvalite::Basics
