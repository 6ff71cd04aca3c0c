#include "foundation/mathtools/CDimension.h"

#include "foundation/basics/CString.h"

namespace Orvalite::MathTools
{
ORVALITE_DEFINE_CLASS_RECORD(CDimension, "CDimension", "CCountedObject")

CDimension::CDimension(long width, long height)
{
    setDimension(width, height);
}

CDimension::CDimension(const CDimension &other)
    : CCountedObject(other), m_width(other.m_width), m_height(other.m_height)
{
}

void CDimension::getObjectDescription(char *buffer, long size) const
{
    Basics::CString text;
    text.setStringWithFormat("[%li,%li]", getWidth(), getHeight());
    text.getString(buffer, size);
}

void CDimension::setDimension(long width, long height)
{
    setWidth(width);
    setHeight(height);
}

void CDimension::setWidth(long width)
{
    m_width = static_cast<int32_t>(width);
}

void CDimension::setHeight(long height)
{
    m_height = static_cast<int32_t>(height);
}

CDimension &CDimension::operator=(const CDimension &other)
{
    m_width = other.m_width;
    m_height = other.m_height;
    return *this;
}

bool CDimension::operator==(const CDimension &other) const
{
    return m_width == other.m_width && m_height == other.m_height;
}
} // namespace Orvalite::MathTools
