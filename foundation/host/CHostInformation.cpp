#include "foundation/host/CHostInformation.h"

#include "foundation/host/CDisplayMetrics.h"
#include "foundation/host/CFileUtilities.h"
#include "foundation/host/CProcessorFeatures.h"

namespace Orvalite::Host
{
namespace
{
const char *const FEATURES_FILE_NAME = "FPUStats.txt";
// The display and drive reports share this name (a later report replaces an earlier one).
const char *const HOST_FILE_NAME = "CPUStats.txt";

const char *const FEATURES_RULE = "----------------------------------\n";
const char *const DISPLAY_RULE = "------------------------------------------\n\n";
const char *const DRIVE_RULE = "----------------------------------------\n\n";

const char *yesOrNo(bool value)
{
    return value ? "true" : "false";
}
} // namespace

Basics::CSystemString CHostInformation::reportPath(const Basics::CSystemString &path, const char *fileName)
{
    Basics::CSystemString result(path);
    if (!CFileUtilities::hasFileExtension(path))
    {
        result.appendPath(fileName);
    }
    return result;
}

void CHostInformation::writeProcessorFeaturesReport(IO::CTextStream &stream)
{
    stream << "Orvalite FPU info extraction tool \n" << FEATURES_RULE;
    stream << "Has MMX : " << yesOrNo(CProcessorFeatures::hasMMX()) << "\n";
    stream << "Has SSE : " << yesOrNo(CProcessorFeatures::hasSSE()) << "\n";
    stream << "Has SSE2: " << yesOrNo(CProcessorFeatures::hasSSE2()) << "\n";
    stream << "Has SSE3: " << yesOrNo(CProcessorFeatures::hasSSE3()) << "\n";
    stream << "Has HT  : " << yesOrNo(CProcessorFeatures::hasHyperThreading()) << "\n";
    stream << FEATURES_RULE;
}

void CHostInformation::writeDisplayReport(IO::CTextStream &stream)
{
    const SDisplayMetrics metrics = CDisplayMetrics::getMetrics();
    stream << "Orvalite Host display info extraction tool\n" << DISPLAY_RULE;
    stream << "Number of monitors\t:\t\t" << metrics.numberOfMonitors << "\n";
    stream << "Screen width\t\t:\t\t" << metrics.screenWidth << "\n";
    stream << "Screen height\t\t:\t\t" << metrics.screenHeight << "\n";
    stream << DISPLAY_RULE;
}

void CHostInformation::writeDriveReport(IO::CTextStream &stream, const Basics::CString &windowsFolder,
                                        const Basics::CString &tempFolder, const std::vector<SDriveDescription> &drives)
{
    stream << "Orvalite Host drive info extraction tool\n" << DRIVE_RULE;
    stream << "Windows folder : " << windowsFolder << "\n";
    stream << "Window temp folder : " << tempFolder << "\n\n";
    stream << DRIVE_RULE;
    for (const SDriveDescription &drive : drives)
    {
        stream << "Registered name : " << drive.root << "\n";
        stream << "Volume name : " << drive.volumeName << "\n";
        stream << "File system : " << drive.fileSystem << "\n";
        stream << "Serial code : " << drive.serial << "\n";
        stream << "Volume is of type : " << drive.typeName << "\n";
        stream << DRIVE_RULE;
    }
}

bool CHostInformation::writeProcessorFeaturesReport(const Basics::CSystemString &path)
{
    IO::CTextStream stream(reportPath(path, FEATURES_FILE_NAME), IO::CTextStream::MODE_WRITE);
    if (!stream.isOpen())
    {
        return false;
    }
    writeProcessorFeaturesReport(stream);
    return true;
}

bool CHostInformation::writeDisplayReport(const Basics::CSystemString &path)
{
    IO::CTextStream stream(reportPath(path, HOST_FILE_NAME), IO::CTextStream::MODE_WRITE);
    if (!stream.isOpen())
    {
        return false;
    }
    writeDisplayReport(stream);
    return true;
}

bool CHostInformation::writeDriveReport(const Basics::CSystemString &path)
{
    IO::CTextStream stream(reportPath(path, HOST_FILE_NAME), IO::CTextStream::MODE_WRITE);
    if (!stream.isOpen())
    {
        return false;
    }
    Basics::CString windowsFolder;
    Basics::CString tempFolder;
    CFileUtilities::getWindowsFolder(windowsFolder);
    CFileUtilities::getTempFolder(tempFolder);
    std::vector<SDriveDescription> drives;
    {
        Collections::TCountedPointerArray<Basics::CString> roots;
        CFileUtilities::getDriveList(roots);
        for (long index = 0; index < roots.getInsertIndex(); ++index)
        {
            const Basics::CString *root = roots.getElementAtIndex(index);
            if (!root)
            {
                continue;
            }
            SDriveDescription drive;
            drive.root = *root;
            // A volume that cannot be queried is reported with blank names.
            CFileUtilities::getVolumeInformation(Basics::CSystemString(*root), drive.volumeName, drive.fileSystem,
                                                 drive.serial);
            drive.typeName = CFileUtilities::getDriveTypeName(Basics::CSystemString(*root));
            drives.push_back(drive);
        }
    }
    writeDriveReport(stream, windowsFolder, tempFolder, drives);
    return true;
}
} // namespace Orvalite::Host
