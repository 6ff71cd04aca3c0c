// A signed 32-bit integer as a framework object, with checked division and
// zero-padded text.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "foundation/basics/CString.h"

#include <cstdint>

namespace Orvalite::Basics
{
class CLong : public CCountedObject
{
public:
    // Bound of toString's digits; a count outside 0 … MAXIMUM_DIGITS is clamped to it.
    static constexpr long MAXIMUM_DIGITS = 32;

    CLong(long value = 0);

    // The text with 2 digits.
    void getObjectDescription(char *buffer, long size) const override;

    CLong &operator=(long value);
    bool operator==(long value) const;
    bool operator==(const CLong &other) const;
    bool operator!=(long value) const;
    bool operator!=(const CLong &other) const;
    // The arithmetic wraps round at 32 bits.
    CLong &operator+=(long value);
    CLong &operator+=(const CLong &other);
    CLong &operator-=(long value);
    CLong &operator-=(const CLong &other);
    CLong &operator*=(long value);
    CLong &operator*=(const CLong &other);
    // Division by 0 gives 0.
    CLong &operator/=(long value);
    CLong &operator/=(const CLong &other);
    long getValue() const { return m_value; }
    bool isZero() const;

    // The value zero-padded to a width of `digits`: 7 with 2 digits is "07".
    CString toString(long digits) const;

    ORVALITE_CLASS_RECORD(CLong)

private:
    int32_t m_value;
};
} // namespace Orvalite::Basics
