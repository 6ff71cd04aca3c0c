// Tells the user about a failure the program cannot recover from: a message box
// on Windows; on Linux, where a plug-in has no toolkit to borrow, the title and
// text go to standard error.
#pragma once

namespace Orvalite::Host
{
class CMessageBox
{
public:
    static void showError(const char *title, const char *text);
};
} // namespace Orvalite::Host
