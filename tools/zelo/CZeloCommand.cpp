#include "tools/zelo/CZeloCommand.h"

#include "tools/host/CPluginInstance.h"
#include "tools/zelo/CAudioFile.h"
#include "tools/zelo/CDemoPhrase.h"
#include "tools/zelo/CInfoReport.h"
#include "tools/zelo/CParallelRender.h"
#include "tools/zelo/CPresetExchange.h"
#include "tools/zelo/CProgressBar.h"
#include "tools/zelo/CTemporaryFiles.h"
#include "tools/zelo/CZeloChunk.h"

#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace Zelo::Tools
{
namespace
{
// Shorter renders finish before a bar would be worth reading.
constexpr double PROGRESS_MIN_SECONDS = 10.0;
// The rate the demo phrase is synthesised at, and the one presets are saved and shown at.
constexpr int DEMO_SAMPLE_RATE = 44100;

enum ExitStatus
{
    EXIT_DONE = 0,
    EXIT_FAILED = 1,
    EXIT_USAGE = 2
};

// Outputs are checked before any input is read or the plug-in loaded: a folder
// cannot be written, and an input (the same device and inode, whatever the name
// or link) is never overwritten. "-" is standard input or output.
void checkOutputPaths(const std::vector<std::string> &inputs, const std::vector<std::string> &outputs)
{
    for (const std::string &output : outputs)
    {
        struct stat target
        {
        };
        if (output == "-" || stat(output.c_str(), &target) != 0)
        {
            continue;
        }
        if (S_ISDIR(target.st_mode))
        {
            throw std::runtime_error("'" + output + "': cannot write (is a folder)");
        }
        for (const std::string &input : inputs)
        {
            struct stat source
            {
            };
            if (input != "-" && stat(input.c_str(), &source) == 0 && source.st_dev == target.st_dev &&
                source.st_ino == target.st_ino)
            {
                throw std::runtime_error("'" + output + "' is the input '" + input + "': refusing to overwrite it");
            }
        }
    }
}

// A new or replaced file is written under a temporary name in its folder and renamed,
// so that folder must exist and take files; devices and pipes are written in place.
void checkOutputFolder(const std::string &output)
{
    struct stat target
    {
    };
    if (output == "-" || (stat(output.c_str(), &target) == 0 && !S_ISREG(target.st_mode)))
    {
        return;
    }
    const std::string parent = std::filesystem::path(output).parent_path().string();
    const std::string folder = parent.empty() ? "." : parent;
    struct stat status
    {
    };
    if (stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
    {
        throw std::runtime_error("'" + output + "': cannot write (no folder '" + folder + "')");
    }
    if (access(folder.c_str(), W_OK | X_OK) != 0)
    {
        throw std::runtime_error("'" + output + "': cannot write into '" + folder + "' (" + std::strerror(errno) + ")");
    }
}

bool isOutputType(const std::string &type)
{
    try
    {
        CAudioFile::outputFormat("-", 0, DEMO_SAMPLE_RATE, 0, type);
        return true;
    }
    catch (const std::runtime_error &)
    {
        return false;
    }
}

// The --type values written at all: the extensions of the containers zelo can write.
std::string outputTypes()
{
    std::string types;
    for (const std::string &candidate : CAudioFile::extensions())
    {
        if (isOutputType(candidate))
        {
            types += (types.empty() ? "" : ", ") + candidate;
        }
    }
    return types;
}
} // namespace

int CZeloCommand::run(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &errors) const
{
    const int status = runCommand(arguments, out, errors);
    // A full disk or a closed pipe shows only when the buffered output is flushed.
    errno = 0;
    if (out.flush())
    {
        return status;
    }
    const int error = errno;
    errors << "zelo: cannot write to standard output" << (error != 0 ? std::string(": ") + std::strerror(error) : "")
           << "\n";
    return EXIT_FAILED;
}

int CZeloCommand::runCommand(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &errors) const
{
    try
    {
        const CCommandLine commandLine(arguments);
        switch (commandLine.command())
        {
        case CCommandLine::Command::help:
            out << CCommandLine::usage(commandLine.pluginPath());
            return EXIT_DONE;
        case CCommandLine::Command::version:
            out << "zelo " << ZELO_VERSION << "\n";
            return EXIT_DONE;
        case CCommandLine::Command::info:
            info(commandLine, out);
            return EXIT_DONE;
        case CCommandLine::Command::render:
            return render(commandLine, out, errors);
        case CCommandLine::Command::presetSave:
            savePreset(commandLine, out);
            return EXIT_DONE;
        case CCommandLine::Command::presetShow:
            showPreset(commandLine, out, errors);
            return EXIT_DONE;
        }
    }
    catch (const CCommandLine::CUsageError &error)
    {
        errors << "zelo: " << error.what() << "\nTry 'zelo --help'.\n";
        return EXIT_USAGE;
    }
    catch (const CRenderer::CSetupError &error)
    {
        errors << "zelo: " << error.what() << "\nTry 'zelo --help'.\n";
        return EXIT_USAGE;
    }
    catch (const std::exception &error)
    {
        errors << "zelo: " << error.what() << "\n";
    }
    return EXIT_FAILED;
}

void CZeloCommand::info(const CCommandLine &commandLine, std::ostream &out) const
{
    CPluginInstance instance(std::make_shared<const CPluginModule>(commandLine.pluginPath()));
    instance.open();
    instance.setSampleRate(static_cast<float>(instance.settings().sampleRate));
    instance.setBlockSize(instance.settings().blockSize);
    CInfoReport::print(instance, out);
}

CRenderer::Setup CZeloCommand::setupOf(const CCommandLine &commandLine)
{
    CRenderer::Setup setup;
    setup.program = commandLine.program();
    setup.half = commandLine.half();
    setup.blockSize = commandLine.blockSize();
    setup.maxTailSeconds = commandLine.maxTailSeconds();
    setup.outputSubtype = commandLine.bits() ? CAudioFile::subtypeForBits(*commandLine.bits()) : 0;
    setup.isForced = commandLine.isForced();
    for (const std::string &text : commandLine.assignments())
    {
        try
        {
            setup.assignments.emplace_back(text);
        }
        catch (const std::invalid_argument &error)
        {
            throw CCommandLine::CUsageError(error.what());
        }
    }
    if (commandLine.preset())
    {
        setup.preset = CPresetFile::read(*commandLine.preset());
        setup.presetPath = *commandLine.preset();
    }
    return setup;
}

void CZeloCommand::checkOutputs(const CCommandLine &commandLine)
{
    const std::string type = commandLine.type().value_or("");
    if (!type.empty() && !isOutputType(type))
    {
        throw CCommandLine::CUsageError("--type " + type + ": expected one of " + outputTypes());
    }
    if (const auto &folder = commandLine.outputFolder())
    {
        struct stat status
        {
        };
        if (stat(folder->c_str(), &status) == 0 && !S_ISDIR(status.st_mode))
        {
            throw std::runtime_error("'" + *folder + "': cannot write into it (not a folder)");
        }
        checkOutputPaths(commandLine.inputs(), CParallelRender::outputPaths(commandLine.inputs(), *folder, type));
        return;
    }
    std::vector<std::string> outputs = {commandLine.output()};
    for (const auto &report : {commandLine.reportJson(), commandLine.plot()})
    {
        if (report)
        {
            outputs.push_back(*report);
        }
    }
    checkOutputPaths(commandLine.inputs(), outputs);
    for (const std::string &output : outputs)
    {
        checkOutputFolder(output);
    }
}

int CZeloCommand::render(const CCommandLine &commandLine, std::ostream &out, std::ostream &errors) const
{
    checkOutputs(commandLine);
    CTemporaryFiles::installSignalHandlers();
    const CRenderer renderer(std::make_shared<const CPluginModule>(commandLine.pluginPath()), setupOf(commandLine));
    // A wrong program, parameter or preset is one message before any file is touched, not one per file.
    errors << renderer.check(DEMO_SAMPLE_RATE);

    if (commandLine.outputFolder())
    {
        const size_t failures = CParallelRender(renderer).run(commandLine.inputs(), *commandLine.outputFolder(),
                                                              commandLine.type().value_or(""), errors);
        out << commandLine.inputs().size() - failures << " rendered, " << failures << " failed\n";
        return failures == 0 ? EXIT_DONE : EXIT_FAILED;
    }
    renderOne(renderer, commandLine, out, errors);
    return EXIT_DONE;
}

void CZeloCommand::renderOne(const CRenderer &renderer, const CCommandLine &commandLine, std::ostream &out,
                             std::ostream &errors) const
{
    // Standard output carries the audio alone when it is the output.
    const bool isStandardOutput = commandLine.output() == "-";
    std::ostream &messages = isStandardOutput ? errors : out;
    std::optional<CAudioFile::CReader> input;
    CStereoSignal phrase;
    if (commandLine.isDemo())
    {
        phrase = CDemoPhrase::synthesise(DEMO_SAMPLE_RATE);
    }
    else
    {
        input.emplace(commandLine.inputs().front());
    }
    const int sampleRate = input ? input->sampleRate() : phrase.sampleRate;
    const size_t frames = input ? input->frames() : phrase.frames();
    const int format = CAudioFile::outputFormat(
        commandLine.output(), input ? input->format() : SF_FORMAT_WAV | SF_FORMAT_PCM_24, sampleRate,
        commandLine.bits() ? CAudioFile::subtypeForBits(*commandLine.bits()) : 0, commandLine.type().value_or(""));
    CAudioFile::CWriter output(commandLine.output(), sampleRate, format, commandLine.isForced());
    if (input)
    {
        output.setMetadata(input->metadata());
    }

    std::optional<CRenderAnalysis> analysis;
    if (commandLine.isReport() || commandLine.reportJson() || commandLine.plot())
    {
        analysis.emplace(sampleRate, frames, commandLine.plot().has_value());
    }
    size_t position = 0;
    const auto source = [&](float *left, float *right, size_t count) {
        if (input)
        {
            count = input->read(left, right, count);
        }
        else
        {
            count = std::min(count, phrase.frames() - position);
            std::copy_n(phrase.left.begin() + static_cast<std::ptrdiff_t>(position), count, left);
            std::copy_n(phrase.right.begin() + static_cast<std::ptrdiff_t>(position), count, right);
            position += count;
        }
        if (analysis)
        {
            analysis->addInput(left, right, count);
        }
        return count;
    };
    const auto sink = [&](const float *left, const float *right, size_t count) {
        output.write(left, right, count);
        if (analysis)
        {
            analysis->addOutput(left, right, count);
        }
    };
    const bool isLong = static_cast<double>(frames) >= PROGRESS_MIN_SECONDS * sampleRate;
    {
        CProgressBar bar(frames, isLong && CProgressBar::isTerminal());
        size_t shown = 0;
        renderer.render(sampleRate, frames, source, sink, [&](size_t done, size_t total) {
            // In double: a header may state a frame count near the largest integer.
            const auto scaled =
                static_cast<size_t>(static_cast<double>(done) / static_cast<double>(std::max<size_t>(total, 1)) *
                                    static_cast<double>(frames));
            bar.advance(scaled - shown);
            shown = scaled;
        });
    }
    output.commit();
    if (input)
    {
        errors << CRenderer::inputNotes(*input);
    }
    errors << output.clippingNote();
    if (commandLine.isDemo())
    {
        messages << "Rendered the demo phrase into " << (isStandardOutput ? "standard output" : commandLine.output())
                 << "\n";
    }
    if (analysis)
    {
        reportAnalysis(*analysis, commandLine, messages);
    }
}

void CZeloCommand::reportAnalysis(const CRenderAnalysis &analysis, const CCommandLine &commandLine,
                                  std::ostream &out) const
{
    const CRenderReport report = analysis.report();
    if (commandLine.isReport())
    {
        report.print(out);
    }
    if (commandLine.reportJson())
    {
        report.writeJson(*commandLine.reportJson());
    }
    if (commandLine.plot())
    {
        const std::string name = commandLine.isDemo()
                                     ? std::string("demo phrase")
                                     : std::filesystem::path(commandLine.inputs().front()).filename().string();
        // The settings that shaped the sound: program, half and each --set, in order.
        std::string settings = commandLine.program() ? ", program " + *commandLine.program() : std::string();
        if (commandLine.half())
        {
            settings += std::string(", half ") + *commandLine.half();
        }
        for (const std::string &assignment : commandLine.assignments())
        {
            settings += ", " + assignment;
        }
        analysis.writePlot("zelo render: " + name + " -> " +
                               std::filesystem::path(commandLine.output()).filename().string() + settings,
                           *commandLine.plot());
    }
}

void CZeloCommand::savePreset(const CCommandLine &commandLine, std::ostream &out) const
{
    const CPresetFile::Kind kind = CPresetFile::kindForPath(commandLine.presetFile());
    const CRenderer renderer(std::make_shared<const CPluginModule>(commandLine.pluginPath()), setupOf(commandLine));
    const std::unique_ptr<CPluginInstance> instance = renderer.createInstance(DEMO_SAMPLE_RATE);
    CPresetFile preset = CPresetExchange::save(*instance, kind);
    // A program saved from one half plays that half wherever it is loaded.
    const std::optional<char> &half = commandLine.half();
    const bool keepsHalf = half && kind == CPresetFile::Kind::program &&
                           CZeloChunk::isZeloChunk(instance->effect()->uniqueID, preset.chunk);
    if (keepsHalf)
    {
        CZeloChunk::keepHalf(preset.chunk, *half);
    }
    preset.write(commandLine.presetFile(), commandLine.isForced());
    if (kind == CPresetFile::Kind::program)
    {
        out << "Saved the program \"" << preset.programName << "\"" << (keepsHalf ? std::string(", half ") + *half : "")
            << " into " << commandLine.presetFile() << "\n";
    }
    else
    {
        out << "Saved the bank of " << preset.count << " programs into " << commandLine.presetFile() << "\n";
    }
}

void CZeloCommand::showPreset(const CCommandLine &commandLine, std::ostream &out, std::ostream &errors) const
{
    CRenderer::Setup setup;
    setup.preset = CPresetFile::read(commandLine.presetFile());
    setup.presetPath = commandLine.presetFile();
    const CPresetFile &preset = *setup.preset;
    const CRenderer renderer(std::make_shared<const CPluginModule>(commandLine.pluginPath()), setup);
    std::string warnings;
    const std::unique_ptr<CPluginInstance> instance = renderer.createInstance(DEMO_SAMPLE_RATE, &warnings);
    errors << warnings;

    const bool isProgram = preset.kind == CPresetFile::Kind::program;
    out << "File:       " << commandLine.presetFile() << "\n"
        << "Format:     " << (isProgram ? "program (FPCh)" : "bank (FBCh)") << ", chunk of " << preset.chunk.size()
        << " bytes\n"
        << "Plug-in:    " << CInfoReport::fourCharacters(preset.pluginId) << " version " << preset.pluginVersion << ", "
        << instance->effectName() << "\n";
    if (isProgram)
    {
        out << "Program:    " << preset.programName << "\n";
    }
    else
    {
        out << "Programs:   " << preset.count << ", current " << preset.currentProgram << " \""
            << instance->programName() << "\"\n";
    }
    if (CZeloChunk::isZeloChunk(preset.pluginId, preset.chunk))
    {
        out << "Halves:     " << (CZeloChunk::hasEqualHalves(preset.chunk) ? "A and B the same" : "A and B differ")
            << "; shown: " << CZeloChunk::liveHalf(preset.chunk) << "\n";
    }
    out << "\n";
    CInfoReport::printParameters(*instance, out);
}
} // namespace Zelo::Tools
