#include "tools/zelo/CInfoReport.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iomanip>
#include <string>
#include <vector>

namespace Zelo::Tools
{
std::string CInfoReport::fourCharacters(VstInt32 id)
{
    const auto bits = static_cast<uint32_t>(id);
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
    {
        const auto character = static_cast<unsigned char>((bits >> shift) & 0xFF);
        text += std::isprint(character) != 0 ? static_cast<char>(character) : '?';
    }
    return text;
}

void CInfoReport::print(CPluginInstance &instance, std::ostream &out)
{
    const AEffect &effect = *instance.effect();
    char hexadecimal[16];
    std::snprintf(hexadecimal, sizeof(hexadecimal), "0x%08x", static_cast<unsigned>(effect.uniqueID));

    out << "Plug-in:    " << instance.module().path() << "\n"
        << "Effect:     " << instance.effectName() << "\n"
        << "Vendor:     " << instance.vendorString() << "\n"
        << "Product:    " << instance.productString() << "\n"
        << "Unique ID:  " << fourCharacters(effect.uniqueID) << " (" << hexadecimal << ")\n"
        << "Version:    " << effect.version << "\n"
        << "Inputs:     " << effect.numInputs << "\n"
        << "Outputs:    " << effect.numOutputs << "\n"
        << "Latency:    " << effect.initialDelay << " frames at " << instance.settings().sampleRate << " Hz\n";

    out << "\n";
    printParameters(instance, out);
    out << "\nPrograms: " << effect.numPrograms << "\n" << std::left;
    for (VstInt32 program = 0; program < effect.numPrograms; ++program)
    {
        out << "  " << std::setw(5) << program << instance.programNameIndexed(program) << "\n";
    }
    out << std::right;
}

void CInfoReport::printParameters(CPluginInstance &instance, std::ostream &out)
{
    const AEffect &effect = *instance.effect();
    struct Row
    {
        std::string name, display, label;
    };
    std::vector<Row> rows;
    size_t nameWidth = 4;
    size_t displayWidth = 7;
    for (VstInt32 index = 0; index < effect.numParams; ++index)
    {
        rows.push_back(
            {instance.parameterName(index), instance.parameterDisplay(index), instance.parameterLabel(index)});
        nameWidth = std::max(nameWidth, rows.back().name.size());
        displayWidth = std::max(displayWidth, rows.back().display.size());
    }
    out << "Parameters: " << effect.numParams << "\n";
    out << std::left << "  " << std::setw(5) << "#" << std::setw(static_cast<int>(nameWidth) + 2) << "name"
        << std::setw(static_cast<int>(displayWidth) + 2) << "display"
        << "unit\n";
    for (size_t index = 0; index < rows.size(); ++index)
    {
        out << "  " << std::setw(5) << index << std::setw(static_cast<int>(nameWidth) + 2) << rows[index].name
            << std::setw(static_cast<int>(displayWidth) + 2) << rows[index].display << rows[index].label << "\n";
    }
    out << std::right;
}
} // namespace Zelo::Tools
