#include "foundation/basics/CApplicationInformation.h"

#include "tests/foundation/FoundationTestSupport.h"

#include <unistd.h>

using namespace Orvalite::Basics;

namespace
{
// The test program stands in for the module: its own file gives the folder.
std::string ownFolder()
{
    char name[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", name, sizeof(name) - 1);
    const std::string file(name, length > 0 ? static_cast<size_t>(length) : 0);
    return file.substr(0, file.rfind('/'));
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
    EXPECT_EQ(ownFolder(), CApplicationInformation::getApplicationPath().getString());
    CApplicationInformation::releaseApplicationInformation();
    EXPECT_STREQ(" ", CApplicationInformation::getProductName().getString()) << "one blank after release";
    EXPECT_EQ(nullptr, CApplicationInformation::getInstance());
    CApplicationInformation::releaseApplicationInformation();
}
