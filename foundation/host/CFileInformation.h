// One entry of a folder listing: its kind, times, size and names. Built by
// the folder utilities; owned by the collection the listing fills.
#pragma once

#include "foundation/basics/CSystemString.h"
#include "foundation/host/CTime.h"
#include "foundation/host/SFindData.h"

namespace Orvalite::Host
{
class CFileInformation : public Basics::CCountedObject
{
public:
    static constexpr long FILE_TYPE_FOLDER = 2;
    static constexpr long FILE_TYPE_FILE = 5;
    static constexpr long FILE_TYPE_SYSTEM_FILE = 9;
    static constexpr long FILE_TYPE_UNKNOWN = 11;

    CFileInformation() = default;
    CFileInformation(const CFileInformation &other) = default;
    explicit CFileInformation(const SFindData &findData);
    CFileInformation &operator=(const CFileInformation &other) = default;

    long getFileType() const { return m_fileType; }
    bool isFolder() const { return m_fileType == FILE_TYPE_FOLDER; }
    const CTime &getCreationTime() const { return m_creationTime; }
    const CTime &getLastAccessTime() const { return m_lastAccessTime; }
    const CTime &getLastWriteTime() const { return m_lastWriteTime; }
    // Bytes.
    double getFileSize() const { return m_fileSize; }
    void setFileSize(double size) { m_fileSize = size; }
    const Basics::CString &getFileName() const { return m_fileName; }
    const Basics::CString &getShortFileName() const { return m_shortFileName; }
    const Basics::CString &getFolderName() const { return m_folderName; }
    const Basics::CSystemString &getFullPath() const { return m_fullPath; }

    // Sets the folder and the full path (folder, one separator, file name).
    void setFolderName(const Basics::CString &folder);

    ORVALITE_CLASS_RECORD(CFileInformation)

private:
    long m_fileType = FILE_TYPE_UNKNOWN;
    CTime m_creationTime;
    CTime m_lastAccessTime;
    CTime m_lastWriteTime;
    double m_fileSize = 0.0;
    Basics::CString m_fileName;
    Basics::CString m_shortFileName;
    Basics::CString m_folderName;
    Basics::CSystemString m_fullPath;
};
} // namespace Orvalite::Host
