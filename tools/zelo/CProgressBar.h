// A one-line progress bar redrawn in place on a terminal. Shared by the render
// threads of a batch, so every operation may be called from any thread.
#pragma once

#include <cstddef>
#include <cstdio>
#include <mutex>

namespace Zelo::Tools
{
class CProgressBar
{
public:
    // Draws nothing when `isShown` is false (stderr not a terminal, or a short job).
    CProgressBar(size_t total, bool isShown, std::FILE *stream = stderr);
    // Ends the line if anything was drawn.
    ~CProgressBar();
    CProgressBar(const CProgressBar &) = delete;
    CProgressBar &operator=(const CProgressBar &) = delete;

    // Whether stderr is a terminal, the condition for showing one at all.
    static bool isTerminal();

    void advance(size_t amount);
    // Ends a drawn bar's line so a message starts on its own; the next advance redraws it.
    void breakLine();

private:
    std::mutex m_mutex;
    size_t m_total;
    size_t m_done = 0;
    bool m_isShown;
    std::FILE *m_stream;
    // Percent last drawn; -1 before the first drawing, so redraws happen only on change.
    int m_drawnPercent = -1;
};
} // namespace Zelo::Tools
