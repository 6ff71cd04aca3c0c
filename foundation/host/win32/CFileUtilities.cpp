#include "foundation/host/CFileUtilities.h"

#include "foundation/basics/win32/CWideText.h"
#include "foundation/host/CModuleFile.h"
#include "foundation/host/win32/CErrorDialogGuard.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cwchar>
#include <string>

// After our headers: <windows.h> defines DRIVE_FIXED and its kin as macros,
// which would rewrite the class's constants of the same names.
#include <windows.h>

namespace Orvalite::Host
{
namespace
{
using Basics::Win32::CWideText;

// Names tried for a temporary file before giving up.
const int TEMPORARY_NAME_ATTEMPTS = 100;
const wchar_t SEPARATOR = L'\\';

// Numbers temporary files within this process, so that two copies never race for a name.
std::atomic<unsigned long> s_temporaryNumber{0};

std::wstring wide(const Basics::CSystemString &path)
{
    return CWideText::fromUtf8(path.getString());
}

SFileTime fileTimeOf(const FILETIME &time)
{
    SFileTime fileTime;
    fileTime.ticks = static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
    return fileTime;
}

SFindData findDataOf(const WIN32_FIND_DATAW &found)
{
    SFindData data;
    data.attributes = found.dwFileAttributes;
    data.creationTime = fileTimeOf(found.ftCreationTime);
    data.lastAccessTime = fileTimeOf(found.ftLastAccessTime);
    data.lastWriteTime = fileTimeOf(found.ftLastWriteTime);
    data.size = static_cast<uint64_t>(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
    data.fileName = CWideText::toUtf8(found.cFileName);
    data.alternateFileName = found.cAlternateFileName[0] ? CWideText::toUtf8(found.cAlternateFileName) : data.fileName;
    return data;
}

Basics::CString errorTextOf(DWORD error)
{
    wchar_t text[256] = {};
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                        text, sizeof(text) / sizeof(text[0]), nullptr);
    std::string message = length > 0 ? CWideText::toUtf8(text) : "Unknown error";
    // The system's texts end with a line end.
    message.erase(message.find_last_not_of(" \r\n") + 1);
    return Basics::CString(message.c_str());
}

// A folder's text ending with one separator.
Basics::CString folderTextOf(std::wstring folder)
{
    if (!folder.empty() && folder.back() != SEPARATOR)
    {
        folder += SEPARATOR;
    }
    return Basics::CString(CWideText::toUtf8(folder.c_str()).c_str());
}

// The root of the volume holding the existing `path`: a drive ("C:\") or the
// folder a volume is mounted on.
bool findVolumeRoot(const Basics::CSystemString &path, std::wstring &root)
{
    const std::wstring name = wide(path);
    if (GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES)
    {
        return false;
    }
    // A root is never longer than the full path of what it holds, plus a separator.
    std::wstring buffer(std::max<size_t>(name.size(), MAX_PATH) + 2, L'\0');
    if (!GetVolumePathNameW(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size())))
    {
        return false;
    }
    root = buffer.c_str();
    return true;
}
} // namespace

bool CFileUtilities::doesFileExist(const Basics::CSystemString &path)
{
    // Without backup semantics a folder does not open, so only files answer.
    HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
    {
        return false;
    }
    CloseHandle(file);
    return true;
}

bool CFileUtilities::isFolder(const Basics::CSystemString &path)
{
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CFileUtilities::makeFolder(const Basics::CSystemString &path)
{
    return CreateDirectoryW(wide(path).c_str(), nullptr) != 0;
}

bool CFileUtilities::createTemporaryFileBeside(const Basics::CSystemString &destination,
                                               Basics::CSystemString &temporary)
{
    for (int attempt = 0; attempt < TEMPORARY_NAME_ATTEMPTS; ++attempt)
    {
        char suffix[32];
        std::snprintf(suffix, sizeof(suffix), ".%lx-%lx", GetCurrentProcessId(), s_temporaryNumber++);
        const std::string name = std::string(destination.getString()) + suffix;
        HANDLE file = CreateFileW(CWideText::fromUtf8(name.c_str()).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
        {
            CloseHandle(file);
            temporary = name.c_str();
            return true;
        }
        // A name left over by an earlier process is skipped; any other failure is final.
        if (GetLastError() != ERROR_FILE_EXISTS)
        {
            return false;
        }
    }
    return false;
}

bool CFileUtilities::publishCopy(const Basics::CSystemString &source, const Basics::CSystemString &temporary,
                                 const Basics::CSystemString &destination, bool overwrite)
{
    const std::wstring target = wide(destination);
    // Without overwriting, the move itself refuses a destination that appeared while copying.
    if (!MoveFileExW(wide(temporary).c_str(), target.c_str(), overwrite ? MOVEFILE_REPLACE_EXISTING : 0))
    {
        return false;
    }
    // The read-only mark is what Windows keeps of a file's permissions.
    const DWORD sourceAttributes = GetFileAttributesW(wide(source).c_str());
    const DWORD copyAttributes = GetFileAttributesW(target.c_str());
    if (sourceAttributes != INVALID_FILE_ATTRIBUTES && (sourceAttributes & FILE_ATTRIBUTE_READONLY) &&
        copyAttributes != INVALID_FILE_ATTRIBUTES)
    {
        SetFileAttributesW(target.c_str(), copyAttributes | FILE_ATTRIBUTE_READONLY);
    }
    return true;
}

void CFileUtilities::getApplicationPath(Basics::CString &path, bool withSeparator)
{
    std::string folder = CModuleFile::getModuleFileName(GetModuleHandleW(nullptr));
    const size_t separator = folder.find_last_of(Basics::PATH_SEPARATOR);
    if (separator == std::string::npos)
    {
        path = "";
        return;
    }
    folder.erase(separator + 1);
    if (!withSeparator && folder.size() > 1)
    {
        folder.pop_back();
    }
    path = folder.c_str();
}

bool CFileUtilities::findEntries(const Basics::CSystemString &pattern, std::vector<SFindData> &entries,
                                 Basics::CString &errorText)
{
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(wide(pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
    {
        const DWORD error = GetLastError();
        // The folder was read; no name in it matches.
        if (error == ERROR_FILE_NOT_FOUND)
        {
            return true;
        }
        errorText = errorTextOf(error);
        return false;
    }
    do
    {
        entries.push_back(findDataOf(found));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}

void CFileUtilities::getDriveList(Collections::TCountedPointerArray<Basics::CString> &drives)
{
    // "C:\", "D:\", ... one after another, each with its terminator, then one more.
    const DWORD length = GetLogicalDriveStringsW(0, nullptr);
    std::wstring roots(length, L'\0');
    if (length == 0 || GetLogicalDriveStringsW(length, roots.data()) == 0)
    {
        return;
    }
    for (const wchar_t *root = roots.c_str(); *root; root += std::wcslen(root) + 1)
    {
        drives.addElement(new Basics::CString(CWideText::toUtf8(root).c_str()));
    }
}

// GetDriveTypeW answers with the DRIVE_* numbers of this class.
long CFileUtilities::getDriveType(const Basics::CSystemString &path)
{
    const Win32::CErrorDialogGuard quiet;
    std::wstring root;
    return findVolumeRoot(path, root) ? static_cast<long>(GetDriveTypeW(root.c_str())) : DRIVE_NO_ROOT;
}

bool CFileUtilities::getVolumeInformation(const Basics::CSystemString &root, Basics::CString &volumeName,
                                          Basics::CString &fileSystem, long &serial)
{
    const Win32::CErrorDialogGuard quiet;
    std::wstring volumeRoot;
    wchar_t name[MAX_PATH + 1] = {};
    wchar_t system[MAX_PATH + 1] = {};
    DWORD number = 0;
    if (!findVolumeRoot(root, volumeRoot) ||
        !GetVolumeInformationW(volumeRoot.c_str(), name, MAX_PATH + 1, &number, nullptr, nullptr, system, MAX_PATH + 1))
    {
        return false;
    }
    volumeName = CWideText::toUtf8(name).c_str();
    fileSystem = CWideText::toUtf8(system).c_str();
    serial = static_cast<long>(number);
    return true;
}

void CFileUtilities::getWindowsFolder(Basics::CString &folder)
{
    wchar_t text[MAX_PATH + 1] = {};
    const UINT length = GetWindowsDirectoryW(text, MAX_PATH + 1);
    folder = folderTextOf(length > 0 && length <= MAX_PATH ? text : L"");
}

void CFileUtilities::getTempFolder(Basics::CString &folder)
{
    wchar_t text[MAX_PATH + 2] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 2, text);
    folder = folderTextOf(length > 0 && length <= MAX_PATH + 1 ? text : L"");
}
} // namespace Orvalite::Host
