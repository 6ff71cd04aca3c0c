#include "gui/fonts/FontText.h"

#include <cstddef>

namespace Orvalite::GUI::Fonts
{
namespace
{
// Length of the UTF-8 sequence starting at `index`, or 0 when it is not valid.
size_t sequenceLength(const std::string &text, size_t index)
{
    const auto lead = static_cast<unsigned char>(text[index]);
    const size_t length = lead < 0x80           ? 1
                          : (lead >> 5) == 0x6  ? 2
                          : (lead >> 4) == 0xE  ? 3
                          : (lead >> 3) == 0x1E ? 4
                                                : 0;
    if (length == 0 || index + length > text.size() || (length == 2 && lead < 0xC2))
    {
        return 0;
    }
    for (size_t next = index + 1; next < index + length; ++next)
    {
        if ((static_cast<unsigned char>(text[next]) & 0xC0) != 0x80)
        {
            return 0;
        }
    }
    return length;
}

bool isValidUtf8(const std::string &text)
{
    for (size_t index = 0; index < text.size();)
    {
        const size_t length = sequenceLength(text, index);
        if (length == 0)
        {
            return false;
        }
        index += length;
    }
    return true;
}

} // namespace

std::string fontTextAsUtf8(const std::string &text)
{
    if (isValidUtf8(text))
    {
        return text;
    }
    std::string converted;
    for (const char character : text)
    {
        const auto code = static_cast<unsigned char>(character);
        if (code < 0x80)
        {
            converted += character;
        }
        else
        {
            converted += static_cast<char>(0xC0 | (code >> 6));
            converted += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return converted;
}
} // namespace Orvalite::GUI::Fonts
