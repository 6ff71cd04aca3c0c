#include "tools/zelo/CPresetExchange.h"

#include "tools/zelo/CChunkCorrections.h"
#include "tools/zelo/CInfoReport.h"

#include <stdexcept>

namespace Zelo::Tools
{
namespace
{
std::string identity(VstInt32 id)
{
    return "\"" + CInfoReport::fourCharacters(id) + "\"";
}
} // namespace

CPresetFile CPresetExchange::save(CPluginInstance &instance, CPresetFile::Kind kind)
{
    const AEffect &effect = *instance.effect();
    const std::string &plugin = instance.module().path();
    if ((effect.flags & effFlagsProgramChunks) == 0)
    {
        throw std::runtime_error("'" + plugin + "': the plug-in does not keep its programs as chunks");
    }
    CPresetFile preset;
    preset.kind = kind;
    preset.pluginId = effect.uniqueID;
    preset.pluginVersion = effect.version;
    const bool isProgram = kind == CPresetFile::Kind::program;
    preset.count = isProgram ? effect.numParams : effect.numPrograms;
    preset.programName = isProgram ? instance.programName() : std::string();
    preset.currentProgram = isProgram ? 0 : instance.program();
    preset.chunk = instance.getChunk(isProgram);
    if (preset.chunk.empty())
    {
        throw std::runtime_error("'" + plugin + "': the plug-in gave no " + (isProgram ? "program" : "bank") +
                                 " chunk");
    }
    return preset;
}

std::string CPresetExchange::load(CPluginInstance &instance, const CPresetFile &preset, const std::string &path)
{
    const AEffect &effect = *instance.effect();
    if (preset.pluginId != effect.uniqueID)
    {
        throw std::runtime_error("'" + path + "': made for the plug-in " + identity(preset.pluginId) + ", not " +
                                 identity(effect.uniqueID));
    }
    const bool isProgram = preset.kind == CPresetFile::Kind::program;
    // Hosts disagree on what a program file's count holds (the parameters, or the
    // programs), so there only the chunk decides; a bank's count is its programs.
    if (!isProgram && preset.count != effect.numPrograms)
    {
        throw std::runtime_error("'" + path + "': states " + std::to_string(preset.count) +
                                 " programs, the plug-in has " + std::to_string(effect.numPrograms));
    }
    if (!isProgram && (preset.currentProgram < 0 || preset.currentProgram >= effect.numPrograms))
    {
        throw std::runtime_error("'" + path + "': current program " + std::to_string(preset.currentProgram) +
                                 " is not one of the plug-in's 0 to " + std::to_string(effect.numPrograms - 1));
    }
    if (instance.setChunk(preset.chunk, isProgram) == 0)
    {
        throw std::runtime_error("'" + path + "': the plug-in refused the " + (isProgram ? "program" : "bank") +
                                 " chunk (" + std::to_string(preset.chunk.size()) + " bytes)");
    }
    const CChunkCorrections corrections(instance, preset.chunk, isProgram);
    if (!isProgram)
    {
        instance.setProgram(preset.currentProgram);
    }
    return corrections.empty() ? std::string() : "zelo: '" + path + "': warning: " + corrections.describe() + "\n";
}
} // namespace Zelo::Tools
