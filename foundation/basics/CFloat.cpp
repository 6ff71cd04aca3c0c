#include "foundation/basics/CFloat.h"

#include "foundation/basics/CDouble.h"

namespace Orvalite::Basics
{
ORVALITE_DEFINE_CLASS_RECORD(CFloat, "CFloat", "CCountedObject")

namespace
{
const long DESCRIPTION_DIGITS = 2;
} // namespace

CFloat::CFloat(float value) : m_value(value) {}

void CFloat::getObjectDescription(char *buffer, long size) const
{
    toString(DESCRIPTION_DIGITS).getString(buffer, size);
}

CFloat &CFloat::operator=(float value)
{
    m_value = value;
    return *this;
}

bool CFloat::operator==(float value) const
{
    return m_value == value;
}

bool CFloat::operator==(const CFloat &other) const
{
    return m_value == other.m_value;
}

bool CFloat::operator!=(float value) const
{
    return m_value != value;
}

bool CFloat::operator!=(const CFloat &other) const
{
    return m_value != other.m_value;
}

CFloat &CFloat::operator+=(float value)
{
    m_value += value;
    return *this;
}

CFloat &CFloat::operator+=(const CFloat &other)
{
    return *this += other.m_value;
}

CFloat &CFloat::operator-=(float value)
{
    m_value -= value;
    return *this;
}

CFloat &CFloat::operator-=(const CFloat &other)
{
    return *this -= other.m_value;
}

CFloat &CFloat::operator*=(float value)
{
    m_value *= value;
    return *this;
}

CFloat &CFloat::operator*=(const CFloat &other)
{
    return *this *= other.m_value;
}

CFloat &CFloat::operator/=(float value)
{
    m_value = value == 0.0f ? 0.0f : m_value / value;
    return *this;
}

CFloat &CFloat::operator/=(const CFloat &other)
{
    return *this /= other.m_value;
}

bool CFloat::isZero() const
{
    return m_value == 0.0f;
}

CString CFloat::toString(long digits) const
{
    return CDouble(m_value).toString(digits);
}
} // namespace Orvalite::Basics
