#include "foundation/basics/CApplicationInformation.h"
#include "foundation/host/CProcessorFeatures.h"

#include <gtest/gtest.h>

#include <string>
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

TEST(ApplicationInformation, LoadHookFillsEveryItemAndTheModuleFolderUntilReleased)
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
    CSystemString resources = CApplicationInformation::getApplicationPath();
    resources += "Resources";
    EXPECT_EQ(ownFolder() + "/Resources", resources.getString());
    CApplicationInformation::releaseApplicationInformation();
    EXPECT_STREQ(" ", CApplicationInformation::getProductName().getString()) << "one blank after release";
    EXPECT_EQ(nullptr, CApplicationInformation::getInstance());
    CApplicationInformation::releaseApplicationInformation();
}

TEST(ApplicationInformation, ModuleFolderKeepsShortPrefixes)
{
    const std::string separator(1, PATH_SEPARATOR);
    EXPECT_STREQ(
        ("C:" + separator + "Plugins").c_str(),
        CApplicationInformation::folderOfModule(("C:" + separator + "Plugins" + separator + "Veltrix.dll").c_str())
            .getString());
    EXPECT_STREQ("D:", CApplicationInformation::folderOfModule(("D:" + separator + "Veltrix.dll").c_str()).getString());
    EXPECT_STREQ(("X" + separator + "Veltrix.dll").c_str(),
                 CApplicationInformation::folderOfModule(("X" + separator + "Veltrix.dll").c_str()).getString());
    EXPECT_STREQ("", CApplicationInformation::folderOfModule("").getString());
}
