#include "tools/zelo/CRenderReport.h"

#include "tools/zelo/CReplacedFile.h"

#include <cmath>
#include <cstdio>

namespace Zelo::Tools
{
namespace
{
struct Row
{
    const char *label;
    const char *key;
    double CStereoMeasure::Figures::*figure;
    // printf format of one figure; the change column only where a difference means something.
    const char *format;
    bool hasChange;
};

const Row ROWS[] = {{"Peak (dBFS)", "peak_dbfs", &CStereoMeasure::Figures::peakDb, "%+.2f", true},
                    {"RMS (dBFS)", "rms_dbfs", &CStereoMeasure::Figures::rmsDb, "%+.2f", true},
                    {"Loudness (LUFS)", "loudness_lufs", &CStereoMeasure::Figures::loudness, "%+.2f", true},
                    {"Correlation L/R", "correlation", &CStereoMeasure::Figures::correlation, "%+.3f", false},
                    {"Mono sum (dB)", "mono_sum_db", &CStereoMeasure::Figures::monoSumDb, "%+.2f", true},
                    {"Width (side/mid)", "width", &CStereoMeasure::Figures::width, "%.3f", false}};

std::string jsonNumber(double value)
{
    if (!std::isfinite(value))
    {
        return "null";
    }
    char text[32];
    std::snprintf(text, sizeof(text), "%.4f", value);
    return text;
}

std::string padded(const std::string &text, size_t width)
{
    return text.size() >= width ? text + " " : std::string(width - text.size(), ' ') + text;
}

std::string jsonObject(const CStereoMeasure::Figures &figures)
{
    std::string object = "{";
    for (const Row &row : ROWS)
    {
        object +=
            std::string(object.size() > 1 ? ", " : "") + "\"" + row.key + "\": " + jsonNumber(figures.*row.figure);
    }
    return object + "}";
}
} // namespace

std::string CRenderReport::figure(const char *format, double value)
{
    if (std::isnan(value) || value == HUGE_VAL)
    {
        return "n/a";
    }
    if (value == -HUGE_VAL)
    {
        return "-inf";
    }
    char text[32];
    std::snprintf(text, sizeof(text), format, value);
    return text;
}

void CRenderReport::print(std::ostream &out) const
{
    constexpr size_t LABEL_WIDTH = 18;
    constexpr size_t COLUMN_WIDTH = 10;
    out << std::string(LABEL_WIDTH, ' ') << padded("input", COLUMN_WIDTH) << padded("output", COLUMN_WIDTH)
        << padded("change", COLUMN_WIDTH) << "\n";
    for (const Row &row : ROWS)
    {
        const double input = m_input.*row.figure;
        const double output = m_output.*row.figure;
        out << row.label << std::string(LABEL_WIDTH - std::string(row.label).size(), ' ')
            << padded(CRenderReport::figure(row.format, input), COLUMN_WIDTH)
            << padded(CRenderReport::figure(row.format, output), COLUMN_WIDTH);
        if (row.hasChange)
        {
            out << padded(CRenderReport::figure(row.format, output - input), COLUMN_WIDTH);
        }
        out << "\n";
    }
}

std::string CRenderReport::json() const
{
    return "{\n  \"input\": " + jsonObject(m_input) + ",\n  \"output\": " + jsonObject(m_output) +
           ",\n  \"loudness_change_lu\": " + jsonNumber(m_output.loudness - m_input.loudness) + "\n}\n";
}

void CRenderReport::writeJson(const std::string &path) const
{
    const std::string text = json();
    CReplacedFile file(path);
    file.write(text.data(), text.size());
    file.commit();
}
} // namespace Zelo::Tools
