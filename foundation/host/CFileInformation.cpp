#include "foundation/host/CFileInformation.h"

namespace Orvalite::Host
{
ORVALITE_DEFINE_CLASS_RECORD(CFileInformation, "CFileInformation", "CCountedObject")

CFileInformation::CFileInformation(const SFindData &findData)
    : m_creationTime(findData.creationTime), m_lastAccessTime(findData.lastAccessTime),
      m_lastWriteTime(findData.lastWriteTime),
      // The whole size: files of 4 GiB and more keep their true size.
      m_fileSize(static_cast<double>(findData.size)), m_fileName(findData.fileName.c_str()),
      m_shortFileName(findData.alternateFileName.c_str())
{
    if (findData.attributes & SFindData::ATTRIBUTE_DIRECTORY)
    {
        m_fileType = FILE_TYPE_FOLDER;
    }
    else if (!(findData.attributes & SFindData::ATTRIBUTE_NORMAL) &&
             (findData.attributes & SFindData::ATTRIBUTE_SYSTEM))
    {
        m_fileType = FILE_TYPE_SYSTEM_FILE;
    }
    else
    {
        m_fileType = FILE_TYPE_FILE;
    }
}

void CFileInformation::setFolderName(const Basics::CString &folder)
{
    m_folderName = folder;
    Basics::CSystemString path(folder);
    path.appendPath(m_fileName);
    m_fullPath = path;
}
} // namespace Orvalite::Host
