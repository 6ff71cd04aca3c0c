// What the user types into a read-out, read in the read-out's own units: a
// number with or without its unit ("50", "50 ms", "-3.5 dB", "12 cents") or
// an entry's name ("on", "Small"); case is ignored and a comma may stand for
// the decimal point. The editor makes one for each value typed.
#pragma once

#include "editor/VeltrixEditorLayout.h"
#include "effect/VeltrixParameterTable.h"

#include <string_view>

namespace Orvalite::Veltrix
{
class CTypedValue
{
public:
    // The values of parameter `id` (0 … 17) as its read-out shows them.
    explicit CTypedValue(long id);

    // The normalised value `text` stands for, clamped to 0 … 1; false, leaving
    // `normalised` as it was, when the text is nothing this parameter takes.
    bool toNormalised(const char *text, double &normalised) const;

private:
    bool readEntry(std::string_view text, double &normalised) const;
    bool readNumber(std::string_view text, double &normalised) const;

    const SParameterDefinition *m_definition;
    SReadoutRange m_range;
    std::string_view m_unit;
};
} // namespace Orvalite::Veltrix
