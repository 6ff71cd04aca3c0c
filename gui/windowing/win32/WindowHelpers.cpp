// The small dialogs on Windows: message boxes, the common file dialogs and the
// shell's folder browser, in UTF-16 at the boundary.
#include "gui/windowing/WindowHelpers.h"

#include "foundation/basics/win32/CWideText.h"
#include "gui/windowing/INativeWindowSystem.h"
#include "gui/windowing/IWindow.h"

#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include <string>

namespace Orvalite::GUI::Windowing
{
using ::Orvalite::Basics::CString;
using ::Orvalite::Basics::Win32::CWideText;

namespace
{
// The chooser's file-name buffer, terminator included: longer initial paths are cut.
constexpr size_t PATH_BUFFER_SIZE = 512;

enum EChooser
{
    e_open,
    e_save,
};

std::wstring wide(const CString &text)
{
    return CWideText::fromUtf8(text.getString());
}

// "description\0*.extension\0All files (*.*)\0*.*\0\0", as the filter wants it.
std::wstring filterOf(const CString &description, const CString &extension)
{
    std::wstring filter = wide(description);
    filter += L'\0';
    filter += L"*." + wide(extension);
    filter += L'\0';
    filter += L"All files (*.*)";
    filter += L'\0';
    filter += L"*.*";
    filter += L'\0';
    return filter;
}

bool chooseFile(EChooser chooser, CString &pathInOut, const IWindow *owner, const CString &description,
                const CString &extension)
{
    std::wstring path = wide(pathInOut).substr(0, PATH_BUFFER_SIZE - 1);
    path.resize(PATH_BUFFER_SIZE, L'\0');
    const std::wstring filter = filterOf(description, extension);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner ? reinterpret_cast<HWND>(owner->getWindowHandle()) : nullptr;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(PATH_BUFFER_SIZE);
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_LONGNAMES | OFN_EXPLORER | OFN_ENABLESIZING |
                   (chooser == e_open ? OFN_FILEMUSTEXIST : 0);
    const BOOL confirmed = chooser == e_save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!confirmed)
    {
        return false;
    }
    pathInOut = CWideText::toUtf8(path.c_str()).c_str();
    return true;
}
} // namespace

void showMessage(const CString &message, const CString &title, bool isError)
{
    MessageBoxW(nullptr, wide(message).c_str(), wide(title).c_str(), isError ? MB_ICONERROR : MB_OK);
}

bool askQuestion(const CString &message, const CString &title)
{
    return MessageBoxW(nullptr, wide(message).c_str(), wide(title).c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
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
    wchar_t displayName[MAX_PATH] = {};
    const std::wstring caption = wide(title);
    BROWSEINFOW browse{};
    browse.pszDisplayName = displayName;
    browse.lpszTitle = caption.c_str();
    browse.ulFlags = BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    LPITEMIDLIST chosen = SHBrowseForFolderW(&browse);
    if (!chosen)
    {
        return false;
    }
    wchar_t path[MAX_PATH] = {};
    const bool found = SHGetPathFromIDListW(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    if (found)
    {
        pathOut = CWideText::toUtf8(path).c_str();
    }
    return found;
}

bool getSaveFileName(CString &pathInOut, const IWindow *owner, const CString &description, const CString &extension)
{
    return chooseFile(e_save, pathInOut, owner, description, extension);
}

bool getOpenFileName(CString &pathInOut, const IWindow *owner, const CString &description, const CString &extension)
{
    return chooseFile(e_open, pathInOut, owner, description, extension);
}
} // namespace Orvalite::GUI::Windowing
