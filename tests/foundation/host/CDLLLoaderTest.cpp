#include "foundation/host/CDLLLoader.h"

#include "foundation/basics/CException.h"
#include "foundation/host/CFileUtilities.h"

#include "tests/foundation/FoundationTestSupport.h"

using namespace Orvalite::Host;
using Orvalite::Basics::CString;
using Orvalite::Testing::CTemporaryFolder;

TEST(DLLLoader, LoadsOnlyLibraries)
{
    CTemporaryFolder folder;
    folder.write("text.dll", "not a library");
    EXPECT_THROW(CDLLLoader(CString(folder.file("missing.dll").c_str())), Orvalite::Exceptions::CException);
    CDLLLoader loader(CString(folder.file("text.dll").c_str()));
    EXPECT_FALSE(loader.isLoaded());
    EXPECT_EQ(nullptr, loader.getFunction("anything"));
#ifdef _WIN32
    // Linux has no library at a path every system shares; Windows has its own.
    CString kernel;
    CFileUtilities::getWindowsFolder(kernel);
    kernel.appendString("System32\\kernel32.dll");
    loader.loadDll(kernel);
    EXPECT_TRUE(loader.isLoaded()) << kernel.getString();
    EXPECT_NE(nullptr, loader.getFunction("GetTickCount"));
    EXPECT_EQ(nullptr, loader.getFunction("NoSuchFunction"));
#endif
}
