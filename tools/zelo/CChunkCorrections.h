// What a plug-in changed in a preset's chunk as it took it in (values out of
// its range that it clamped, for one): every 32-bit word that reads back other
// than it was given. In Zelo's own program records each word is named by its
// program, half and parameter; in any other chunk, by its byte offset.
#pragma once

#include "tools/host/CPluginInstance.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Zelo::Tools
{
class CChunkCorrections
{
public:
    // Compares the chunk the plug-in was given with the one it hands back now.
    CChunkCorrections(CPluginInstance &instance, const std::vector<uint8_t> &given, bool isProgram);

    bool empty() const { return m_changes.empty(); }
    // One line: "changed N values as it loaded them: A "Master" 2 -> 1; …", at most
    // a few named, then how many more.
    std::string describe() const;

private:
    struct SChange
    {
        std::string where;
        float given;
        float kept;
    };

    std::string nameOf(CPluginInstance &instance, size_t offset, bool isProgram) const;

    bool m_isZeloChunk = false;
    std::vector<SChange> m_changes;
};
} // namespace Zelo::Tools
