#include "tools/zelo/CProgressBar.h"

#include <algorithm>
#include <string>
#include <unistd.h>

namespace Zelo::Tools
{
namespace
{
// Characters between the brackets.
constexpr int BAR_WIDTH = 40;
} // namespace

CProgressBar::CProgressBar(size_t total, bool isShown, std::FILE *stream)
    : m_total(std::max<size_t>(total, 1)), m_isShown(isShown), m_stream(stream)
{
}

CProgressBar::~CProgressBar()
{
    breakLine();
}

void CProgressBar::breakLine()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_drawnPercent >= 0)
    {
        std::fputc('\n', m_stream);
        std::fflush(m_stream);
        m_drawnPercent = -1;
    }
}

bool CProgressBar::isTerminal()
{
    return isatty(STDERR_FILENO) != 0;
}

void CProgressBar::advance(size_t amount)
{
    if (!m_isShown)
    {
        return;
    }
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_done = std::min(m_done + amount, m_total);
    const int percent = static_cast<int>(m_done * 100 / m_total);
    if (percent == m_drawnPercent)
    {
        return;
    }
    m_drawnPercent = percent;
    const int filled = percent * BAR_WIDTH / 100;
    const std::string bar = std::string(static_cast<size_t>(filled), '#') + std::string(BAR_WIDTH - filled, '-');
    std::fprintf(m_stream, "\r[%s] %3d%%", bar.c_str(), percent);
    std::fflush(m_stream);
}
} // namespace Zelo::Tools
