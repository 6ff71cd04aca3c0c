#include "foundation/host/CFileUtilities.h"

#include "foundation/io/CFileStream.h"
#include "foundation/io/CFileSystem.h"
#include "foundation/io/TraceLog.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace Orvalite::Host
{
namespace
{
const char *const DRIVE_TYPE_NAMES[] = {"Unknown Drive Type", "Unmounted Drive", "Removable Drive", "Fixed Drive",
                                        "Network Drive",      "CD ROM Drive",    "RAM Drive"};

bool isDotEntry(const std::string &name)
{
    return name == "." || name == "..";
}
} // namespace

bool CFileUtilities::doesFileExistInFolder(const Basics::CSystemString &folder, const Basics::CString &name)
{
    Basics::CSystemString path(folder);
    path.appendPath(name);
    return doesFileExist(path);
}

bool CFileUtilities::hasFileExtension(const Basics::CSystemString &path)
{
    const char *text = path.getString();
    const char *lastSeparator = std::strrchr(text, Basics::PATH_SEPARATOR);
    const char *name = lastSeparator ? lastSeparator + 1 : text;
    return name[0] != '\0' && std::strchr(name + 1, '.') != nullptr;
}

bool CFileUtilities::createFolder(const Basics::CSystemString &path)
{
    return !hasFileExtension(path) && makeFolder(path);
}

bool CFileUtilities::transferContents(const Basics::CSystemString &source, const Basics::CSystemString &destination)
{
    IO::CFileStream input(source, IO::CFileStream::MODE_READ, true);
    IO::CFileStream output(destination, IO::CFileStream::MODE_WRITE, true);
    long left = input.getStreamSize();
    if (!input.isOpenForReading() || !output.isOpenForWriting() || left < 0)
    {
        return false;
    }
    // In steps, so that a large file needs no memory of its size.
    std::unique_ptr<char[]> buffer(new char[COPY_CHUNK_SIZE]);
    while (left > 0)
    {
        const long step = std::min(left, COPY_CHUNK_SIZE);
        if (!input.readData(buffer.get(), step) || !output.writeData(buffer.get(), step))
        {
            return false;
        }
        left -= step;
    }
    output.closeStream();
    return !output.hasFailed();
}

bool CFileUtilities::copyFile(const Basics::CSystemString &source, const Basics::CSystemString &destination,
                              bool overwrite)
{
    {
        IO::CFileStream input(source, IO::CFileStream::MODE_READ, true);
        if (!input.isOpenForReading())
        {
            return false;
        }
    }
    if (!overwrite && doesFileExist(destination))
    {
        return false;
    }
    Basics::CSystemString temporary;
    if (!createTemporaryFileBeside(destination, temporary))
    {
        return false;
    }
    if (transferContents(source, temporary) && publishCopy(source, temporary, destination, overwrite))
    {
        return true;
    }
    IO::CFileSystem::removeFile(temporary);
    return false;
}

bool CFileUtilities::writeWholeFile(const Basics::CSystemString &destination, const void *data, size_t size)
{
    Basics::CSystemString temporary;
    if (!createTemporaryFileBeside(destination, temporary))
    {
        return false;
    }
    std::FILE *file = IO::CFileSystem::openFile(temporary, "wb");
    bool written = file && std::fwrite(data, 1, size, file) == size;
    written = file && std::fclose(file) == 0 && written;
    if (written && IO::CFileSystem::replaceFile(temporary, destination))
    {
        return true;
    }
    IO::CFileSystem::removeFile(temporary);
    return false;
}

long CFileUtilities::getNumberOfFilesInFolder(const Basics::CSystemString &pattern)
{
    std::vector<SFindData> entries;
    Basics::CString errorText;
    if (!findEntries(pattern, entries, errorText))
    {
        return 0;
    }
    return static_cast<long>(std::count_if(entries.begin(), entries.end(), [](const SFindData &entry) {
        return !(entry.attributes & SFindData::ATTRIBUTE_DIRECTORY);
    }));
}

void CFileUtilities::getFileNamesInFolder(const Basics::CSystemString &pattern,
                                          Collections::TPointerCollection<Basics::CString> &names)
{
    std::vector<SFindData> entries;
    Basics::CString errorText;
    if (!findEntries(pattern, entries, errorText))
    {
        return;
    }
    for (const SFindData &entry : entries)
    {
        if (entry.attributes != SFindData::ATTRIBUTE_DIRECTORY)
        {
            names.addElement(new Basics::CString(entry.fileName.c_str()));
        }
    }
}

void CFileUtilities::getFolderContents(const Basics::CSystemString &folder,
                                       Collections::TPointerCollection<CFileInformation> &contents)
{
    Basics::CSystemString pattern(folder);
    pattern.appendPath("*");
    std::vector<SFindData> entries;
    Basics::CString errorText;
    if (!findEntries(pattern, entries, errorText))
    {
        IO::traceMessage(folder, "Failed to find file in directory");
        IO::traceMessage("%s", errorText.getString());
        return;
    }
    Basics::CSystemString folderText(folder);
    const long length = folderText.getNumberOfCharacters() - 1;
    if (folderText.characterAt(length - 1) != Basics::PATH_SEPARATOR)
    {
        folderText.appendSeparator();
    }
    for (const SFindData &entry : entries)
    {
        if (!isDotEntry(entry.fileName))
        {
            auto information = std::make_unique<CFileInformation>(entry);
            information->setFolderName(folderText);
            contents.addElement(information.release());
        }
    }
}

int CFileUtilities::compareFileInformation(const CFileInformation *first, const CFileInformation *second)
{
    if (first == second)
    {
        return 0;
    }
    if (!first || !second)
    {
        return first ? -1 : 1;
    }
    if (first->isFolder() != second->isFolder())
    {
        return first->isFolder() ? -1 : 1;
    }
    return std::strcmp(first->getFileName().getString(), second->getFileName().getString());
}

void CFileUtilities::sortFolderContents(Collections::TPointerCollection<CFileInformation> &contents)
{
    contents.sortArray(&CFileUtilities::compareFileInformation);
}

bool CFileUtilities::isFixedDrive(const Basics::CSystemString &path)
{
    return getDriveType(path) == DRIVE_FIXED;
}

bool CFileUtilities::isNetworkDrive(const Basics::CSystemString &path)
{
    return getDriveType(path) == DRIVE_NETWORK;
}

bool CFileUtilities::isCDRomDrive(const Basics::CSystemString &path)
{
    return getDriveType(path) == DRIVE_CDROM;
}

Basics::CString CFileUtilities::getDriveTypeName(const Basics::CSystemString &path)
{
    return Basics::CString(getDriveTypeNameOf(getDriveType(path)));
}

const char *CFileUtilities::getDriveTypeNameOf(long driveType)
{
    return driveType >= DRIVE_UNKNOWN && driveType <= DRIVE_RAM ? DRIVE_TYPE_NAMES[driveType]
                                                                : DRIVE_TYPE_NAMES[DRIVE_UNKNOWN];
}
} // namespace Orvalite::Host
