// What `zelo info` prints: a plug-in's identity, pins, latency, parameters and
// programs, all as the plug-in itself reports them through the dispatcher.
#pragma once

#include "tools/host/CPluginInstance.h"

#include <ostream>

namespace Zelo::Tools
{
class CInfoReport
{
public:
    // Reads from an opened instance; displays are those of its current program.
    static void print(CPluginInstance &instance, std::ostream &out);
    // The table of parameters with their names, displays and units.
    static void printParameters(CPluginInstance &instance, std::ostream &out);

    // A unique ID as the four characters it packs, most significant first; '?' for unprintable bytes.
    static std::string fourCharacters(VstInt32 id);
};
} // namespace Zelo::Tools
