// The `zelo` command line taken apart: which command, its files and its options,
// with the default plug-in path filled in. Knows nothing of plug-ins or audio.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace Zelo::Tools
{
class CCommandLine
{
public:
    enum class Command
    {
        help,
        version,
        info,
        render,
        presetSave,
        presetShow
    };

    // Bad usage: the message says what was wrong; the caller points to --help.
    class CUsageError : public std::runtime_error
    {
    public:
        using std::runtime_error::runtime_error;
    };

    // Throws CUsageError.
    explicit CCommandLine(const std::vector<std::string> &arguments);

    // Ends by naming `pluginPath`, the module this command line would load.
    static std::string usage(const std::string &pluginPath);
    // The module built with this tree when it exists, else ~/.vst/Zelo/Zelo.so.
    static std::string defaultPluginPath();

    Command command() const { return m_command; }
    const std::string &pluginPath() const { return m_pluginPath; }
    // Render only. With an output folder every input is rendered into it under
    // its own name; otherwise there is one input (none with --demo) and an output.
    const std::vector<std::string> &inputs() const { return m_inputs; }
    const std::string &output() const { return m_output; }
    const std::optional<std::string> &outputFolder() const { return m_outputFolder; }
    bool isDemo() const { return m_isDemo; }
    const std::optional<std::string> &program() const { return m_program; }
    const std::optional<char> &half() const { return m_half; }
    // "NAME=VALUE" texts in the order given.
    const std::vector<std::string> &assignments() const { return m_assignments; }
    int blockSize() const { return m_blockSize; }
    // Render only: the longest tail kept past the input's end, in seconds; 0
    // (--no-tail) keeps the input's length.
    double maxTailSeconds() const { return m_maxTailSeconds; }
    // The .fxp or .fxb file render and preset save start from.
    const std::optional<std::string> &preset() const { return m_preset; }
    // The file preset save writes and preset show reads.
    const std::string &presetFile() const { return m_presetFile; }
    // Render only: the measures table, its JSON file, the picture.
    bool isReport() const { return m_isReport; }
    const std::optional<std::string> &reportJson() const { return m_reportJson; }
    const std::optional<std::string> &plot() const { return m_plot; }
    // Render only: replace read-only outputs; the output's sample format, "16",
    // "24", "32" or "float".
    bool isForced() const { return m_isForced; }
    const std::optional<std::string> &bits() const { return m_bits; }
    // The output's format as an extension ("wav", "flac"), for "-" above all.
    const std::optional<std::string> &type() const { return m_type; }

private:
    void parseCommand(const std::vector<std::string> &arguments, size_t &next);
    // False when `argument` is not a flag.
    bool takeFlag(const std::string &argument);
    // Takes the option `argument` names and its value, the next argument unless "--name=value".
    void takeOption(const std::vector<std::string> &arguments, size_t &next, const std::string &argument);
    // A later value replaces an earlier one; --set adds to the earlier ones.
    void setOption(const std::string &option, const std::string &value);
    void checkRender(std::vector<std::string> files);
    void checkPreset(const std::vector<std::string> &files);

    Command m_command = Command::help;
    std::string m_pluginPath;
    std::vector<std::string> m_inputs;
    std::string m_output;
    std::optional<std::string> m_outputFolder;
    // The output given as -o FILE or --output FILE rather than after the input.
    std::optional<std::string> m_namedOutput;
    bool m_isDemo = false;
    std::optional<std::string> m_program;
    std::optional<char> m_half;
    std::vector<std::string> m_assignments;
    int m_blockSize = 512;
    double m_maxTailSeconds = 30.0;
    std::optional<std::string> m_preset;
    std::string m_presetFile;
    bool m_isReport = false;
    std::optional<std::string> m_reportJson;
    std::optional<std::string> m_plot;
    bool m_isForced = false;
    std::optional<std::string> m_bits;
    std::optional<std::string> m_type;
};
} // namespace Zelo::Tools
