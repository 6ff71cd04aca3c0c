#include "foundation/basics/CApplicationInformation.h"
#include "foundation/host/CFileUtilities.h"

#include "tests/foundation/FoundationTestSupport.h"

using namespace Orvalite::Basics;

namespace
{
// The test program stands in for the module: the folder of the running program.
std::string ownFolder()
{
    CString folder;
    Orvalite::Host::CFileUtilities::getApplicationPath(folder, false);
    return folder.getString();
}
} // namespace

TEST(ApplicationInformation, LoadHookFillsTheItemsUntilReleased)
{
    static int insideThisModule = 0;
    CApplicationInformation::releaseApplicationInformation();
    EXPECT_STREQ(" ", CApplicationInformation::getApplicationPath().getString()) << "one blank until set";
    CApplicationInformation::setApplicationInformation("Orlen Vantrell Audio", "Zelo", "Doubler", "1.0.0",
                                                       "Software\\OVA\\Zelo", "notice", &insideThisModule);
    EXPECT_STREQ("Orlen Vantrell Audio", CApplicationInformation::getCompanyName().getString());
    EXPECT_STREQ("Software\\OVA\\Zelo", CApplicationInformation::getRegistryPath().getString());
    EXPECT_EQ(&insideThisModule, CApplicationInformation::getInstance());
    EXPECT_NE("", ownFolder());
    EXPECT_EQ(ownFolder(), CApplicationInformation::getApplicationPath().getString());
    CApplicationInformation::releaseApplicationInformation();
    EXPECT_STREQ(" ", CApplicationInformation::getProductName().getString()) << "one blank after release";
    EXPECT_EQ(nullptr, CApplicationInformation::getInstance());
    CApplicationInformation::releaseApplicationInformation();
}
