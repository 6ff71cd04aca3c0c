// Renders several files into one folder at once: a pool of worker threads, as many
// as the machine has hardware threads, each rendering one file at a time through
// its own plug-in instance. The module and the renderer's setup are shared, read-only.
#pragma once

#include "tools/zelo/CRenderer.h"

#include <ostream>
#include <string>
#include <vector>

namespace Zelo::Tools
{
class CParallelRender
{
public:
    explicit CParallelRender(const CRenderer &renderer) : m_renderer(renderer) {}

    // Writes folder/<input's file name> for each input, in the input's format, or
    // with its extension replaced by `type` ("flac") and in that format when given.
    // A failed file is reported on `errors` as one line and does not stop the others;
    // returns the number of files that failed.
    size_t run(const std::vector<std::string> &inputs, const std::string &folder, const std::string &type,
               std::ostream &errors) const;

    // The file each input renders into; throws when two inputs would share one.
    static std::vector<std::string> outputPaths(const std::vector<std::string> &inputs, const std::string &folder,
                                                const std::string &type);

private:
    const CRenderer &m_renderer;
};
} // namespace Zelo::Tools
