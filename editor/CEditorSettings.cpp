#include "editor/CEditorSettings.h"

#include "foundation/host/CFileUtilities.h"
#include "foundation/io/CFileSystem.h"
#include "foundation/io/CXMLDocument.h"
#include "foundation/io/TraceLog.h"

#include <cstdlib>

namespace Orvalite::Veltrix
{
namespace
{
const char *const FILE_NAME = "settings.xml";
const char *const ROOT_NAME = "ZeloSettings";
const char *const EDITOR_NAME = "Editor";
const char *const SIZE_NAME = "size";

bool isSupportedSize(long percent)
{
    return CEditorScale(percent).getPercent() == percent;
}
} // namespace

CEditorSettings::CEditorSettings(const Basics::CSystemString &folder)
    : m_hasFolder(true), m_folder(folder), m_path(folder)
{
    m_path.appendPath(FILE_NAME);
}

CEditorSettings CEditorSettings::forUser()
{
    Basics::CSystemString folder;
    return findUserFolder(folder) ? CEditorSettings(folder) : CEditorSettings();
}

bool CEditorSettings::findUserFolder(Basics::CSystemString &folderOut)
{
#ifdef _WIN32
    const char *configuration = std::getenv("APPDATA");
    const char *home = nullptr;
#else
    const char *configuration = std::getenv("XDG_CONFIG_HOME");
    const char *home = std::getenv("HOME");
#endif
    if (configuration && *configuration)
    {
        folderOut = configuration;
    }
    else if (home && *home)
    {
        folderOut = home;
        folderOut.appendPath(".config");
    }
    else
    {
        return false;
    }
    folderOut.appendPath("Zelo");
    return true;
}

bool CEditorSettings::readScale(CEditorScale &scaleOut) const
{
    if (!m_hasFolder || !Host::CFileUtilities::doesFileExist(m_path))
    {
        return false;
    }
    IO::CXMLDocument document;
    const IO::CXMLNode *root = document.readFile(m_path) ? document.getRootNode() : nullptr;
    const IO::CXMLNode *editor = root && root->getNodeName() == ROOT_NAME ? root->getChildNode(EDITOR_NAME) : nullptr;
    const long percent = editor ? Basics::CString::toLong(editor->getAttributeValue(SIZE_NAME)) : 0;
    if (!isSupportedSize(percent))
    {
        IO::traceMessage(m_path, "Ignoring the damaged settings file ");
        return false;
    }
    scaleOut = CEditorScale(percent);
    return true;
}

bool CEditorSettings::writeScale(const CEditorScale &scale) const
{
    if (!m_hasFolder)
    {
        return false;
    }
    Basics::CSystemString parent(m_folder);
    parent.removeLastPathComponent();
    Host::CFileUtilities::createFolder(parent);
    Host::CFileUtilities::createFolder(m_folder);
    IO::CXMLDocument document;
    auto *root = new IO::CXMLNode(ROOT_NAME);
    root->addChildNode(EDITOR_NAME)->addAttribute(SIZE_NAME, Basics::CString::fromLong(scale.getPercent()));
    document.setRootNode(root);
    Basics::CSystemString temporary;
    const bool created = Host::CFileUtilities::createTemporaryFileBeside(m_path, temporary);
    if (created && document.writeFile(temporary) && IO::CFileSystem::replaceFile(temporary, m_path))
    {
        return true;
    }
    if (created)
    {
        IO::CFileSystem::removeFile(temporary);
    }
    IO::traceMessage(m_path, "Cannot write the settings file ");
    return false;
}

CEditorScale CEditorSettings::startScale(const char *environmentFactor, long dotsPerInch) const
{
    CEditorScale scale;
    if (CEditorScale::fromFactorText(environmentFactor, scale))
    {
        return scale;
    }
    if (environmentFactor)
    {
        IO::traceMessage("Ignoring ZELO_EDITOR_SCALE=%s: the sizes are 1, 1.5 and 2", environmentFactor);
    }
    return readScale(scale) ? scale : CEditorScale::forDotsPerInch(dotsPerInch);
}
} // namespace Orvalite::Veltrix
