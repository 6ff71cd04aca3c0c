#include "foundation/host/CDLLLoader.h"

#include "foundation/basics/CException.h"
#include "foundation/host/CModuleFile.h"
#include "tests/foundation/CTemporaryFolder.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <string>

using Orvalite::Basics::CString;
using Orvalite::Exceptions::CException;
using Orvalite::Host::CDLLLoader;
using Orvalite::Testing::CTemporaryFolder;

namespace
{
// The C library's file, found through a function no sanitizer replaces.
std::string cLibraryPath()
{
    return Orvalite::Host::CModuleFile::getModuleFileName(dlsym(RTLD_DEFAULT, "gnu_get_libc_version"));
}

bool endsWith(const std::string &text, const std::string &ending)
{
    return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}
} // namespace

TEST(DLLLoader, MissingFileThrowsWithTheReasonAndTheFunction)
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
        EXPECT_TRUE(endsWith(exception.getErrorReason().getString(), " doesnt exist"));
        EXPECT_STREQ(exception.getFunctionName().getString(), "CDLLLoader::loadDll(const CString &)");
    }
    EXPECT_FALSE(loader.isLoaded());
    EXPECT_THROW(CDLLLoader("/no/such/library.so"), CException);
}

TEST(DLLLoader, LoadsALibraryAndFindsItsFunctions)
{
    const std::string path = cLibraryPath();
    ASSERT_FALSE(path.empty());
    CDLLLoader loader(path.c_str());
    ASSERT_TRUE(loader.isLoaded()) << path;
    EXPECT_STREQ(loader.getDllPath().getString(), path.c_str());
    using TVersion = const char *(*)();
    auto version = reinterpret_cast<TVersion>(loader.getFunction("gnu_get_libc_version"));
    ASSERT_NE(version, nullptr);
    EXPECT_NE(version(), nullptr);
    EXPECT_EQ(loader.getFunction("no_such_function_in_libc"), nullptr);
    loader.unloadDll();
    EXPECT_FALSE(loader.isLoaded());
    EXPECT_EQ(loader.getFunction("gnu_get_libc_version"), nullptr);
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
