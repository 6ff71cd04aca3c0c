// A VST 2.4 program (.fxp) or bank (.fxb) file in its opaque-chunk form: the
// "CcnK" header with "FPCh" or "FBCh", big-endian fields, the plug-in's identity
// and the chunk bytes as the plug-in gave them. Plain data; knows no plug-in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Zelo::Tools
{
class CPresetFile
{
public:
    enum class Kind
    {
        program,
        bank
    };

    Kind kind = Kind::program;
    // The plug-in's unique ID and version, as its effect record states them.
    int32_t pluginId = 0;
    int32_t pluginVersion = 0;
    // A program file states the plug-in's parameter count, a bank its program count.
    int32_t count = 0;
    // Program files only: at most 27 characters.
    std::string programName;
    // Bank files only: the program current when the bank was saved.
    int32_t currentProgram = 0;
    std::vector<uint8_t> chunk;

    // Takes a file's whole contents apart. Throws std::runtime_error starting with
    // `path` and naming the fault: a wrong magic, the parameter-list form, a size
    // that disagrees with the file, a truncated file.
    static CPresetFile parse(const std::vector<uint8_t> &bytes, const std::string &path);
    static CPresetFile read(const std::string &path);
    // The kind a file name's extension asks for; throws for anything but .fxp or .fxb.
    static Kind kindForPath(const std::string &path);

    std::vector<uint8_t> bytes() const;
    // Through a temporary file and a rename; throws naming `path`.
    // `isForced` replaces a read-only file.
    void write(const std::string &path, bool isForced = false) const;

    bool operator==(const CPresetFile &other) const;
};
} // namespace Zelo::Tools
