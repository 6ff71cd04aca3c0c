// A length-prefixed copy of a text for interfaces that want one: byte 0 holds
// the length (modulo 256), then the text and its terminator.
#pragma once

#include "foundation/basics/CCountedObject.h"

namespace Orvalite::Basics
{
class CPascalString : public CCountedObject
{
public:
    // Copies as much of `text` as fits a buffer of `size` bytes (at most size - 2 characters).
    CPascalString(const char *text, long size);
    CPascalString(const CPascalString &other);
    CPascalString &operator=(const CPascalString &) = delete;
    ~CPascalString() override;

    const unsigned char *getPascalString() const { return m_pascalString; }
    long getLength() const { return m_pascalString ? m_pascalString[0] : 0; }
    long getSize() const { return m_size; }

    ORVALITE_CLASS_RECORD(CPascalString)

private:
    unsigned char *m_pascalString = nullptr;
    long m_size = 0;
};
} // namespace Orvalite::Basics
