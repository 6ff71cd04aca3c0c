#include "gui/windowing/posix/CDialogProgram.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace Orvalite::GUI::Windowing
{
namespace
{
// The first executable of that name in the folders of PATH, or the empty text.
std::string findOnPath(const char *name)
{
    const char *path = std::getenv("PATH");
    std::string folders = path ? path : "";
    size_t start = 0;
    while (start <= folders.size())
    {
        const size_t end = std::min(folders.find(':', start), folders.size());
        const std::string candidate = folders.substr(start, end - start) + "/" + name;
        if (end > start && access(candidate.c_str(), X_OK) == 0)
        {
            return candidate;
        }
        start = end + 1;
    }
    return {};
}

std::string readAll(int descriptor)
{
    std::string text;
    char buffer[512];
    for (;;)
    {
        const ssize_t count = read(descriptor, buffer, sizeof buffer);
        if (count > 0)
        {
            text.append(buffer, static_cast<size_t>(count));
        }
        else if (count == 0 || errno != EINTR)
        {
            return text;
        }
    }
}

int waitForExit(pid_t child)
{
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR)
    {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
} // namespace

CDialogProgram::CDialogProgram()
{
    if (m_path = findOnPath("zenity"); !m_path.empty())
    {
        m_kind = e_zenity;
    }
    else if (m_path = findOnPath("kdialog"); !m_path.empty())
    {
        m_kind = e_kdialog;
    }
}

bool CDialogProgram::run(const std::vector<std::string> &arguments, std::string &outputOut) const
{
    int output[2];
    if (m_kind == e_none || pipe(output) != 0)
    {
        return false;
    }
    std::vector<char *> argv{const_cast<char *>(m_path.c_str())};
    for (const std::string &argument : arguments)
    {
        argv.push_back(const_cast<char *>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0)
    {
        // Only async-signal-safe calls between fork and exec.
        dup2(output[1], STDOUT_FILENO);
        close(output[0]);
        close(output[1]);
        execv(m_path.c_str(), argv.data());
        _exit(127);
    }
    close(output[1]);
    if (child < 0)
    {
        close(output[0]);
        return false;
    }
    outputOut = readAll(output[0]);
    close(output[0]);
    if (!outputOut.empty() && outputOut.back() == '\n')
    {
        outputOut.pop_back();
    }
    return waitForExit(child) == 0;
}
} // namespace Orvalite::GUI::Windowing
