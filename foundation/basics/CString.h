// The framework's text type: an owned buffer of 8-bit characters whose stored
// size counts the terminator. A default string holds one blank.
#pragma once

#include "foundation/basics/CCountedObject.h"

#include <cstdint>

namespace Orvalite::Basics
{
class CPascalString;

class CString : public CCountedObject
{
public:
    CString();
    // A null text stores one blank.
    CString(const char *text);
    CString(const CString &other);
    ~CString() override;

    // The text, bounded by `size` as getString(buffer, size).
    void getObjectDescription(char *buffer, long size) const override;

    virtual CString &operator=(bool value);
    virtual CString &operator=(unsigned long value);
    virtual CString &operator=(long value);
    virtual CString &operator=(float value);
    virtual CString &operator=(const char *text);
    CString &operator=(const CString &other);
    virtual CString &operator+=(const char *text);
    virtual CString &operator+=(const CString &other);
    virtual bool operator==(const CString &other) const;
    virtual bool operator==(const char *text) const;
    virtual bool operator!=(const CString &other) const;
    virtual bool operator!=(const char *text) const;
    // True only for a string without buffer; the empty text has one character.
    virtual bool isEmpty() const;
    virtual char operator[](long index) const;
    virtual CPascalString toPascalString() const;

    virtual void setString(const CString &other);
    // A null text leaves the string unchanged.
    virtual void setString(const char *text);
    virtual void setStringWithFormat(const char *format, ...) __attribute__((format(printf, 2, 3)));
    virtual void appendString(const CString &other);
    virtual void appendString(const char *text);
    virtual void appendString(char character);

    // Valid until the string next changes.
    virtual const char *getString() const;
    virtual void getString(char *buffer) const;
    // Copies at most size - 1 characters and a terminator; the rest of the buffer is zeroed.
    virtual void getString(char *buffer, long size) const;
    // Characters start .. end (inclusive), or the empty text when the indices are out of order or range.
    virtual CString getSubString(long start, long end) const;
    // Length of the text + 1.
    virtual long getNumberOfCharacters() const;
    // A blank for an index outside the buffer; the length gives the terminator.
    virtual char characterAt(long index) const;

    virtual void toUpperCase();
    virtual void toLowerCase();
    virtual void removeTrailingAndLeadingWhiteSpace();
    virtual void removeLeadingWhiteSpace();
    virtual void removeTrailingWhiteSpace();
    virtual void removeLastCharacter();
    virtual void replaceCharWithChar(char find, char replace);
    virtual void replaceCharWithString(char find, const CString &replace);
    // Replaces occurrences of `find` by `replace` until none is left.
    virtual void replaceStringWithChar(char replace, const CString &find);

    virtual bool equals(const CString &other) const;
    virtual bool equals(const char *text) const;
    virtual bool equalsIgnoringCase(const CString &other) const;
    virtual bool equalsIgnoringCase(const char *text) const;
    // Searches include the terminator's index; -1 when nothing is found.
    virtual long findForward(char character) const;
    virtual long findBackwards(char character) const;

    long findSubString(const CString &find) const;

    // Blank, tab, line feed, vertical tab, form feed or carriage return.
    static bool isWhiteSpace(char character);
    static CString fromDouble(double value);
    static CString fromFloat(float value);
    static CString fromInt(int value);
    static CString fromLong(long value);
    // New 256-byte arrays that the caller releases with delete[].
    static char *floatToText(float value);
    static char *longToText(long value);
    // Standard runtime conversions; a null text converts to 0.
    static double toDouble(const char *text);
    static double toDouble(const CString &text);
    static int toInt(const char *text);
    static int toInt(const CString &text);
    static long toLong(const char *text);
    static long toLong(const CString &text);
    static char toUpperCaseCharacter(char character);
    static char toLowerCaseCharacter(char character);

    ORVALITE_CLASS_RECORD(CString)

private:
    // Replaces the buffer by a copy of `length` bytes of `text` and a terminator.
    void storeText(const char *text, long length);
    long length() const { return m_numberOfCharacters - 1; }

    char *m_string = nullptr;
    int32_t m_numberOfCharacters = 0;
};
} // namespace Orvalite::Basics
