#include "foundation/basics/CBool.h"

namespace Orvalite::Basics
{
ORVALITE_DEFINE_CLASS_RECORD(CBool, "CBool", "CCountedObject")

CBool::CBool(bool value) : m_value(value) {}

void CBool::getObjectDescription(char *buffer, long size) const
{
    toString().getString(buffer, size);
}

CBool &CBool::operator=(bool value)
{
    m_value = value;
    return *this;
}

bool CBool::operator==(bool value) const
{
    return m_value == value;
}

bool CBool::operator==(const CBool &other) const
{
    return m_value == other.m_value;
}

bool CBool::operator!=(bool value) const
{
    return m_value != value;
}

bool CBool::operator!=(const CBool &other) const
{
    return m_value != other.m_value;
}

CString CBool::toString() const
{
    return CString(m_value ? "True" : "False");
}

void CBool::toString(CString &text) const
{
    text = m_value;
}
} // namespace Orvalite::Basics
