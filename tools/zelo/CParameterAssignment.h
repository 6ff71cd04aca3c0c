// One "NAME=VALUE" request from the command line: a parameter named as the plug-in
// names it and a value in the units it displays ("Delay One=35", "Sync Audio=On"),
// turned into the parameter's index and normalised value by asking the plug-in.
#pragma once

#include "tools/host/CPluginInstance.h"

#include <string>

namespace Zelo::Tools
{
class CParameterAssignment
{
public:
    struct Resolved
    {
        VstInt32 index = 0;
        // 0 … 1, as setParameter takes it.
        float value = 0.0f;
    };

    // Throws std::invalid_argument when the text has no '=' or no name.
    explicit CParameterAssignment(const std::string &text);

    const std::string &name() const { return m_name; }
    const std::string &value() const { return m_value; }

    // Names match case-insensitively. A parameter whose displays at 0 and 1 are
    // numbers takes a number (its unit may follow) within that range, found from
    // the linear display and checked by reading the display back; any other takes
    // one of its display texts. Throws std::runtime_error naming the parameter and,
    // for a bad value, what it accepts. The instance's parameters are left as found.
    Resolved resolve(CPluginInstance &instance) const;

private:
    Resolved resolveNumber(CPluginInstance &instance, VstInt32 index) const;
    Resolved resolveChoice(CPluginInstance &instance, VstInt32 index) const;

    std::string m_name;
    std::string m_value;
};
} // namespace Zelo::Tools
