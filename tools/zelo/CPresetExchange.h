// Moves preset files in and out of a plug-in instance through the dispatcher, as
// a host's preset import and export do: effGetChunk / effSetChunk (index 1 for a
// program, 0 for the bank), the program opcodes and the effect record's identity.
#pragma once

#include "tools/host/CPluginInstance.h"
#include "tools/zelo/CPresetFile.h"

#include <string>

namespace Zelo::Tools
{
class CPresetExchange
{
public:
    // The current program, or the whole bank, of an opened instance. Throws when
    // the plug-in does not keep its programs as chunks or hands out none.
    static CPresetFile save(CPluginInstance &instance, CPresetFile::Kind kind);

    // A program file replaces the current program; a bank file the bank, and its
    // current program becomes current. Everything is checked before the plug-in
    // sees the chunk, which it takes whole or not at all, so a refused file changes
    // nothing. Throws starting with `path`: another plug-in's file, a bank of
    // another size or current program, a chunk the plug-in refuses. Returns a
    // warning line naming `path` and the values the plug-in changed as it took
    // the chunk (values out of its range, clamped), or an empty text.
    static std::string load(CPluginInstance &instance, const CPresetFile &preset, const std::string &path);
};
} // namespace Zelo::Tools
