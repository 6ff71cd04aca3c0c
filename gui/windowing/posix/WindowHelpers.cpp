#include "gui/windowing/WindowHelpers.h"

#include "gui/windowing/INativeWindowSystem.h"
#include "gui/windowing/posix/CDialogProgram.h"

#include <cstdio>
#include <string>
#include <vector>

namespace Orvalite::GUI::Windowing
{
using ::Orvalite::Basics::CString;

namespace
{
// The chooser's file-name buffer, terminator included: longer initial paths are cut.
constexpr size_t PATH_BUFFER_SIZE = 512;

enum EChooser
{
    e_open,
    e_save,
};

// Runs the dialog program with the arguments for its kind; without one, says so and answers false.
bool runDialog(const char *what, const std::vector<std::string> &zenityArguments,
               const std::vector<std::string> &kdialogArguments, std::string &answerOut)
{
    const CDialogProgram program;
    switch (program.getKind())
    {
    case CDialogProgram::e_zenity:
        return program.run(zenityArguments, answerOut);
    case CDialogProgram::e_kdialog:
        return program.run(kdialogArguments, answerOut);
    case CDialogProgram::e_none:
        break;
    }
    std::fprintf(stderr, "%s: neither zenity nor kdialog is installed; answering no\n", what);
    return false;
}

bool chooseFile(EChooser chooser, CString &pathInOut, const CString &description, const CString &extension)
{
    const std::string initialPath = std::string(pathInOut.getString()).substr(0, PATH_BUFFER_SIZE - 1);
    const std::string pattern = std::string("*.") + extension.getString();
    const std::string allFiles = "All files (*.*)";
    std::vector<std::string> zenity{"--file-selection",
                                    std::string("--file-filter=") + description.getString() + " | " + pattern,
                                    "--file-filter=" + allFiles + " | *"};
    if (chooser == e_save)
    {
        zenity.push_back("--save");
    }
    if (!initialPath.empty())
    {
        zenity.push_back("--filename=" + initialPath);
    }
    const std::vector<std::string> kdialog{chooser == e_save ? "--getsavefilename" : "--getopenfilename",
                                           initialPath.empty() ? "." : initialPath,
                                           pattern + "|" + description.getString() + "\n*|" + allFiles};
    std::string chosen;
    if (!runDialog(chooser == e_save ? "Save file" : "Open file", zenity, kdialog, chosen) || chosen.empty())
    {
        return false;
    }
    pathInOut = chosen.c_str();
    return true;
}
} // namespace

void showMessage(const CString &message, const CString &title, bool isError)
{
    std::fprintf(stderr, "%s%s: %s\n", isError ? "Error: " : "", title.getString(), message.getString());
}

bool askQuestion(const CString &message, const CString &title)
{
    std::string answer;
    return runDialog(
        title.getString(),
        {"--question", std::string("--title=") + title.getString(), std::string("--text=") + message.getString()},
        {"--title", title.getString(), "--yesno", message.getString()}, answer);
}

void beep()
{
    if (INativeWindowSystem *system = INativeWindowSystem::current())
    {
        system->beep();
    }
}

bool browseForFolder(CString &pathOut, const CString &title)
{
    std::string chosen;
    if (!runDialog(title.getString(), {"--file-selection", "--directory", std::string("--title=") + title.getString()},
                   {"--title", title.getString(), "--getexistingdirectory", "."}, chosen) ||
        chosen.empty())
    {
        return false;
    }
    pathOut = chosen.c_str();
    return true;
}

bool getSaveFileName(CString &pathInOut, const IWindow *, const CString &description, const CString &extension)
{
    return chooseFile(e_save, pathInOut, description, extension);
}

bool getOpenFileName(CString &pathInOut, const IWindow *, const CString &description, const CString &extension)
{
    return chooseFile(e_open, pathInOut, description, extension);
}
} // namespace Orvalite::GUI::Windowing
