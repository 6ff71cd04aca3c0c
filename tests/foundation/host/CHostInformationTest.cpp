#include "foundation/host/CHostInformation.h"

#include "foundation/host/CProcessorFeatures.h"

#include "tests/foundation/FoundationTestSupport.h"

using namespace Orvalite::Host;
using Orvalite::Testing::CTemporaryFolder;

// Host reports are written only on request, never by the plug-in: one check that one comes out with its key lines.
TEST(HostInformation, FeaturesReportNamesTheDecodedFeatures)
{
    CTemporaryFolder folder;
    CProcessorFeatures::decodeFeatures(1u << 23 | 1u << 26, 0); // MMX and SSE2 in EDX
    const bool written = CHostInformation::writeProcessorFeaturesReport(folder.systemPath());
    CProcessorFeatures::detectFeatures();
    ASSERT_TRUE(written);
    const std::string report = folder.read("FPUStats.txt");
    for (const char *line : {"Has MMX : true\n", "Has SSE : false\n", "Has SSE2: true\n", "Has SSE3: false\n"})
        EXPECT_NE(std::string::npos, report.find(line)) << line << "in:\n" << report;
}
