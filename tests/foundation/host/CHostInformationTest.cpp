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
    const struct
    {
        uint32_t edx, ecx;
        const char *flags; // MMX, SSE, SSE2, SSE3, HT
    } cases[] = {{1u << 23 | 1u << 26, 0, "tftff"},
                 {1u << 23 | 1u << 26, 1, "tfttf"},
                 {1u << 25 | 1u << 28, 1u << 28, "ftftt"},
                 {0, 0, "fffff"}};
    const auto word = [](char flag) { return flag == 't' ? "true" : "false"; };
    for (const auto &testCase : cases)
    {
        CTemporaryFolder folder;
        CProcessorFeatures::decodeFeatures(testCase.edx, testCase.ecx);
        ASSERT_TRUE(CHostInformation::writeProcessorFeaturesReport(CSystemString(folder.path().c_str())));
        const char *flags = testCase.flags;
        EXPECT_EQ(folder.read("FPUStats.txt"), std::string("Orvalite FPU info extraction tool \n"
                                                           "----------------------------------\n") +
                                                   "Has MMX : " + word(flags[0]) + "\nHas SSE : " + word(flags[1]) +
                                                   "\nHas SSE2: " + word(flags[2]) + "\nHas SSE3: " + word(flags[3]) +
                                                   "\nHas HT  : " + word(flags[4]) +
                                                   "\n----------------------------------\n")
            << "EDX " << testCase.edx << ", ECX " << testCase.ecx << " (bit 28 of ECX also reports SSE3)";
    }
    CProcessorFeatures::detectFeatures();
#if defined(__x86_64__)
    EXPECT_TRUE(CProcessorFeatures::hasMMX() && CProcessorFeatures::hasSSE() && CProcessorFeatures::hasSSE2())
        << "every x86-64 processor has them";
#endif
}

TEST(HostInformation, DisplayReportShowsWhatTheWindowingLayerProvidesOrNoMonitors)
{
    for (const bool provided : {false, true})
    {
        CTemporaryFolder folder;
        CDisplayMetrics::setProvider(provided ? &twoMonitors : nullptr);
        const bool written = CHostInformation::writeDisplayReport(CSystemString((folder.path() + "/").c_str()));
        CDisplayMetrics::setProvider(nullptr);
        ASSERT_TRUE(written);
        EXPECT_EQ(folder.read("CPUStats.txt"), std::string("Orvalite Host display info extraction tool\n"
                                                           "------------------------------------------\n\n") +
                                                   "Number of monitors\t:\t\t" + (provided ? "2" : "0") +
                                                   "\nScreen width\t\t:\t\t" + (provided ? "1920" : "0") +
                                                   "\nScreen height\t\t:\t\t" + (provided ? "1080" : "0") +
                                                   "\n------------------------------------------\n\n")
            << (provided ? "two monitors" : "no display");
    }
    EXPECT_EQ(CDisplayMetrics::getMetrics().numberOfMonitors, 0);
}

TEST(HostInformation, DriveReportLaysOutEachDrive)
{
    CTemporaryFolder folder;
    std::vector<CHostInformation::SDriveDescription> drives(2);
    for (size_t index = 0; index < 2; ++index)
    {
        drives[index].root = index ? "/tmp/" : "/";
        drives[index].volumeName = index ? "tmpfs" : "/dev/sda1";
        drives[index].fileSystem = index ? "tmpfs" : "ext4";
        drives[index].serial = index ? -5 : 1234;
        drives[index].typeName = index ? "RAM Drive" : "Fixed Drive";
    }
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
