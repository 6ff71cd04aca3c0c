#include "gui/basics/Utf8Text.h"

namespace Orvalite::GUI::Basics
{
namespace
{
constexpr uint32_t LARGEST_CODE_POINT = 0x10FFFF;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed sequence at `offset`, 1 for a bad byte.
size_t sequenceLength(const std::string &text, size_t offset)
{
    const auto lead = static_cast<unsigned char>(text[offset]);
    size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
    {
        length = 2;
    }
    else if (lead >= 0xE0 && lead <= 0xEF)
    {
        length = 3;
    }
    else if (lead >= 0xF0 && lead <= 0xF4)
    {
        length = 4;
    }
    if (offset + length > text.size())
    {
        return 1;
    }
    for (size_t index = 1; index < length; ++index)
    {
        if (!isContinuation(static_cast<unsigned char>(text[offset + index])))
        {
            return 1;
        }
    }
    return length;
}
} // namespace

size_t nextCodePointOffset(const std::string &text, size_t offset)
{
    return offset >= text.size() ? text.size() : offset + sequenceLength(text, offset);
}

size_t previousCodePointOffset(const std::string &text, size_t offset)
{
    if (offset == 0 || offset > text.size())
    {
        return offset == 0 ? 0 : text.size();
    }
    // A sequence is at most four bytes: try the starts that could end exactly here.
    for (size_t back = 4; back >= 2; --back)
    {
        if (offset >= back && sequenceLength(text, offset - back) == back)
        {
            return offset - back;
        }
    }
    return offset - 1;
}

size_t countCodePoints(const std::string &text)
{
    size_t count = 0;
    for (size_t offset = 0; offset < text.size(); offset = nextCodePointOffset(text, offset))
    {
        ++count;
    }
    return count;
}

uint32_t codePointAt(const std::string &text, size_t offset)
{
    if (offset >= text.size())
    {
        return 0;
    }
    const size_t length = sequenceLength(text, offset);
    const auto lead = static_cast<unsigned char>(text[offset]);
    if (length == 1)
    {
        return lead;
    }
    uint32_t value = lead & (0x7F >> length);
    for (size_t index = 1; index < length; ++index)
    {
        value = (value << 6) | (static_cast<unsigned char>(text[offset + index]) & 0x3F);
    }
    return value;
}

void appendCodePoint(std::string &text, uint32_t codePoint)
{
    if (codePoint > LARGEST_CODE_POINT || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
    {
        return;
    }
    if (codePoint < 0x80)
    {
        text += static_cast<char>(codePoint);
    }
    else if (codePoint < 0x800)
    {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    else if (codePoint < 0x10000)
    {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    else
    {
        text += static_cast<char>(0xF0 | (codePoint >> 18));
        text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}
} // namespace Orvalite::GUI::Basics
