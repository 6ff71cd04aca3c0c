// Writes the LV2 bundle's Turtle from the effect's tables: the manifest, the
// plug-in with its ports (names, ranges, units and defaults from the parameter
// table, defaults from program 0's A half) and a preset per factory program half.
// The build runs it through zelo_lv2_turtle, so the description follows the tables.
#pragma once

#include <ostream>
#include <string>

namespace Zelo::Lv2
{
class CZeloTurtle
{
public:
    CZeloTurtle() = delete;

    static void writeManifest(std::ostream &out);
    static void writePlugin(std::ostream &out);
    static void writePresets(std::ostream &out);

    // A port symbol from a parameter name: lower case, spaces as underscores ("Pan Two" → "pan_two").
    static std::string symbolOf(const char *name);
    // The shortest decimal that reads back as `value` both as a float and as a
    // double narrowed to float, always with a decimal point.
    static std::string formatNumber(float value);
    // The URI of the preset of `program`'s A or B half.
    static std::string presetUri(int program, bool isHalfB);
};
} // namespace Zelo::Lv2
