#include "foundation/host/CHostInformation.h"

#include "foundation/host/CDisplayMetrics.h"
#include "foundation/host/CProcessorFeatures.h"
#include "tests/foundation/CTemporaryFolder.h"

#include <gtest/gtest.h>

#include <string>

using Orvalite::Basics::CString;
using Orvalite::Basics::CSystemString;
using Orvalite::Host::CDisplayMetrics;
using Orvalite::Host::CHostInformation;
using Orvalite::Host::CProcessorFeatures;
using Orvalite::Host::SDisplayMetrics;
using Orvalite::IO::CTextStream;
using Orvalite::Testing::CTemporaryFolder;

namespace
{
const char *const DRIVE_RULE = "----------------------------------------\n\n";

SDisplayMetrics twoMonitors()
{
    SDisplayMetrics metrics;
    metrics.numberOfMonitors = 2;
    metrics.screenWidth = 1920;
    metrics.screenHeight = 1080;
    return metrics;
}
} // namespace

TEST(HostInformation, FeaturesReportShowsTheDecodedBits)
{
    CTemporaryFolder folder;
    CProcessorFeatures::decodeFeatures(1u << 23 | 1u << 26, 1u);
    ASSERT_TRUE(CHostInformation::writeProcessorFeaturesReport(CSystemString(folder.path().c_str())));
    CProcessorFeatures::detectFeatures();
    EXPECT_EQ(folder.read("FPUStats.txt"), "Orvalite FPU info extraction tool \n"
                                           "----------------------------------\n"
                                           "Has MMX : true\n"
                                           "Has SSE : false\n"
                                           "Has SSE2: true\n"
                                           "Has SSE3: true\n"
                                           "Has HT  : false\n"
                                           "----------------------------------\n");
}

TEST(HostInformation, DisplayReportWithoutADisplayShowsNoMonitors)
{
    CTemporaryFolder folder;
    ASSERT_TRUE(CHostInformation::writeDisplayReport(CSystemString((folder.path() + "/").c_str())));
    EXPECT_EQ(folder.read("CPUStats.txt"), "Orvalite Host display info extraction tool\n"
                                           "------------------------------------------\n\n"
                                           "Number of monitors\t:\t\t0\n"
                                           "Screen width\t\t:\t\t0\n"
                                           "Screen height\t\t:\t\t0\n"
                                           "------------------------------------------\n\n");
}

TEST(HostInformation, DisplayReportShowsWhatTheWindowingLayerProvides)
{
    CTemporaryFolder folder;
    CDisplayMetrics::setProvider(&twoMonitors);
    const bool written = CHostInformation::writeDisplayReport(CSystemString(folder.file("display.txt").c_str()));
    CDisplayMetrics::setProvider(nullptr);
    ASSERT_TRUE(written);
    EXPECT_EQ(folder.read("display.txt"), "Orvalite Host display info extraction tool\n"
                                          "------------------------------------------\n\n"
                                          "Number of monitors\t:\t\t2\n"
                                          "Screen width\t\t:\t\t1920\n"
                                          "Screen height\t\t:\t\t1080\n"
                                          "------------------------------------------\n\n");
    EXPECT_EQ(CDisplayMetrics::getMetrics().numberOfMonitors, 0);
}

TEST(HostInformation, DriveReportLaysOutEachDrive)
{
    CTemporaryFolder folder;
    std::vector<CHostInformation::SDriveDescription> drives(2);
    drives[0].root = "/";
    drives[0].volumeName = "/dev/sda1";
    drives[0].fileSystem = "ext4";
    drives[0].serial = 1234;
    drives[0].typeName = "Fixed Drive";
    drives[1].root = "/tmp/";
    drives[1].volumeName = "tmpfs";
    drives[1].fileSystem = "tmpfs";
    drives[1].serial = -5;
    drives[1].typeName = "RAM Drive";
    {
        CTextStream stream(CSystemString(folder.file("drives.txt").c_str()), CTextStream::MODE_WRITE);
        CHostInformation::writeDriveReport(stream, "/", "/tmp/", drives);
    }
    EXPECT_EQ(folder.read("drives.txt"), std::string("Orvalite Host drive info extraction tool\n") + DRIVE_RULE +
                                             "Windows folder : /\n"
                                             "Window temp folder : /tmp/\n\n" +
                                             DRIVE_RULE +
                                             "Registered name : /\n"
                                             "Volume name : /dev/sda1\n"
                                             "File system : ext4\n"
                                             "Serial code : 1234\n"
                                             "Volume is of type : Fixed Drive\n" +
                                             DRIVE_RULE +
                                             "Registered name : /tmp/\n"
                                             "Volume name : tmpfs\n"
                                             "File system : tmpfs\n"
                                             "Serial code : -5\n"
                                             "Volume is of type : RAM Drive\n" +
                                             DRIVE_RULE);
}

TEST(HostInformation, DriveReportOfThisMachineListsTheRoot)
{
    CTemporaryFolder folder;
    ASSERT_TRUE(CHostInformation::writeDriveReport(CSystemString(folder.path().c_str())));
    const std::string report = folder.read("CPUStats.txt");
    EXPECT_EQ(report.rfind(std::string("Orvalite Host drive info extraction tool\n") + DRIVE_RULE +
                               "Windows folder : /\nWindow temp folder : /",
                           0),
              0u)
        << report;
    EXPECT_NE(report.find("Registered name : /\n"), std::string::npos) << report;
}

TEST(HostInformation, ReportPathAddsTheFileNameToAFolder)
{
    const struct
    {
        const char *path;
        const char *expected;
    } cases[] = {
        {"/reports/", "/reports/FPUStats.txt"},
        {"/reports", "/reports/FPUStats.txt"},
        {"/home/user/.vst", "/home/user/.vst/FPUStats.txt"},
        {"/reports/mine.txt", "/reports/mine.txt"},
    };
    for (const auto &testCase : cases)
    {
        EXPECT_STREQ(CHostInformation::reportPath(testCase.path, "FPUStats.txt").getString(), testCase.expected)
            << testCase.path;
    }
    EXPECT_FALSE(CHostInformation::writeProcessorFeaturesReport(CSystemString("/no/such/folder/")));
}
