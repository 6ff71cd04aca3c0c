// Watches one rendering for `zelo render --report` and `--plot`: measures its
// input and output as they stream past and, when a picture is wanted, keeps
// their traces. Owned by the command for the length of the rendering.
#pragma once

#include "tools/zelo/CRenderReport.h"
#include "tools/zelo/CSignalTrace.h"
#include "tools/zelo/CStereoMeasure.h"

#include <optional>
#include <string>
#include <vector>

namespace Zelo::Tools
{
class CRenderAnalysis
{
public:
    // `expectedFrames` spreads the traces' bins over the input's length.
    CRenderAnalysis(int sampleRate, size_t expectedFrames, bool isTraced);

    void addInput(const float *left, const float *right, size_t frames);
    void addOutput(const float *left, const float *right, size_t frames);

    CRenderReport report() const;
    // The output's stereo figures in a few short lines, for the picture.
    std::vector<std::string> summary() const;
    // Throws std::logic_error when the analysis was made without traces.
    void writePlot(const std::string &title, const std::string &path) const;

private:
    CStereoMeasure m_input;
    CStereoMeasure m_output;
    std::optional<CSignalTrace> m_inputTrace;
    std::optional<CSignalTrace> m_outputTrace;
};
} // namespace Zelo::Tools
