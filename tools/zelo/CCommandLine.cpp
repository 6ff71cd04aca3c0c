#include "tools/zelo/CCommandLine.h"

#include <cstdlib>
#include <filesystem>

namespace Zelo::Tools
{
namespace
{
// Largest --block accepted: far beyond any host's buffer, small enough to allocate.
constexpr long MAX_BLOCK_SIZE = 1 << 20;
} // namespace

CCommandLine::CCommandLine(const std::vector<std::string> &arguments)
{
    m_pluginPath = defaultPluginPath();
    if (arguments.empty())
    {
        throw CUsageError("no command given");
    }

    size_t next = 0;
    const std::string &command = arguments[next++];
    if (command == "--help" || command == "-h" || command == "help")
    {
        m_command = Command::help;
        return;
    }
    if (command == "info")
    {
        m_command = Command::info;
    }
    else if (command == "render")
    {
        m_command = Command::render;
    }
    else
    {
        throw CUsageError("unknown command \"" + command + "\"");
    }

    std::vector<std::string> files;
    while (next < arguments.size())
    {
        std::string argument = arguments[next++];
        if (argument == "--help" || argument == "-h")
        {
            m_command = Command::help;
            return;
        }
        if (argument.size() < 2 || argument.compare(0, 2, "--") != 0 || argument == "--")
        {
            files.push_back(argument);
            continue;
        }
        if (argument == "--demo")
        {
            m_isDemo = true;
            continue;
        }

        // Options with a value take it as "--name=value" or as the next argument.
        std::string value;
        const size_t equals = argument.find('=');
        if (equals != std::string::npos)
        {
            value = argument.substr(equals + 1);
            argument.resize(equals);
        }
        else if (next < arguments.size())
        {
            value = arguments[next++];
        }
        else
        {
            throw CUsageError(argument + " needs a value");
        }

        const bool isRenderOption = argument != "--plugin";
        if (isRenderOption && m_command != Command::render)
        {
            throw CUsageError(argument + " applies to render only");
        }
        if (argument == "--plugin")
        {
            m_pluginPath = value;
        }
        else if (argument == "--program")
        {
            m_program = value;
        }
        else if (argument == "--half")
        {
            if (value != "A" && value != "B" && value != "a" && value != "b")
            {
                throw CUsageError("--half " + value + ": expected A or B");
            }
            m_half = static_cast<char>(value[0] & ~0x20);
        }
        else if (argument == "--set")
        {
            m_assignments.push_back(value);
        }
        else if (argument == "--block")
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
        else if (argument == "--out-dir")
        {
            m_outputFolder = value;
        }
        else
        {
            throw CUsageError("unknown option " + argument);
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
    checkRender(std::move(files));
}

void CCommandLine::checkRender(std::vector<std::string> files)
{
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

std::string CCommandLine::usage()
{
    return "Usage:\n"
           "  zelo info [--plugin PATH]\n"
           "  zelo render INPUT OUTPUT [options]\n"
           "  zelo render INPUT... --out-dir DIR [options]\n"
           "  zelo render --demo OUTPUT [options]\n"
           "  zelo --help\n"
           "\n"
           "info     prints the plug-in's identity, pins, latency, parameters and programs.\n"
           "render   runs sound files through the plug-in at their own sample rate. The output\n"
           "         takes the format its extension names (wav, flac, ogg, aiff, au, ...), else the\n"
           "         input's; mono inputs give stereo outputs. A latency the plug-in reports is\n"
           "         compensated: the output is aligned with the input and longer by that latency.\n"
           "         With --out-dir, inputs render in parallel under their own names.\n"
           "         --demo renders a built-in phrase instead of an input.\n"
           "\n"
           "Options:\n"
           "  --program NUMBER|NAME   factory program (0-based number, or its name)\n"
           "  --half A|B              the program's A or B half\n"
           "  --set NAME=VALUE        a parameter in its own units, e.g. \"Delay One=35\",\n"
           "                          \"Sync Audio=On\", \"Grain Size=Large\"; may be repeated\n"
           "  --block N               frames per process call (default 512)\n"
           "  --plugin PATH           the plug-in module (default: " +
           defaultPluginPath() + ")\n";
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
