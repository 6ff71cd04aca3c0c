#include "foundation/basics/CDouble.h"

#include <algorithm>

namespace Orvalite::Basics
{
ORVALITE_DEFINE_CLASS_RECORD(CDouble, "CDouble", "CCountedObject")

namespace
{
const long DESCRIPTION_DIGITS = 2;
} // namespace

CDouble::CDouble(double value) : m_value(value) {}

void CDouble::getObjectDescription(char *buffer, long size) const
{
    toString(DESCRIPTION_DIGITS).getString(buffer, size);
}

CDouble &CDouble::operator=(double value)
{
    m_value = value;
    return *this;
}

bool CDouble::operator==(double value) const
{
    return m_value == value;
}

bool CDouble::operator==(const CDouble &other) const
{
    return m_value == other.m_value;
}

bool CDouble::operator!=(double value) const
{
    return m_value != value;
}

bool CDouble::operator!=(const CDouble &other) const
{
    return m_value != other.m_value;
}

CDouble &CDouble::operator+=(double value)
{
    m_value += value;
    return *this;
}

CDouble &CDouble::operator+=(const CDouble &other)
{
    return *this += other.m_value;
}

CDouble &CDouble::operator-=(double value)
{
    m_value -= value;
    return *this;
}

CDouble &CDouble::operator-=(const CDouble &other)
{
    return *this -= other.m_value;
}

CDouble &CDouble::operator*=(double value)
{
    m_value *= value;
    return *this;
}

CDouble &CDouble::operator*=(const CDouble &other)
{
    return *this *= other.m_value;
}

CDouble &CDouble::operator/=(double value)
{
    m_value = value == 0.0 ? 0.0 : m_value / value;
    return *this;
}

CDouble &CDouble::operator/=(const CDouble &other)
{
    return *this /= other.m_value;
}

bool CDouble::isZero() const
{
    return m_value == 0.0;
}

CString CDouble::toString(long digits) const
{
    CString format;
    format.setStringWithFormat("%%.0%lif", std::clamp(digits, 0L, MAXIMUM_DIGITS));
    CString text;
    text.setStringWithFormat(format.getString(), m_value);
    return text;
}
} // namespace Orvalite::Basics
