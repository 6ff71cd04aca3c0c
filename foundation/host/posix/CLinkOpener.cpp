#include "foundation/host/CLinkOpener.h"

#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace Orvalite::Host
{
// xdg-open may wait for the application it starts, so a shell starts it in the
// background and returns at once; the link travels as an argument, never as
// shell text.
void CLinkOpener::open(const char *link)
{
    if (!link)
    {
        return;
    }
    char shell[] = "/bin/sh";
    char option[] = "-c";
    char script[] = "xdg-open \"$1\" >/dev/null 2>&1 </dev/null &";
    char name[] = "sh";
    char *arguments[] = {shell, option, script, name, const_cast<char *>(link), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, shell, nullptr, nullptr, arguments, environ) == 0)
    {
        int status = 0;
        waitpid(child, &status, 0);
    }
}
} // namespace Orvalite::Host
