#include "foundation/basics/CPascalString.h"

#include <algorithm>
#include <cstring>

namespace Orvalite::Basics
{
ORVALITE_DEFINE_CLASS_RECORD(CPascalString, "CPascalString", "CCountedObject")

CPascalString::CPascalString(const char *text, long size) : m_size(std::max(size, 2L))
{
    m_pascalString = new unsigned char[static_cast<size_t>(m_size)]();
    const size_t length = text ? std::min(std::strlen(text), static_cast<size_t>(m_size - 2)) : 0;
    std::memcpy(m_pascalString + 1, text, length);
    m_pascalString[0] = static_cast<unsigned char>(length % 256);
}

CPascalString::CPascalString(const CPascalString &other) : CCountedObject(other), m_size(other.m_size)
{
    m_pascalString = new unsigned char[static_cast<size_t>(m_size)];
    std::memcpy(m_pascalString, other.m_pascalString, static_cast<size_t>(m_size));
}

CPascalString::~CPascalString()
{
    delete[] m_pascalString;
}
} // namespace Orvalite::Basics
