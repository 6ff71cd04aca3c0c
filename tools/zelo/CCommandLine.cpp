#include "tools/zelo/CCommandLine.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>

namespace Zelo::Tools
{
namespace
{
// Largest --block accepted: far beyond any host's buffer, small enough to allocate.
constexpr long MAX_BLOCK_SIZE = 1 << 20;
// Largest --tail accepted, in seconds: an hour, far beyond any effect's tail.
constexpr double MAX_TAIL_SECONDS = 3600.0;

// Options that set up the plug-in, which render and preset save share.
bool isSetupOption(const std::string &option)
{
    return option == "--program" || option == "--half" || option == "--set" || option == "--preset";
}

bool takesValue(const std::string &option)
{
    static const char *const OPTIONS[] = {"--plugin", "--program", "--half", "--set",     "--preset",
                                          "--block",  "--bits",    "--type", "--out-dir", "--report-json",
                                          "--plot",   "--output",  "-o",     "--tail"};
    return std::find(std::begin(OPTIONS), std::end(OPTIONS), option) != std::end(OPTIONS);
}
} // namespace

CCommandLine::CCommandLine(const std::vector<std::string> &arguments)
{
    m_pluginPath = defaultPluginPath();
    if (arguments.empty())
    {
        throw CUsageError("no command given");
    }
    size_t next = 0;
    parseCommand(arguments, next);
    if (m_command == Command::help || m_command == Command::version)
    {
        return;
    }

    std::vector<std::string> files;
    bool isPastOptions = false;
    while (next < arguments.size())
    {
        std::string argument = arguments[next++];
        // "-" is standard input or output; after "--" even "-x.wav" is a file.
        if (isPastOptions || argument.size() < 2 || argument[0] != '-')
        {
            files.push_back(argument);
            continue;
        }
        if (argument == "--")
        {
            isPastOptions = true;
            continue;
        }
        if (argument == "--help" || argument == "-h")
        {
            m_command = Command::help;
            return;
        }
        if (!takeFlag(argument))
        {
            takeOption(arguments, next, argument);
        }
    }

    if (m_command == Command::info)
    {
        if (!files.empty())
        {
            throw CUsageError("info takes no files");
        }
        return;
    }
    if (m_command == Command::render)
    {
        checkRender(std::move(files));
        return;
    }
    checkPreset(files);
}

void CCommandLine::parseCommand(const std::vector<std::string> &arguments, size_t &next)
{
    const std::string &command = arguments[next++];
    if (command == "--help" || command == "-h" || command == "help")
    {
        m_command = Command::help;
    }
    else if (command == "--version")
    {
        m_command = Command::version;
    }
    else if (command == "info")
    {
        m_command = Command::info;
    }
    else if (command == "render")
    {
        m_command = Command::render;
    }
    else if (command == "preset")
    {
        const std::string action = next < arguments.size() ? arguments[next++] : std::string();
        if (action != "save" && action != "show")
        {
            throw CUsageError("preset needs save or show");
        }
        m_command = action == "save" ? Command::presetSave : Command::presetShow;
    }
    else
    {
        throw CUsageError("unknown command \"" + command + "\"");
    }
}

bool CCommandLine::takeFlag(const std::string &argument)
{
    if (argument != "--demo" && argument != "--report" && argument != "--force" && argument != "--no-tail")
    {
        return false;
    }
    if (m_command != Command::render && !(argument == "--force" && m_command == Command::presetSave))
    {
        throw CUsageError(
            argument + (argument == "--force" ? " applies to render and preset save only" : " applies to render only"));
    }
    if (argument == "--no-tail")
    {
        m_maxTailSeconds = 0.0;
        return true;
    }
    (argument == "--demo" ? m_isDemo : argument == "--report" ? m_isReport : m_isForced) = true;
    return true;
}

void CCommandLine::takeOption(const std::vector<std::string> &arguments, size_t &next, const std::string &argument)
{
    // Options with a value take it as "--name=value" or as the next argument.
    const size_t equals = argument.compare(0, 2, "--") == 0 ? argument.find('=') : std::string::npos;
    const std::string option = argument.substr(0, equals);
    if (!takesValue(option))
    {
        throw CUsageError(
            "unknown option '" + option + "'" +
            (option.compare(0, 2, "--") != 0
                 ? " (a file whose name starts with '-' goes after '--': zelo render -- " + option + " ...)"
                 : ""));
    }
    if (equals == std::string::npos && next == arguments.size())
    {
        throw CUsageError(option + " needs a value");
    }
    const std::string value = equals != std::string::npos ? argument.substr(equals + 1) : arguments[next++];
    if (value.empty())
    {
        throw CUsageError(option + " was given an empty value");
    }
    setOption(option, value);
}

void CCommandLine::setOption(const std::string &option, const std::string &value)
{
    const bool applies = option == "--plugin" || m_command == Command::render ||
                         (m_command == Command::presetSave && isSetupOption(option));
    if (!applies)
    {
        throw CUsageError(
            option + (isSetupOption(option) ? " applies to render and preset save only" : " applies to render only"));
    }
    if (option == "--plugin")
    {
        m_pluginPath = value;
    }
    else if (option == "--program")
    {
        m_program = value;
    }
    else if (option == "--half")
    {
        if (value != "A" && value != "B" && value != "a" && value != "b")
        {
            throw CUsageError("--half " + value + ": expected A or B");
        }
        m_half = static_cast<char>(value[0] & ~0x20);
    }
    else if (option == "--set")
    {
        m_assignments.push_back(value);
    }
    else if (option == "--preset")
    {
        m_preset = value;
    }
    else if (option == "--block")
    {
        char *end = nullptr;
        const long size = std::strtol(value.c_str(), &end, 10);
        if (value.empty() || *end != '\0' || size < 1 || size > MAX_BLOCK_SIZE)
        {
            throw CUsageError("--block " + value + ": expected a frame count from 1 to " +
                              std::to_string(MAX_BLOCK_SIZE));
        }
        m_blockSize = static_cast<int>(size);
    }
    else if (option == "--tail")
    {
        char *end = nullptr;
        const double seconds = std::strtod(value.c_str(), &end);
        // Negated, so that NaN fails too.
        if (*end != '\0' || !(seconds >= 0.0 && seconds <= MAX_TAIL_SECONDS))
        {
            throw CUsageError("--tail " + value + ": expected seconds from 0 to " +
                              std::to_string(static_cast<int>(MAX_TAIL_SECONDS)));
        }
        m_maxTailSeconds = seconds;
    }
    else if (option == "--bits")
    {
        if (value != "16" && value != "24" && value != "32" && value != "float")
        {
            throw CUsageError("--bits " + value + ": expected 16, 24, 32 or float");
        }
        m_bits = value;
    }
    else if (option == "--type")
    {
        m_type = value;
    }
    else if (option == "--out-dir")
    {
        m_outputFolder = value;
    }
    else if (option == "--report-json")
    {
        m_reportJson = value;
    }
    else if (option == "--plot")
    {
        m_plot = value;
    }
    else
    {
        m_namedOutput = value;
    }
}

void CCommandLine::checkRender(std::vector<std::string> files)
{
    if (m_namedOutput)
    {
        if (m_outputFolder)
        {
            throw CUsageError("-o names one output, --out-dir a folder for several: give one of them");
        }
        files.push_back(*m_namedOutput);
    }
    if (m_outputFolder && (m_isReport || m_reportJson || m_plot))
    {
        throw CUsageError("--report, --report-json and --plot measure one rendering, not --out-dir");
    }
    if (m_isDemo)
    {
        if (m_outputFolder || files.size() != 1)
        {
            throw CUsageError("render --demo takes one output file");
        }
        m_output = files.front();
        return;
    }
    if (m_outputFolder)
    {
        if (files.empty())
        {
            throw CUsageError("render --out-dir needs at least one input file");
        }
        m_inputs = std::move(files);
        return;
    }
    if (files.size() != 2)
    {
        throw CUsageError(files.size() > 2 ? "several inputs need --out-dir DIR"
                                           : "render needs an input and an output file");
    }
    m_inputs = {files[0]};
    m_output = files[1];
}

void CCommandLine::checkPreset(const std::vector<std::string> &files)
{
    if (files.size() != 1)
    {
        throw CUsageError(m_command == Command::presetSave ? "preset save takes one .fxp or .fxb file"
                                                           : "preset show takes one .fxp or .fxb file");
    }
    m_presetFile = files.front();
}

std::string CCommandLine::usage(const std::string &pluginPath)
{
    std::error_code error;
    const bool isFound = std::filesystem::exists(pluginPath, error);
    return "Usage:\n"
           "  zelo info [--plugin PATH]\n"
           "  zelo render INPUT [-o] OUTPUT [options] [--report] [--report-json FILE] [--plot FILE.png]\n"
           "  zelo render INPUT... --out-dir DIR [options]\n"
           "  zelo render --demo OUTPUT [options] [--report] [--report-json FILE] [--plot FILE.png]\n"
           "  zelo preset save FILE.fxp|FILE.fxb [options]\n"
           "  zelo preset show FILE.fxp|FILE.fxb [--plugin PATH]\n"
           "  zelo --help | --version\n"
           "\n"
           "info     prints the plug-in's identity, pins, latency, parameters and programs.\n"
           "render   runs sound files through the plug-in at their own sample rate. The output\n"
           "         takes the format its extension names (wav, flac, ogg, aiff, au, ...), else the\n"
           "         input's; mono inputs give stereo outputs. WAV, AIFF and FLAC keep a PCM\n"
           "         input's bit depth, else get 24 bits. \"-\" is standard input or output;\n"
           "         with \"-\" as the output, every message goes to standard error.\n"
           "         An existing output keeps its mode; a read-only one, or an input, is refused.\n"
           "         A latency the plug-in reports is compensated: the output is aligned with the\n"
           "         input. Past the input's end the effect's tail (echoes) goes on until it stays\n"
           "         below -96 dBFS for the plug-in's tail length (else 250 ms): the output ends\n"
           "         on its last audible frame. Below 44.1 kHz Zelo works as if at 44.1 kHz.\n"
           "         With --out-dir, inputs render in parallel under their own names (the\n"
           "         extension --type names, if given) and a summary line ends the batch.\n"
           "         --demo renders a built-in phrase instead of an input.\n"
           "         --report prints peak, RMS, loudness (EBU R128), channel correlation, mono-sum\n"
           "         level and stereo width of input and output; --report-json writes them as JSON;\n"
           "         --plot draws waveforms, a goniometer and the correlation over time.\n"
           "preset   save writes the program as set up by the options (.fxp) or the whole bank\n"
           "         (.fxb) in the VST 2.4 chunk form; show prints what a preset file holds.\n"
           "\n"
           "Options (given twice, the last one counts; --set adds up; \"--\" ends them, so\n"
           "\"zelo render -- -in.wav -out.wav\" takes files whose names start with '-'):\n"
           "  -o, --output FILE       the output, instead of the file after the input\n"
           "  --preset FILE           start from a .fxp (into the program chosen) or a .fxb\n"
           "  --program NUMBER|NAME   factory program (0-based number, or its name)\n"
           "  --half A|B              the program's A or B half\n"
           "  --set NAME=VALUE        a parameter in its own units, e.g. \"Delay One=35\",\n"
           "                          \"Sync Audio=On\", \"Grain Size=Large\"; may be repeated\n"
           "  --block N               frames per process call (default 512; render only)\n"
           "  --tail SECONDS          the longest tail kept past the input's end (default 30;\n"
           "                          render only)\n"
           "  --no-tail               the output keeps the input's length, as --tail 0 (render only)\n"
           "  --bits 16|24|32|float   the output's sample format (render only)\n"
           "  --force                 replace a read-only output (render, preset save)\n"
           "  --type EXTENSION        the output's format whatever its name, e.g. for \"-\"\n"
           "                          (wav, flac, ogg, aiff, au, raw, ...)\n"
           "  --plugin PATH           the plug-in module (default: " +
           defaultPluginPath() +
           ")\n"
           "\n"
           "Plug-in: " +
           pluginPath + (isFound ? "" : " (not found)") + "\n";
}

std::string CCommandLine::defaultPluginPath()
{
    std::error_code error;
    if (std::filesystem::exists(ZELO_BUILT_PLUGIN, error))
    {
        return ZELO_BUILT_PLUGIN;
    }
    const char *home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.vst/Zelo/Zelo.so";
}
} // namespace Zelo::Tools
