#include "tools/zelo/CChunkCorrections.h"

#include <cstring>
#include <sstream>
#include <utility>

namespace Zelo::Tools
{
namespace
{
// Zelo's chunk: program records of 7228 bytes whose A and B halves of parameter
// values start at bytes 56 and 1080; entries 0 … 22 are its parameters.
constexpr VstInt32 ZELO_ID = ('O' << 24) | ('v' << 16) | ('a' << 8) | '5';
constexpr size_t RECORD_SIZE = 7228;
constexpr size_t HALF_A = 56;
constexpr size_t HALF_B = 1080;
constexpr size_t PARAMETERS = 23;
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
    m_isZeloChunk = instance.effect()->uniqueID == ZELO_ID && kept.size() % RECORD_SIZE == 0;
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
    const size_t inRecord = offset % RECORD_SIZE;
    for (const auto &[start, half] : {std::pair<size_t, const char *>{HALF_A, "A"}, {HALF_B, "B"}})
    {
        if (m_isZeloChunk && inRecord >= start && inRecord < start + PARAMETERS * sizeof(float))
        {
            const auto entry = static_cast<VstInt32>((inRecord - start) / sizeof(float));
            const std::string program = isProgram ? "" : "program " + std::to_string(offset / RECORD_SIZE) + " ";
            return program + half + " \"" + instance.parameterName(entry) + "\"";
        }
    }
    return "byte " + std::to_string(offset);
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
