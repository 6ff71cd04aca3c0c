// The desktop's dialog program (zenity, else kdialog) as found on PATH, run
// without a shell to ask the user a question or for a file. Used by the
// window helpers for one dialog at a time.
#pragma once

#include <string>
#include <vector>

namespace Orvalite::GUI::Windowing
{
class CDialogProgram
{
public:
    enum EKind
    {
        e_none,
        e_zenity,
        e_kdialog,
    };

    // Looks the programs up on PATH now.
    CDialogProgram();

    EKind getKind() const { return m_kind; }
    // Runs the program with the arguments and waits for it. True when it ran and
    // exited with 0; its standard output, without the final line end, goes to outputOut.
    bool run(const std::vector<std::string> &arguments, std::string &outputOut) const;

private:
    EKind m_kind = e_none;
    std::string m_path;
};
} // namespace Orvalite::GUI::Windowing
