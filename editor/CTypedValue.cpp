#include "editor/CTypedValue.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <iterator>
#include <string>

namespace Orvalite::Veltrix
{
namespace
{
constexpr std::string_view BLANKS = " \t";

std::string_view trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(BLANKS);
    if (first == std::string_view::npos)
    {
        return {};
    }
    return text.substr(first, text.find_last_not_of(BLANKS) - first + 1);
}

bool sameIgnoringCase(std::string_view first, std::string_view second)
{
    return first.size() == second.size() && std::equal(first.begin(), first.end(), second.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}
} // namespace

CTypedValue::CTypedValue(long id)
    : m_definition(findParameterDefinition(static_cast<int>(id))), m_range(readoutRange(id)), m_unit(readoutUnit(id))
{
}

bool CTypedValue::toNormalised(const char *text, double &normalised) const
{
    if (!text || !m_definition)
    {
        return false;
    }
    const std::string_view typed = trimmed(text);
    return m_definition->kind == SParameterDefinition::EKind::Select ? readEntry(typed, normalised)
                                                                     : readNumber(typed, normalised);
}

// The entries split 0 … 1 evenly: the first is 0, the last 1.
bool CTypedValue::readEntry(std::string_view text, double &normalised) const
{
    const size_t count = std::size(m_definition->entries);
    for (size_t entry = 0; entry < count; ++entry)
    {
        if (sameIgnoringCase(text, m_definition->entries[entry]))
        {
            normalised = static_cast<double>(entry) / static_cast<double>(count - 1);
            return true;
        }
    }
    return false;
}

bool CTypedValue::readNumber(std::string_view text, double &normalised) const
{
    // from_chars reads the C locale's numbers whatever the host's locale: a
    // comma is made a point first, and a plus sign skipped.
    std::string number(text.substr(0, text.find_first_not_of("+-0123456789.,eE")));
    if (number.find('.') == std::string::npos)
    {
        std::replace(number.begin(), number.end(), ',', '.');
    }
    const char *start = number.c_str() + (number.size() > 1 && number[0] == '+' ? 1 : 0);
    double real = 0.0;
    const auto [end, error] = std::from_chars(start, number.c_str() + number.size(), real);
    const std::string_view rest = trimmed(text.substr(static_cast<size_t>(end - number.c_str())));
    if (error != std::errc() || end == start || !std::isfinite(real) ||
        !(rest.empty() || sameIgnoringCase(rest, m_unit)))
    {
        return false;
    }
    normalised = normalisedWithin(m_range.minimum, m_range.maximum, real);
    return true;
}
} // namespace Orvalite::Veltrix
