// Reports on the machine the framework runs on (processor features, display,
// drives), written as text files on request. Static only.
#pragma once

#include "foundation/basics/CSystemString.h"
#include "foundation/io/CTextStream.h"

#include <vector>

namespace Orvalite::Host
{
class CHostInformation
{
public:
    // One drive of the drive report.
    struct SDriveDescription
    {
        Basics::CString root;
        Basics::CString volumeName;
        Basics::CString fileSystem;
        long serial = 0;
        Basics::CString typeName;
    };

    CHostInformation() = delete;

    // Each writes its report to `path`, or to a fixed file name inside it when
    // `path` has no file extension (a folder; a separator is added when missing).
    // False when the report file could not be opened.
    static bool writeProcessorFeaturesReport(const Basics::CSystemString &path);
    static bool writeDisplayReport(const Basics::CSystemString &path);
    static bool writeDriveReport(const Basics::CSystemString &path);

    // The report texts, written to an open stream.
    static void writeProcessorFeaturesReport(IO::CTextStream &stream);
    static void writeDisplayReport(IO::CTextStream &stream);
    static void writeDriveReport(IO::CTextStream &stream, const Basics::CString &windowsFolder,
                                 const Basics::CString &tempFolder, const std::vector<SDriveDescription> &drives);

    // The path a report goes to.
    static Basics::CSystemString reportPath(const Basics::CSystemString &path, const char *fileName);
};
} // namespace Orvalite::Host
