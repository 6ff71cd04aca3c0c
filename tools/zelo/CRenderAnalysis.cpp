#include "tools/zelo/CRenderAnalysis.h"

#include "tools/zelo/cairo/CRenderPlot.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace Zelo::Tools
{
namespace
{
std::string line(const char *label, const char *format, double value, const char *unit = "")
{
    return std::string(label) + CRenderReport::figure(format, value) + unit;
}
} // namespace

CRenderAnalysis::CRenderAnalysis(int sampleRate, size_t expectedFrames, bool isTraced)
    : m_input(sampleRate), m_output(sampleRate)
{
    if (isTraced)
    {
        m_inputTrace.emplace(sampleRate, expectedFrames, CRenderPlot::BIN_COUNT, CRenderPlot::POINT_COUNT);
        m_outputTrace.emplace(sampleRate, expectedFrames, CRenderPlot::BIN_COUNT, CRenderPlot::POINT_COUNT);
    }
}

void CRenderAnalysis::addInput(const float *left, const float *right, size_t frames)
{
    m_input.add(left, right, frames);
    if (m_inputTrace)
    {
        m_inputTrace->add(left, right, frames);
    }
}

void CRenderAnalysis::addOutput(const float *left, const float *right, size_t frames)
{
    m_output.add(left, right, frames);
    if (m_outputTrace)
    {
        m_outputTrace->add(left, right, frames);
    }
}

CRenderReport CRenderAnalysis::report() const
{
    return CRenderReport(m_input.figures(), m_output.figures());
}

std::vector<std::string> CRenderAnalysis::summary() const
{
    const CStereoMeasure::Figures input = m_input.figures();
    const CStereoMeasure::Figures output = m_output.figures();
    return {line("Output correlation  ", "%+.2f", output.correlation),
            line("Output width (S/M)  ", "%.2f", output.width),
            line("Output mono sum     ", "%+.1f", output.monoSumDb, " dB"),
            line("Loudness change     ", "%+.1f", output.loudness - input.loudness, " LU")};
}

void CRenderAnalysis::writePlot(const std::string &title, const std::string &path) const
{
    if (!m_inputTrace || !m_outputTrace)
    {
        throw std::logic_error("a plot needs an analysis made with traces");
    }
    CRenderPlot(title, summary()).write(*m_inputTrace, *m_outputTrace, path);
}
} // namespace Zelo::Tools
