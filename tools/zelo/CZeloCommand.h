// The `zelo` program: runs one command line and turns every failure into a
// one-line message and an exit status. main() only hands it the arguments.
#pragma once

#include "tools/zelo/CCommandLine.h"
#include "tools/zelo/CRenderAnalysis.h"
#include "tools/zelo/CRenderer.h"

#include <ostream>
#include <string>
#include <vector>

namespace Zelo::Tools
{
class CZeloCommand
{
public:
    // Exit status: 0 done, 1 failed, 2 bad usage (unknown program, parameter or value included).
    int run(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &errors) const;

private:
    // run() without the final check that standard output took everything.
    int runCommand(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &errors) const;
    void info(const CCommandLine &commandLine, std::ostream &out) const;
    // Returns the exit status: a batch reports its failed files itself.
    int render(const CCommandLine &commandLine, std::ostream &out, std::ostream &errors) const;
    // One input (or the demo phrase) into one output, measured when asked.
    void renderOne(const CRenderer &renderer, const CCommandLine &commandLine, std::ostream &out,
                   std::ostream &errors) const;
    // Prints and writes what the command line asks of a finished rendering's analysis.
    void reportAnalysis(const CRenderAnalysis &analysis, const CCommandLine &commandLine, std::ostream &out) const;
    void savePreset(const CCommandLine &commandLine, std::ostream &out) const;
    void showPreset(const CCommandLine &commandLine, std::ostream &out, std::ostream &errors) const;
    // Before any input is read: the --type, the output with the report and plot files,
    // or the --out-dir folder and the outputs in it.
    static void checkOutputs(const CCommandLine &commandLine);
    // The program, half, parameter and preset requests of the command line.
    static CRenderer::Setup setupOf(const CCommandLine &commandLine);
};
} // namespace Zelo::Tools
