// Asks the desktop to open a link (a web address or a file link) in the
// user's preferred application. Fire and forget: the result is not examined.
#pragma once

namespace Orvalite::Host
{
class CLinkOpener
{
public:
    static void open(const char *link);
};
} // namespace Orvalite::Host
