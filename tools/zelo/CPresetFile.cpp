#include "tools/zelo/CPresetFile.h"

#include "tools/zelo/CReplacedFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace Zelo::Tools
{
namespace
{
// Four-character codes of the file format, stored most significant byte first.
constexpr uint32_t ROOT_MAGIC = 0x43636E4B;              // "CcnK"
constexpr uint32_t PROGRAM_MAGIC = 0x46504368;           // "FPCh"
constexpr uint32_t BANK_MAGIC = 0x46424368;              // "FBCh"
constexpr uint32_t PARAMETER_PROGRAM_MAGIC = 0x4678436B; // "FxCk"
constexpr uint32_t PARAMETER_BANK_MAGIC = 0x4678426B;    // "FxBk"
// Program files are at format version 1; banks at 2, which adds the current program.
constexpr int32_t PROGRAM_FORMAT_VERSION = 1;
constexpr int32_t BANK_FORMAT_VERSION = 2;
// The program name field, terminator included.
constexpr size_t NAME_SIZE = 28;
// Bank files keep 128 bytes after the program count: the current program and 124 zeros.
constexpr size_t BANK_RESERVED_SIZE = 128;
// Magic and byte size, which the byte size does not count.
constexpr size_t ROOT_HEADER_SIZE = 8;
// Everything before the chunk bytes: eight 32-bit fields (the chunk size the last)
// and the name or the reserved bytes.
constexpr size_t PROGRAM_HEADER_SIZE = 8 * 4 + NAME_SIZE;
constexpr size_t BANK_HEADER_SIZE = 8 * 4 + BANK_RESERVED_SIZE;

class CBigEndianReader
{
public:
    CBigEndianReader(const std::vector<uint8_t> &bytes, const std::string &path) : m_bytes(bytes), m_path(path) {}

    uint32_t word(const char *field)
    {
        need(4, field);
        uint32_t value = 0;
        for (int byte = 0; byte < 4; ++byte)
        {
            value = value << 8 | m_bytes[m_position++];
        }
        return value;
    }
    int32_t integer(const char *field) { return static_cast<int32_t>(word(field)); }
    const uint8_t *take(size_t size, const char *field)
    {
        need(size, field);
        m_position += size;
        return m_bytes.data() + m_position - size;
    }

private:
    void need(size_t size, const char *field) const
    {
        if (m_bytes.size() - m_position < size)
        {
            throw std::runtime_error("'" + m_path + "': truncated file (ends inside the " + field + ", at byte " +
                                     std::to_string(m_bytes.size()) + ")");
        }
    }

    const std::vector<uint8_t> &m_bytes;
    const std::string &m_path;
    size_t m_position = 0;
};

void putWord(std::vector<uint8_t> &bytes, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
    {
        bytes.push_back(static_cast<uint8_t>(value >> shift));
    }
}

// A stated size against the bytes the file holds: fewer means the file was cut short.
void checkSize(uint32_t stated, size_t present, const char *statement, const std::string &path)
{
    if (stated != present)
    {
        throw std::runtime_error(
            "'" + path + "'" + (stated > present ? ": truncated file (" : ": size disagrees with the file (") +
            statement + " " + std::to_string(stated) + " bytes, the file has " + std::to_string(present) + ")");
    }
}

std::string fourCharacters(uint32_t code)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
    {
        const auto character = static_cast<unsigned char>(code >> shift);
        text += std::isprint(character) != 0 ? static_cast<char>(character) : '?';
    }
    return "\"" + text + "\"";
}
} // namespace

CPresetFile CPresetFile::parse(const std::vector<uint8_t> &bytes, const std::string &path)
{
    CBigEndianReader reader(bytes, path);
    const uint32_t root = reader.word("file magic");
    if (root != ROOT_MAGIC)
    {
        throw std::runtime_error("'" + path + "': not a VST preset file (magic " + fourCharacters(root) +
                                 ", expected \"CcnK\")");
    }
    checkSize(reader.word("byte size"), bytes.size() - ROOT_HEADER_SIZE, "the header states", path);
    const uint32_t magic = reader.word("preset magic");
    if (magic == PARAMETER_PROGRAM_MAGIC || magic == PARAMETER_BANK_MAGIC)
    {
        throw std::runtime_error("'" + path + "': holds a parameter list (" + fourCharacters(magic) +
                                 "), not the chunk a plug-in whose programs are chunks needs");
    }
    if (magic != PROGRAM_MAGIC && magic != BANK_MAGIC)
    {
        throw std::runtime_error("'" + path + "': unknown preset kind " + fourCharacters(magic) +
                                 " (expected \"FPCh\" or \"FBCh\")");
    }

    CPresetFile preset;
    preset.kind = magic == PROGRAM_MAGIC ? Kind::program : Kind::bank;
    const int32_t version = reader.integer("format version");
    const int32_t newest = preset.kind == Kind::program ? PROGRAM_FORMAT_VERSION : BANK_FORMAT_VERSION;
    if (version < 1 || version > newest)
    {
        throw std::runtime_error("'" + path + "': unknown format version " + std::to_string(version));
    }
    preset.pluginId = reader.integer("plug-in ID");
    preset.pluginVersion = reader.integer("plug-in version");
    preset.count = reader.integer(preset.kind == Kind::program ? "parameter count" : "program count");
    if (preset.kind == Kind::program)
    {
        const auto *name = reinterpret_cast<const char *>(reader.take(NAME_SIZE, "program name"));
        preset.programName.assign(name, strnlen(name, NAME_SIZE - 1));
    }
    else
    {
        // Version 1 banks reserve all 128 bytes; version 2 keeps the current program in the first four.
        const int32_t current = reader.integer("current program");
        reader.take(BANK_RESERVED_SIZE - 4, "reserved bytes");
        preset.currentProgram = version < BANK_FORMAT_VERSION ? 0 : current;
    }
    const uint32_t chunkSize = reader.word("chunk size");
    const size_t header = preset.kind == Kind::program ? PROGRAM_HEADER_SIZE : BANK_HEADER_SIZE;
    checkSize(chunkSize, bytes.size() - header, "the chunk size states", path);
    const uint8_t *chunk = reader.take(chunkSize, "chunk");
    preset.chunk.assign(chunk, chunk + chunkSize);
    return preset;
}

CPresetFile CPresetFile::read(const std::string &path)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
    {
        throw std::runtime_error("'" + path + "': cannot read (is a folder)");
    }
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
    {
        throw std::runtime_error("'" + path + "': cannot read (" + std::strerror(errno) + ")");
    }
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(stream), {}};
    if (stream.bad())
    {
        throw std::runtime_error("'" + path + "': cannot read (" + std::strerror(errno) + ")");
    }
    return parse(bytes, path);
}

CPresetFile::Kind CPresetFile::kindForPath(const std::string &path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char character) { return static_cast<char>(std::tolower(character)); });
    if (extension != ".fxp" && extension != ".fxb")
    {
        throw std::runtime_error("'" + path + "': a preset file is named .fxp (one program) or .fxb (the bank)");
    }
    return extension == ".fxp" ? Kind::program : Kind::bank;
}

std::vector<uint8_t> CPresetFile::bytes() const
{
    const size_t header = kind == Kind::program ? PROGRAM_HEADER_SIZE : BANK_HEADER_SIZE;
    std::vector<uint8_t> bytes;
    bytes.reserve(header + chunk.size());
    putWord(bytes, ROOT_MAGIC);
    putWord(bytes, static_cast<uint32_t>(header + chunk.size() - ROOT_HEADER_SIZE));
    putWord(bytes, kind == Kind::program ? PROGRAM_MAGIC : BANK_MAGIC);
    putWord(bytes, static_cast<uint32_t>(kind == Kind::program ? PROGRAM_FORMAT_VERSION : BANK_FORMAT_VERSION));
    putWord(bytes, static_cast<uint32_t>(pluginId));
    putWord(bytes, static_cast<uint32_t>(pluginVersion));
    putWord(bytes, static_cast<uint32_t>(count));
    if (kind == Kind::program)
    {
        const size_t length = std::min(programName.size(), NAME_SIZE - 1);
        bytes.insert(bytes.end(), programName.begin(), programName.begin() + static_cast<std::ptrdiff_t>(length));
        bytes.resize(bytes.size() + NAME_SIZE - length);
    }
    else
    {
        putWord(bytes, static_cast<uint32_t>(currentProgram));
        bytes.resize(bytes.size() + BANK_RESERVED_SIZE - 4);
    }
    putWord(bytes, static_cast<uint32_t>(chunk.size()));
    bytes.insert(bytes.end(), chunk.begin(), chunk.end());
    return bytes;
}

void CPresetFile::write(const std::string &path, bool isForced) const
{
    const std::vector<uint8_t> contents = bytes();
    CReplacedFile file(path, isForced);
    file.write(contents.data(), contents.size());
    file.commit();
}

bool CPresetFile::operator==(const CPresetFile &other) const
{
    return kind == other.kind && pluginId == other.pluginId && pluginVersion == other.pluginVersion &&
           count == other.count && programName == other.programName && currentProgram == other.currentProgram &&
           chunk == other.chunk;
}
} // namespace Zelo::Tools
