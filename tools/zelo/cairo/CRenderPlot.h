// The picture `zelo render --plot` writes: input and output waveforms (left and
// right), a goniometer of the output and the correlation of the channels over
// time, labelled, drawn with cairo into a PNG file.
#pragma once

#include "tools/zelo/CSignalTrace.h"

#include <string>
#include <vector>

namespace Zelo::Tools
{
class CRenderPlot
{
public:
    // Bins across a waveform: about two per pixel column of the picture.
    static constexpr size_t BIN_COUNT = 1600;
    // Goniometer points drawn.
    static constexpr size_t POINT_COUNT = 40000;

    // `notes` are short lines printed under the goniometer (the report's figures, say).
    CRenderPlot(std::string title, std::vector<std::string> notes)
        : m_title(std::move(title)), m_notes(std::move(notes))
    {
    }

    // Through a temporary file and a rename; throws naming `path`.
    void write(const CSignalTrace &input, const CSignalTrace &output, const std::string &path) const;

private:
    std::string m_title;
    std::vector<std::string> m_notes;
};
} // namespace Zelo::Tools
