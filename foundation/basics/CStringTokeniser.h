// Splits a text at a delimiter character. Counting and handing out follow
// different rules: consecutive delimiters count once but hand out an empty
// token, so a caller loops on hasMoreTokens().
#pragma once

#include "foundation/basics/CString.h"

#include <cstdint>

namespace Orvalite::Basics
{
class CStringTokeniser : public CCountedObject
{
public:
    // Texts longer than this are cut to it.
    static constexpr long MAXIMUM_TEXT_LENGTH = 2047;

    // Without a delimiter the delimiter is ',' and the tokens are not counted.
    explicit CStringTokeniser(const char *text);
    explicit CStringTokeniser(const CString &text);
    CStringTokeniser(const CString &text, char delimiter);
    CStringTokeniser(const char *text, char delimiter);

    virtual long countTokens();
    virtual bool hasMoreTokens() const;
    virtual void setDelimiter(char delimiter);
    virtual void setString(const char *text);
    // A new array the caller releases with delete[], or null when no token is left.
    virtual char *nextToken();
    bool nextToken(CString &token);

    ORVALITE_CLASS_RECORD(CStringTokeniser)

private:
    int32_t m_numberOfTokens = 0;
    int32_t m_tokenIndex = 0;
    int32_t m_position = 0;
    char m_text[MAXIMUM_TEXT_LENGTH + 1] = {};
    char m_delimiter = ',';
};
} // namespace Orvalite::Basics
