#include "foundation/basics/CString.h"

#include "foundation/basics/CException.h"
#include "foundation/basics/CPascalString.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <vector>

namespace Orvalite::Basics
{
using Exceptions::CException;

ORVALITE_DEFINE_CLASS_RECORD(CString, "CString", "CCountedObject")

namespace
{
const char *const BLANK = " ";
const long PASCAL_BUFFER_SIZE = 256;
const long NUMBER_TEXT_SIZE = 256;

#define CSTRING_FUNCTION(name) "Orvalite::Basics::CString::" name

const char *const CONSTRUCTION_CAUGHT = "Caught exception during string construction, more below\n\n";
const char *const CONSTRUCTION_UNKNOWN = "Caught unknown exception during string construction";
const char *const ASSIGNMENT_CAUGHT = "Caught exception during string assignment, more below\n\n";
const char *const ASSIGNMENT_UNKNOWN = "Caught unknown exception during string assignment";
const char *const APPEND_CAUGHT = "Caught exception during string append, more below\n\n";
const char *const APPEND_UNKNOWN = "Caught unknown exception during string append";
const char *const STORING_CAUGHT = "Caught exception during string storing, more below\n\n";
const char *const STORING_UNKNOWN = "Caught unknown exception during string storing";
const char *const REPLACEMENT_CAUGHT = "Caught exception during character replacement, more below\n\n";
const char *const REPLACEMENT_UNKNOWN = "Caught unknown exception during character replacement";

// Formats into a CString, or nothing when the format fails.
bool formatInto(CString &target, const char *format, va_list arguments)
{
    va_list counting;
    va_copy(counting, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, counting);
    va_end(counting);
    if (length < 0)
    {
        return false;
    }
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    std::vsnprintf(buffer.data(), buffer.size(), format, arguments);
    target.setString(buffer.data());
    return true;
}

CString formatted(const char *format, ...) __attribute__((format(printf, 1, 2)));
CString formatted(const char *format, ...)
{
    CString result;
    va_list arguments;
    va_start(arguments, format);
    formatInto(result, format, arguments);
    va_end(arguments);
    return result;
}
} // namespace

CString::CString()
{
    CException::guard(CONSTRUCTION_CAUGHT, CONSTRUCTION_UNKNOWN, CSTRING_FUNCTION("CString"),
                      [&] { storeText(BLANK, 1); });
}

CString::CString(const char *text)
{
    CException::guard(CONSTRUCTION_CAUGHT, CONSTRUCTION_UNKNOWN, CSTRING_FUNCTION("CString"), [&] {
        if (text)
        {
            storeText(text, static_cast<long>(std::strlen(text)));
        }
        else
        {
            storeText(BLANK, 1);
        }
    });
}

CString::CString(const CString &other) : CCountedObject(other)
{
    CException::guard(CONSTRUCTION_CAUGHT, CONSTRUCTION_UNKNOWN, CSTRING_FUNCTION("CString"),
                      [&] { storeText(other.m_string, other.length()); });
}

CString::~CString()
{
    delete[] m_string;
}

void CString::getObjectDescription(char *buffer, long size) const
{
    getString(buffer, size);
}

CString &CString::operator=(bool value)
{
    return *this = value ? "True" : "False";
}

CString &CString::operator=(unsigned long value)
{
    CException::guard(ASSIGNMENT_CAUGHT, ASSIGNMENT_UNKNOWN, CSTRING_FUNCTION("operator ="),
                      [&] { setStringWithFormat("%.3lu", value); });
    return *this;
}

CString &CString::operator=(long value)
{
    CException::guard(ASSIGNMENT_CAUGHT, ASSIGNMENT_UNKNOWN, CSTRING_FUNCTION("operator ="),
                      [&] { setStringWithFormat("%.3li", value); });
    return *this;
}

CString &CString::operator=(float value)
{
    CException::guard(ASSIGNMENT_CAUGHT, ASSIGNMENT_UNKNOWN, CSTRING_FUNCTION("operator ="),
                      [&] { setStringWithFormat("%.3f", static_cast<double>(value)); });
    return *this;
}

CString &CString::operator=(const char *text)
{
    CException::guard(ASSIGNMENT_CAUGHT, ASSIGNMENT_UNKNOWN, CSTRING_FUNCTION("operator ="), [&] { setString(text); });
    return *this;
}

CString &CString::operator=(const CString &other)
{
    if (this != &other && *this != other)
    {
        CException::guard(ASSIGNMENT_CAUGHT, ASSIGNMENT_UNKNOWN, CSTRING_FUNCTION("operator ="),
                          [&] { setString(other); });
    }
    return *this;
}

CString &CString::operator+=(const char *text)
{
    CException::guard(APPEND_CAUGHT, APPEND_UNKNOWN, CSTRING_FUNCTION("operator +="), [&] { appendString(text); });
    return *this;
}

CString &CString::operator+=(const CString &other)
{
    CException::guard(APPEND_CAUGHT, APPEND_UNKNOWN, CSTRING_FUNCTION("operator +="), [&] { appendString(other); });
    return *this;
}

bool CString::operator==(const CString &other) const
{
    return equals(other);
}

bool CString::operator==(const char *text) const
{
    return equals(text);
}

bool CString::operator!=(const CString &other) const
{
    return !equals(other);
}

bool CString::operator!=(const char *text) const
{
    return !equals(text);
}

bool CString::isEmpty() const
{
    return m_numberOfCharacters == 0;
}

char CString::operator[](long index) const
{
    return characterAt(index);
}

CPascalString CString::toPascalString() const
{
    return CPascalString(m_string, PASCAL_BUFFER_SIZE);
}

void CString::setString(const CString &other)
{
    setString(other.m_string);
}

void CString::setString(const char *text)
{
    if (!text)
    {
        return;
    }
    CException::guard(STORING_CAUGHT, STORING_UNKNOWN, CSTRING_FUNCTION("setString"),
                      [&] { storeText(text, static_cast<long>(std::strlen(text))); });
}

void CString::setStringWithFormat(const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    try
    {
        CException::guard("Caught exception during string storing (printf), more below\n\n",
                          "Caught unknown exception during string storing (printf)",
                          CSTRING_FUNCTION("setStringWithFormat"), [&] { formatInto(*this, format, arguments); });
    }
    catch (...)
    {
        va_end(arguments);
        throw;
    }
    va_end(arguments);
}

void CString::appendString(const CString &other)
{
    appendString(other.m_string);
}

void CString::appendString(const char *text)
{
    if (!text)
    {
        return;
    }
    CException::guard(APPEND_CAUGHT, APPEND_UNKNOWN, CSTRING_FUNCTION("appendString"), [&] {
        const long added = static_cast<long>(std::strlen(text));
        char *buffer = new char[static_cast<size_t>(m_numberOfCharacters + added)];
        std::memcpy(buffer, m_string, static_cast<size_t>(length()));
        std::memcpy(buffer + length(), text, static_cast<size_t>(added) + 1);
        delete[] m_string;
        m_string = buffer;
        m_numberOfCharacters += static_cast<int32_t>(added);
    });
}

void CString::appendString(char character)
{
    const char text[2] = {character, '\0'};
    appendString(text);
}

const char *CString::getString() const
{
    return m_string;
}

void CString::getString(char *buffer) const
{
    getString(buffer, 8);
}

void CString::getString(char *buffer, long size) const
{
    if (!buffer || size < 1)
    {
        return;
    }
    std::memset(buffer, 0, static_cast<size_t>(size));
    const long count = size < m_numberOfCharacters ? size - 1 : length();
    std::memcpy(buffer, m_string, static_cast<size_t>(count));
}

CString CString::getSubString(long start, long end) const
{
    return CException::guard("Caught exception during sub string get, more below\n\n",
                             "Caught unknown exception during sub string get", CSTRING_FUNCTION("getSubString"), [&] {
                                 CString result("");
                                 // The copy stops at the terminator, so an end at or past it reaches the end of the
                                 // text.
                                 if (start >= 0 && start <= end && end <= m_numberOfCharacters && start < length())
                                 {
                                     const long last = std::min(end, length() - 1);
                                     result.storeText(m_string + start, last - start + 1);
                                 }
                                 return result;
                             });
}

long CString::getNumberOfCharacters() const
{
    return m_numberOfCharacters;
}

char CString::characterAt(long index) const
{
    return index < 0 || index >= m_numberOfCharacters ? ' ' : m_string[index];
}

void CString::toUpperCase()
{
    std::transform(m_string, m_string + length(), m_string, toUpperCaseCharacter);
}

void CString::toLowerCase()
{
    std::transform(m_string, m_string + length(), m_string, toLowerCaseCharacter);
}

void CString::removeTrailingAndLeadingWhiteSpace()
{
    CException::guard("Caught exception during white space removal, more below\n\n",
                      "Caught unknown exception during white space removal",
                      CSTRING_FUNCTION("removeTrailingAndLeadingWhiteSpace"), [&] {
                          removeLeadingWhiteSpace();
                          removeTrailingWhiteSpace();
                      });
}

void CString::removeLeadingWhiteSpace()
{
    CException::guard("Caught exception during leading white space removal, more below\n\n",
                      "Caught unknown exception during leading white space removal",
                      CSTRING_FUNCTION("removeLeadingWhiteSpace"), [&] {
                          long count = 0;
                          while (count < length() && isWhiteSpace(m_string[count]))
                          {
                              ++count;
                          }
                          setString(getSubString(count, m_numberOfCharacters));
                      });
}

void CString::removeTrailingWhiteSpace()
{
    CException::guard("Caught exception during trailing white space removal, more below\n\n",
                      "Caught unknown exception during trailing white space removal",
                      CSTRING_FUNCTION("removeTrailingWhiteSpace"), [&] {
                          for (long index = length() - 1; index >= 0; --index)
                          {
                              if (!isWhiteSpace(m_string[index]))
                              {
                                  setString(getSubString(0, index));
                                  return;
                              }
                          }
                      });
}

void CString::removeLastCharacter()
{
    CException::guard("Caught exception during removal of last character, more below\n\n",
                      "Caught unknown exception during removal of last character",
                      CSTRING_FUNCTION("removeLastCharacter"), [&] {
                          if (length() >= 1)
                          {
                              storeText(m_string, length() - 1);
                          }
                      });
}

void CString::replaceCharWithChar(char find, char replace)
{
    std::replace(m_string, m_string + length(), find, replace);
}

void CString::replaceCharWithString(char find, const CString &replace)
{
    CException::guard(REPLACEMENT_CAUGHT, REPLACEMENT_UNKNOWN, CSTRING_FUNCTION("replaceCharWithString"), [&] {
        CString result("");
        for (long index = 0; index < length(); ++index)
        {
            if (m_string[index] == find)
            {
                result.appendString(replace);
            }
            else
            {
                result.appendString(m_string[index]);
            }
        }
        setString(result);
    });
}

void CString::replaceStringWithChar(char replace, const CString &find)
{
    // An empty `find`, or one equal to the replacement, would be found again for ever.
    const long findLength = find.length();
    if (findLength == 0 || (findLength == 1 && find.m_string[0] == replace))
    {
        return;
    }
    CException::guard(REPLACEMENT_CAUGHT, REPLACEMENT_UNKNOWN, CSTRING_FUNCTION("replaceStringWithChar"), [&] {
        for (long position = findSubString(find); position != -1; position = findSubString(find))
        {
            CString result = getSubString(0, position - 1);
            result.appendString(replace);
            result.appendString(m_string + position + findLength);
            setString(result);
        }
    });
}

bool CString::equals(const CString &other) const
{
    return equals(other.m_string);
}

bool CString::equals(const char *text) const
{
    return text && std::strcmp(m_string, text) == 0;
}

bool CString::equalsIgnoringCase(const CString &other) const
{
    return equalsIgnoringCase(other.m_string);
}

bool CString::equalsIgnoringCase(const char *text) const
{
    return text && strcasecmp(m_string, text) == 0;
}

long CString::findForward(char character) const
{
    for (long index = 0; index < m_numberOfCharacters; ++index)
    {
        if (m_string[index] == character)
        {
            return index;
        }
    }
    return -1;
}

long CString::findBackwards(char character) const
{
    for (long index = m_numberOfCharacters - 1; index >= 0; --index)
    {
        if (m_string[index] == character)
        {
            return index;
        }
    }
    return -1;
}

long CString::findSubString(const CString &find) const
{
    const long findLength = find.length();
    for (long position = 0; position + findLength <= length(); ++position)
    {
        if (std::memcmp(m_string + position, find.m_string, static_cast<size_t>(findLength)) == 0)
        {
            return position;
        }
    }
    return -1;
}

bool CString::isWhiteSpace(char character)
{
    return character == ' ' || (character >= 9 && character <= 13);
}

CString CString::fromDouble(double value)
{
    return formatted("%.3f", value);
}

CString CString::fromFloat(float value)
{
    return formatted("%.3f", static_cast<double>(value));
}

CString CString::fromInt(int value)
{
    return formatted("%03i", value);
}

CString CString::fromLong(long value)
{
    return formatted("%03li", value);
}

char *CString::floatToText(float value)
{
    char *text = new char[NUMBER_TEXT_SIZE]();
    std::snprintf(text, NUMBER_TEXT_SIZE, "%.3f", static_cast<double>(value));
    return text;
}

char *CString::longToText(long value)
{
    char *text = new char[NUMBER_TEXT_SIZE]();
    std::snprintf(text, NUMBER_TEXT_SIZE, "%.3li", value);
    return text;
}

double CString::toDouble(const char *text)
{
    return text ? std::atof(text) : 0.0;
}

double CString::toDouble(const CString &text)
{
    return toDouble(text.m_string);
}

int CString::toInt(const char *text)
{
    return text ? std::atoi(text) : 0;
}

int CString::toInt(const CString &text)
{
    return toInt(text.m_string);
}

long CString::toLong(const char *text)
{
    return text ? std::atol(text) : 0L;
}

long CString::toLong(const CString &text)
{
    return toLong(text.m_string);
}

char CString::toUpperCaseCharacter(char character)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(character)));
}

char CString::toLowerCaseCharacter(char character)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
}

void CString::storeText(const char *text, long textLength)
{
    char *buffer = new char[static_cast<size_t>(textLength) + 1];
    std::memcpy(buffer, text, static_cast<size_t>(textLength));
    buffer[textLength] = '\0';
    delete[] m_string;
    m_string = buffer;
    m_numberOfCharacters = static_cast<int32_t>(textLength + 1);
}
} // namespace Orvalite::Basics
