#include "foundation/io/CXMLAttribute.h"

#include <cstdlib>

namespace Orvalite::IO
{
using Basics::CString;

ORVALITE_DEFINE_CLASS_RECORD(CXMLAttribute, "CXMLAttribute", "CCountedObject")

namespace
{
const char *const TRUE_TEXT = "True";
const char *const FALSE_TEXT = "False";
} // namespace

CXMLAttribute::CXMLAttribute(const CString &name, const CString &value) : m_value(value)
{
    setName(name);
}

CXMLAttribute::CXMLAttribute(const CString &name, const char *value)
{
    setName(name);
    setValue(value);
}

CXMLAttribute::CXMLAttribute(const CString &name, bool value) : CXMLAttribute(name, value ? TRUE_TEXT : FALSE_TEXT) {}

CXMLAttribute::CXMLAttribute(const CString &name, double value)
{
    setName(name);
    setValue(value);
}

CXMLAttribute::CXMLAttribute(const CString &name, float value)
{
    setName(name);
    setValue(value);
}

CXMLAttribute::CXMLAttribute(const CString &name, long value)
{
    setName(name);
    setValue(value);
}

CXMLAttribute::CXMLAttribute(const CString &name, int value)
{
    setName(name);
    setValue(value);
}

void CXMLAttribute::setName(const CString &name)
{
    m_name = name;
    m_name.removeTrailingAndLeadingWhiteSpace();
    m_name.replaceCharWithChar(' ', '_');
}

void CXMLAttribute::setValue(const CString &value)
{
    m_value = value;
}

void CXMLAttribute::setValue(const char *value)
{
    m_value.setString(value ? value : "");
}

void CXMLAttribute::setValue(bool value)
{
    m_value.setString(value ? TRUE_TEXT : FALSE_TEXT);
}

void CXMLAttribute::setValue(double value)
{
    m_value.setStringWithFormat("%f", value);
}

void CXMLAttribute::setValue(float value)
{
    m_value.setStringWithFormat("%f", static_cast<double>(value));
}

void CXMLAttribute::setValue(long value)
{
    m_value.setStringWithFormat("%li", value);
}

void CXMLAttribute::setValue(int value)
{
    m_value.setStringWithFormat("%d", value);
}

double CXMLAttribute::getValueAsDouble() const
{
    return std::atof(m_value.getString());
}

float CXMLAttribute::getValueAsFloat() const
{
    return static_cast<float>(std::atof(m_value.getString()));
}

int CXMLAttribute::getValueAsInt() const
{
    return std::atoi(m_value.getString());
}

long CXMLAttribute::getValueAsLong() const
{
    return std::atol(m_value.getString());
}

bool CXMLAttribute::getValueAsBool() const
{
    return m_value.equals(TRUE_TEXT);
}
} // namespace Orvalite::IO
