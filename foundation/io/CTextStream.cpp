#include "foundation/io/CTextStream.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>

namespace Orvalite::IO
{
ORVALITE_DEFINE_CLASS_RECORD(CTextStream, "CTextStream", "CCountedObject")

namespace
{
// Size of the buffer an object writes its description into.
const long DESCRIPTION_SIZE = 256;
// Decimals of a double or float written in fixed notation.
const int REAL_PRECISION = 20;

long toLong(const char *text)
{
    // strtol clamps to the limits of long where atol's result is undefined.
    return std::strtol(text, nullptr, 10);
}

int toInt(const char *text)
{
    const long value = toLong(text);
    if (value > INT_MAX)
    {
        return INT_MAX;
    }
    return value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

// Converting a double beyond a float's range is undefined, so such a value
// goes to the infinity of its sign, as an IEEE narrowing would.
float toFloat(double value)
{
    if (std::isfinite(value) && std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
    {
        const float infinity = std::numeric_limits<float>::infinity();
        return value > 0 ? infinity : -infinity;
    }
    return static_cast<float>(value);
}
} // namespace

CTextStream::CTextStream(const Basics::CSystemString &path, long mode)
{
    openStream(path, mode);
}

CTextStream::~CTextStream()
{
    closeStream();
}

bool CTextStream::openStream(const Basics::CSystemString &path, long mode)
{
    closeStream();
    m_path = path;
    m_mode = mode;
    if (mode == MODE_WRITE)
    {
        m_output.open(std::filesystem::u8path(path.getString()), std::ios::out | std::ios::trunc);
        m_output.setf(std::ios::fixed | std::ios::showpoint);
        m_output.precision(REAL_PRECISION);
        m_isOpen = m_output.is_open();
    }
    else if (mode == MODE_READ)
    {
        m_input.open(std::filesystem::u8path(path.getString()), std::ios::in | std::ios::binary);
        m_isOpen = m_input.is_open();
        if (m_isOpen)
        {
            noticeEndOfInput();
        }
    }
    return m_isOpen;
}

void CTextStream::closeStream()
{
    if (isWriting())
    {
        m_output.flush();
    }
    m_output.close();
    m_input.close();
    m_output.clear();
    m_input.clear();
    m_hasCarriedCarriageReturn = false;
    m_isOpen = false;
}

void CTextStream::flushStream()
{
    if (isWriting())
    {
        m_output.flush();
    }
}

bool CTextStream::isEndOfStream() const
{
    if (!m_isOpen)
    {
        return true;
    }
    return m_mode == MODE_READ && m_input.eof();
}

CTextStream &CTextStream::operator<<(const char *text)
{
    if (isWriting() && text)
    {
        m_output << text;
        m_output.flush();
    }
    return *this;
}

CTextStream &CTextStream::operator<<(const Basics::CString &text)
{
    return *this << text.getString();
}

CTextStream &CTextStream::operator<<(const Basics::ICountedObject &object)
{
    if (isWriting())
    {
        char description[DESCRIPTION_SIZE] = {};
        object.getObjectDescription(description, DESCRIPTION_SIZE);
        // A description that fills the buffer may come without a terminator.
        description[DESCRIPTION_SIZE - 1] = '\0';
        *this << description;
    }
    return *this;
}

CTextStream &CTextStream::operator<<(bool value)
{
    return *this << (value ? "true" : "false");
}

template <class TValue> CTextStream &CTextStream::writeValue(const TValue &value)
{
    if (isWriting())
    {
        m_output << value;
        m_output.flush();
    }
    return *this;
}

CTextStream &CTextStream::operator<<(long value)
{
    return writeValue(value);
}

CTextStream &CTextStream::operator<<(int value)
{
    return writeValue(value);
}

CTextStream &CTextStream::operator<<(double value)
{
    return writeValue(value);
}

CTextStream &CTextStream::operator<<(float value)
{
    return writeValue(value);
}

void CTextStream::noticeEndOfInput()
{
    if (m_hasCarriedCarriageReturn)
    {
        return;
    }
    std::streambuf *input = m_input.rdbuf();
    if (!m_input.good() || !input || input->sgetc() == std::char_traits<char>::eof())
    {
        m_input.setstate(std::ios::eofbit);
    }
}

// Works on the stream buffer byte by byte so that no byte value (NUL, a lone
// carriage return, binary junk) can stop the reader short of a line feed or
// the end, and every read that returns true has consumed at least one byte.
bool CTextStream::readNextLine()
{
    if (!isReading() || m_input.eof())
    {
        return false;
    }
    using Traits = std::char_traits<char>;
    std::streambuf *input = m_input.rdbuf();
    long length = 0;
    if (m_hasCarriedCarriageReturn)
    {
        m_lineBuffer[length++] = '\r';
        m_hasCarriedCarriageReturn = false;
    }
    for (;;)
    {
        const Traits::int_type next = input->sgetc();
        if (Traits::eq_int_type(next, Traits::eof()))
        {
            break;
        }
        const char character = Traits::to_char_type(next);
        if (character == '\n')
        {
            input->sbumpc();
            break;
        }
        if (character == '\r')
        {
            // One carriage return before the line feed (or the end) belongs to the line end.
            input->sbumpc();
            const Traits::int_type after = input->sgetc();
            if (Traits::eq_int_type(after, Traits::eof()))
            {
                break;
            }
            if (Traits::to_char_type(after) == '\n')
            {
                input->sbumpc();
                break;
            }
            if (length == MAXIMUM_LINE_LENGTH)
            {
                // Already consumed, so it opens the next piece from here.
                m_hasCarriedCarriageReturn = true;
                break;
            }
            m_lineBuffer[length++] = character;
            continue;
        }
        if (length == MAXIMUM_LINE_LENGTH)
        {
            break;
        }
        input->sbumpc();
        m_lineBuffer[length++] = character;
    }
    m_lineBuffer[length] = '\0';
    noticeEndOfInput();
    return true;
}

void CTextStream::readLine(char *buffer, long size)
{
    if (!readNextLine() || !buffer || size < 1)
    {
        return;
    }
    const size_t length = std::min(std::strlen(m_lineBuffer), static_cast<size_t>(size - 1));
    std::memcpy(buffer, m_lineBuffer, length);
    buffer[length] = '\0';
}

CTextStream &CTextStream::operator>>(Basics::CString &text)
{
    if (readNextLine())
    {
        text.setString(m_lineBuffer);
    }
    return *this;
}

CTextStream &CTextStream::operator>>(int &value)
{
    if (readNextLine())
    {
        value = toInt(m_lineBuffer);
    }
    return *this;
}

CTextStream &CTextStream::operator>>(long &value)
{
    if (readNextLine())
    {
        value = toLong(m_lineBuffer);
    }
    return *this;
}

CTextStream &CTextStream::operator>>(double &value)
{
    if (readNextLine())
    {
        value = std::strtod(m_lineBuffer, nullptr);
    }
    return *this;
}

CTextStream &CTextStream::operator>>(float &value)
{
    if (readNextLine())
    {
        value = toFloat(std::strtod(m_lineBuffer, nullptr));
    }
    return *this;
}

CTextStream &CTextStream::operator>>(bool &value)
{
    if (readNextLine())
    {
        value = std::strcmp(m_lineBuffer, "true") == 0;
    }
    return *this;
}
} // namespace Orvalite::IO
