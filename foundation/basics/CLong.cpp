#include "foundation/basics/CLong.h"

#include <algorithm>

namespace Orvalite::Basics
{
ORVALITE_DEFINE_CLASS_RECORD(CLong, "CLong", "CCountedObject")

namespace
{
const long DESCRIPTION_DIGITS = 2;

// Results are computed wide and cut back to 32 bits, so that no operation
// overflows (not even the smallest value divided by -1); a long operand counts
// modulo 2^32 like the value.
int32_t wrapped(int64_t value)
{
    return static_cast<int32_t>(value);
}

int64_t operand(long value)
{
    return static_cast<int32_t>(value);
}
} // namespace

CLong::CLong(long value) : m_value(static_cast<int32_t>(value)) {}

void CLong::getObjectDescription(char *buffer, long size) const
{
    toString(DESCRIPTION_DIGITS).getString(buffer, size);
}

CLong &CLong::operator=(long value)
{
    m_value = static_cast<int32_t>(value);
    return *this;
}

bool CLong::operator==(long value) const
{
    return m_value == value;
}

bool CLong::operator==(const CLong &other) const
{
    return m_value == other.m_value;
}

bool CLong::operator!=(long value) const
{
    return m_value != value;
}

bool CLong::operator!=(const CLong &other) const
{
    return m_value != other.m_value;
}

CLong &CLong::operator+=(long value)
{
    m_value = wrapped(m_value + operand(value));
    return *this;
}

CLong &CLong::operator+=(const CLong &other)
{
    return *this += other.getValue();
}

CLong &CLong::operator-=(long value)
{
    m_value = wrapped(m_value - operand(value));
    return *this;
}

CLong &CLong::operator-=(const CLong &other)
{
    return *this -= other.getValue();
}

CLong &CLong::operator*=(long value)
{
    m_value = wrapped(m_value * operand(value));
    return *this;
}

CLong &CLong::operator*=(const CLong &other)
{
    return *this *= other.getValue();
}

CLong &CLong::operator/=(long value)
{
    const int64_t divisor = operand(value);
    m_value = divisor == 0 ? 0 : wrapped(m_value / divisor);
    return *this;
}

CLong &CLong::operator/=(const CLong &other)
{
    return *this /= other.getValue();
}

bool CLong::isZero() const
{
    return m_value == 0;
}

CString CLong::toString(long digits) const
{
    CString format;
    format.setStringWithFormat("%%0%lili", std::clamp(digits, 0L, MAXIMUM_DIGITS));
    CString text;
    text.setStringWithFormat(format.getString(), getValue());
    return text;
}
} // namespace Orvalite::Basics
