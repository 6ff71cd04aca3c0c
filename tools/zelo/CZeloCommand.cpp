#include "tools/zelo/CZeloCommand.h"

#include "tools/host/CPluginInstance.h"
#include "tools/zelo/CAudioFile.h"
#include "tools/zelo/CDemoPhrase.h"
#include "tools/zelo/CInfoReport.h"
#include "tools/zelo/CParallelRender.h"
#include "tools/zelo/CProgressBar.h"
#include "tools/zelo/CRenderer.h"

#include <sndfile.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace Zelo::Tools
{
namespace
{
// Shorter renders finish before a bar would be worth reading.
constexpr double PROGRESS_MIN_SECONDS = 10.0;
// The rate the demo phrase is synthesised at.
constexpr int DEMO_SAMPLE_RATE = 44100;

enum ExitStatus
{
    EXIT_DONE = 0,
    EXIT_FAILED = 1,
    EXIT_USAGE = 2
};
} // namespace

int CZeloCommand::run(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &errors) const
{
    try
    {
        const CCommandLine commandLine(arguments);
        switch (commandLine.command())
        {
        case CCommandLine::Command::help:
            out << CCommandLine::usage();
            return EXIT_DONE;
        case CCommandLine::Command::info:
            info(commandLine, out);
            return EXIT_DONE;
        case CCommandLine::Command::render:
            return render(commandLine, out, errors);
        }
    }
    catch (const CCommandLine::CUsageError &error)
    {
        errors << "zelo: " << error.what() << "\n\n" << CCommandLine::usage();
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

int CZeloCommand::render(const CCommandLine &commandLine, std::ostream &out, std::ostream &errors) const
{
    CRenderer::Setup setup;
    setup.program = commandLine.program();
    setup.half = commandLine.half();
    setup.blockSize = commandLine.blockSize();
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
    const CRenderer renderer(std::make_shared<const CPluginModule>(commandLine.pluginPath()), std::move(setup));
    // A wrong program or parameter is one message before any file is touched, not one per file.
    renderer.check(DEMO_SAMPLE_RATE);

    if (commandLine.outputFolder())
    {
        const size_t failures =
            CParallelRender(renderer).run(commandLine.inputs(), *commandLine.outputFolder(), errors);
        return failures == 0 ? EXIT_DONE : EXIT_FAILED;
    }

    if (commandLine.isDemo())
    {
        const CStereoSignal phrase = CDemoPhrase::synthesise(DEMO_SAMPLE_RATE);
        const int format =
            CAudioFile::outputFormat(commandLine.output(), SF_FORMAT_WAV | SF_FORMAT_PCM_24, DEMO_SAMPLE_RATE);
        CAudioFile::write(commandLine.output(), renderer.render(phrase), format);
        out << "Rendered the demo phrase into " << commandLine.output() << "\n";
        return EXIT_DONE;
    }

    CAudioFile::CReader input(commandLine.inputs().front());
    const int format = CAudioFile::outputFormat(commandLine.output(), input.format(), input.sampleRate());
    CAudioFile::CWriter output(commandLine.output(), input.sampleRate(), format);
    const bool isLong = static_cast<double>(input.frames()) >= PROGRESS_MIN_SECONDS * input.sampleRate();
    {
        CProgressBar bar(input.frames(), isLong && CProgressBar::isTerminal());
        size_t shown = 0;
        renderer.render(input, output, [&](size_t done, size_t total) {
            // In double: a header may state a frame count near the largest integer.
            const auto scaled =
                static_cast<size_t>(static_cast<double>(done) / static_cast<double>(std::max<size_t>(total, 1)) *
                                    static_cast<double>(input.frames()));
            bar.advance(scaled - shown);
            shown = scaled;
        });
    }
    output.commit();
    return EXIT_DONE;
}
} // namespace Zelo::Tools
