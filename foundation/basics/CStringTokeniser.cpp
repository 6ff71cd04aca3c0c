#include "foundation/basics/CStringTokeniser.h"

#include <cstring>
#include <memory>

namespace Orvalite::Basics
{
ORVALITE_DEFINE_CLASS_RECORD(CStringTokeniser, "CStringTokeniser", "CCountedObject")

CStringTokeniser::CStringTokeniser(const char *text)
{
    setString(text);
}

CStringTokeniser::CStringTokeniser(const CString &text) : CStringTokeniser(text.getString()) {}

CStringTokeniser::CStringTokeniser(const CString &text, char delimiter) : CStringTokeniser(text.getString(), delimiter)
{
}

CStringTokeniser::CStringTokeniser(const char *text, char delimiter) : m_delimiter(delimiter)
{
    setString(text);
    countTokens();
}

long CStringTokeniser::countTokens()
{
    m_numberOfTokens = 0;
    bool atTokenStart = m_text[0] != '_';
    for (const char *character = m_text; *character; ++character)
    {
        if (*character == m_delimiter)
        {
            atTokenStart = true;
        }
        else if (atTokenStart)
        {
            ++m_numberOfTokens;
            atTokenStart = false;
        }
    }
    return m_numberOfTokens;
}

bool CStringTokeniser::hasMoreTokens() const
{
    return m_tokenIndex != m_numberOfTokens;
}

void CStringTokeniser::setDelimiter(char delimiter)
{
    m_delimiter = delimiter;
    m_tokenIndex = 0;
}

void CStringTokeniser::setString(const char *text)
{
    if (text)
    {
        std::memset(m_text, 0, sizeof(m_text));
        std::memcpy(m_text, text, strnlen(text, MAXIMUM_TEXT_LENGTH));
    }
    m_tokenIndex = 0;
}

char *CStringTokeniser::nextToken()
{
    if (!hasMoreTokens())
    {
        return nullptr;
    }
    // A shorter text set after counting may leave the position past its end.
    const int32_t textLength = static_cast<int32_t>(std::strlen(m_text));
    const int32_t start = m_position < textLength ? m_position : textLength;
    int32_t end = start;
    while (end < textLength && m_text[end] != m_delimiter)
    {
        ++end;
    }
    char *token = new char[static_cast<size_t>(end - start) + 1]();
    std::memcpy(token, m_text + start, static_cast<size_t>(end - start));
    m_position = end < textLength ? end + 1 : end;
    ++m_tokenIndex;
    return token;
}

bool CStringTokeniser::nextToken(CString &token)
{
    std::unique_ptr<char[]> text(nextToken());
    if (!text)
    {
        return false;
    }
    token.setString(text.get());
    return true;
}
} // namespace Orvalite::Basics
