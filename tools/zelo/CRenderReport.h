// What `zelo render --report` prints and `--report-json` writes: the measures of
// the input and the output of one rendering, side by side, and their change.
#pragma once

#include "tools/zelo/CStereoMeasure.h"

#include <ostream>
#include <string>

namespace Zelo::Tools
{
class CRenderReport
{
public:
    CRenderReport(const CStereoMeasure::Figures &input, const CStereoMeasure::Figures &output)
        : m_input(input), m_output(output)
    {
    }

    // A short table; undefined figures show as "n/a", silence as "-inf".
    void print(std::ostream &out) const;
    // One figure in a printf `format`: "n/a" when it is undefined (not a number,
    // or infinitely loud from samples that were not numbers), "-inf" for silence.
    static std::string figure(const char *format, double value);
    // {"input": {...}, "output": {...}, "loudness_change_lu": x}; figures that are
    // not finite are null. Through a temporary file; throws naming `path`.
    void writeJson(const std::string &path) const;
    std::string json() const;

private:
    CStereoMeasure::Figures m_input;
    CStereoMeasure::Figures m_output;
};
} // namespace Zelo::Tools
