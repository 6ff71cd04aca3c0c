// Folder and file services on paths: existence, folders, copying, folder
// listings, and the drives (mount points on Linux) with their volumes.
// Static only; whatever a listing creates belongs to the collection it fills.
#pragma once

#include "foundation/basics/CSystemString.h"
#include "foundation/collections/TCountedPointerArray.h"
#include "foundation/collections/TPointerCollection.h"
#include "foundation/host/CFileInformation.h"
#include "foundation/host/SFindData.h"

#include <cstddef>
#include <vector>

namespace Orvalite::Host
{
class CFileUtilities
{
public:
    static constexpr long DRIVE_UNKNOWN = 0;
    static constexpr long DRIVE_NO_ROOT = 1;
    static constexpr long DRIVE_REMOVABLE = 2;
    static constexpr long DRIVE_FIXED = 3;
    static constexpr long DRIVE_NETWORK = 4;
    static constexpr long DRIVE_CDROM = 5;
    static constexpr long DRIVE_RAM = 6;
    // Bytes moved per step of a copy.
    static constexpr long COPY_CHUNK_SIZE = 65536;

    CFileUtilities() = delete;

    // A file (not a folder) that opens for reading.
    static bool doesFileExist(const Basics::CSystemString &path);
    static bool doesFileExistInFolder(const Basics::CSystemString &folder, const Basics::CString &name);
    static bool isFolder(const Basics::CSystemString &path);
    // Whether the last component of `path` has a '.' after its first character
    // (so hidden names such as ".config" have none).
    static bool hasFileExtension(const Basics::CSystemString &path);
    // Refused when the path names a file (hasFileExtension); true when the folder was created.
    static bool createFolder(const Basics::CSystemString &path);
    // Copies the whole source. The copy is written beside the destination
    // under a temporary name and renamed over it only once complete, so a
    // failure leaves the destination as it was. Without `overwrite` an
    // existing destination is kept and the answer is false.
    static bool copyFile(const Basics::CSystemString &source, const Basics::CSystemString &destination, bool overwrite);
    // Makes `size` bytes the whole of `destination`, replacing any file there. The
    // bytes go to a temporary file beside it, renamed over it only once complete.
    static bool writeWholeFile(const Basics::CSystemString &destination, const void *data, size_t size);
    // Creates an empty file with a fresh name (no other writer, thread or
    // process, gets the same) in the folder of `destination`, to be renamed over it.
    static bool createTemporaryFileBeside(const Basics::CSystemString &destination, Basics::CSystemString &temporary);
    // The folder of the running program (the host), with a trailing separator when asked.
    static void getApplicationPath(Basics::CString &path, bool withSeparator);

    // `pattern` is a folder, a separator and a name pattern with * and ?
    // ("*.*" matches every name, as on Windows).
    static long getNumberOfFilesInFolder(const Basics::CSystemString &pattern);
    static void getFileNamesInFolder(const Basics::CSystemString &pattern,
                                     Collections::TPointerCollection<Basics::CString> &names);
    // Appends an entry for everything in `folder` except "." and "..", in the
    // platform's order; when the folder cannot be read, traces why and appends nothing.
    static void getFolderContents(const Basics::CSystemString &folder,
                                  Collections::TPointerCollection<CFileInformation> &contents);
    // Folders first, then by name (byte by byte); empty slots last.
    static void sortFolderContents(Collections::TPointerCollection<CFileInformation> &contents);
    static int compareFileInformation(const CFileInformation *first, const CFileInformation *second);

    // One root (ending with a separator) per drive: the mount points on Linux.
    static void getDriveList(Collections::TCountedPointerArray<Basics::CString> &drives);
    // DRIVE_* of the drive holding `path`; DRIVE_NO_ROOT when there is no such path.
    static long getDriveType(const Basics::CSystemString &path);
    static bool isFixedDrive(const Basics::CSystemString &path);
    static bool isNetworkDrive(const Basics::CSystemString &path);
    static bool isCDRomDrive(const Basics::CSystemString &path);
    static Basics::CString getDriveTypeName(const Basics::CSystemString &path);
    // The name of a DRIVE_* number ("Fixed Drive"); unknown numbers name the unknown type.
    static const char *getDriveTypeNameOf(long driveType);
    // The volume's name (its device or source on Linux), file system and serial
    // number; false (and the outputs unchanged) when the root cannot be queried.
    static bool getVolumeInformation(const Basics::CSystemString &root, Basics::CString &volumeName,
                                     Basics::CString &fileSystem, long &serial);
    // The Windows folder with a trailing separator ("C:\Windows\"); "/" on Linux.
    static void getWindowsFolder(Basics::CString &folder);
    // The user's temporary folder on Windows, $TMPDIR or /tmp on Linux, with a trailing separator.
    static void getTempFolder(Basics::CString &folder);

private:
    // The entries whose names match the last component of `pattern`, "." and
    // ".." included; false with the platform's reason when the folder cannot be read.
    static bool findEntries(const Basics::CSystemString &pattern, std::vector<SFindData> &entries,
                            Basics::CString &errorText);
    static bool makeFolder(const Basics::CSystemString &path);
    // Gives the finished copy the source's permissions and moves it to its
    // destination, never over an existing file unless `overwrite`.
    static bool publishCopy(const Basics::CSystemString &source, const Basics::CSystemString &temporary,
                            const Basics::CSystemString &destination, bool overwrite);
    static bool transferContents(const Basics::CSystemString &source, const Basics::CSystemString &destination);
};
} // namespace Orvalite::Host
