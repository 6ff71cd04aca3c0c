#include "foundation/host/CDLLLoader.h"

#include "foundation/basics/CException.h"

#include "tests/foundation/FoundationTestSupport.h"

using namespace Orvalite::Host;
using Orvalite::Exceptions::CException;
using Orvalite::Testing::CTemporaryFolder;

TEST(DLLLoader, MissingFileThrowsANamedReason)
{
    CDLLLoader loader;
    try
    {
        loader.loadDll("/no/such/library.so");
        FAIL() << "loading a missing file must throw";
    }
    catch (const CException &exception)
    {
        EXPECT_STREQ(exception.getErrorReason().getString(), "/no/such/library.so doesnt exist");
        EXPECT_STREQ(exception.getFunctionName().getString(), "CDLLLoader::loadDll(const CString &)");
    }
    EXPECT_FALSE(loader.isLoaded());
    EXPECT_THROW(CDLLLoader("/no/such/library.so"), CException);
}

TEST(DLLLoader, AFileThatIsNoLibraryLoadsNothing)
{
    CTemporaryFolder folder;
    folder.write("fake.so", "not a library");
    CDLLLoader loader;
    EXPECT_NO_THROW(loader.loadDll(folder.file("fake.so").c_str()));
    EXPECT_FALSE(loader.isLoaded());
    EXPECT_EQ(loader.getFunction("anything"), nullptr);
}
