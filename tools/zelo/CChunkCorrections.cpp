#include "tools/zelo/CChunkCorrections.h"

#include "tools/zelo/CZeloChunk.h"

#include <cstring>
#include <sstream>

namespace Zelo::Tools
{
namespace
{
// Changes named in the line; the rest are counted.
constexpr size_t NAMED_CHANGES = 6;

float wordAt(const std::vector<uint8_t> &bytes, size_t offset)
{
    float value = 0.0f;
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}
} // namespace

CChunkCorrections::CChunkCorrections(CPluginInstance &instance, const std::vector<uint8_t> &given, bool isProgram)
{
    const std::vector<uint8_t> kept = instance.getChunk(isProgram);
    m_isZeloChunk = CZeloChunk::isZeloChunk(instance.effect()->uniqueID, kept);
    if (kept.size() != given.size())
    {
        return;
    }
    for (size_t offset = 0; offset + sizeof(float) <= given.size(); offset += sizeof(float))
    {
        if (std::memcmp(given.data() + offset, kept.data() + offset, sizeof(float)) != 0)
        {
            m_changes.push_back({nameOf(instance, offset, isProgram), wordAt(given, offset), wordAt(kept, offset)});
        }
    }
}

std::string CChunkCorrections::nameOf(CPluginInstance &instance, size_t offset, bool isProgram) const
{
    const std::optional<CZeloChunk::SEntry> entry = m_isZeloChunk ? CZeloChunk::entryAt(offset) : std::nullopt;
    if (!entry)
    {
        return "byte " + std::to_string(offset);
    }
    const std::string program = isProgram ? "" : "program " + std::to_string(entry->record) + " ";
    return program + entry->half + " \"" + instance.parameterName(entry->parameter) + "\"";
}

std::string CChunkCorrections::describe() const
{
    std::ostringstream line;
    line << "the plug-in changed " << m_changes.size() << (m_changes.size() == 1 ? " value" : " values")
         << " as it loaded " << (m_changes.size() == 1 ? "it" : "them") << ":";
    for (size_t index = 0; index < m_changes.size() && index < NAMED_CHANGES; ++index)
    {
        const SChange &change = m_changes[index];
        line << (index == 0 ? " " : "; ") << change.where << " " << change.given << " -> " << change.kept;
    }
    if (m_changes.size() > NAMED_CHANGES)
    {
        line << "; and " << m_changes.size() - NAMED_CHANGES << " more";
    }
    return line.str();
}
} // namespace Zelo::Tools
