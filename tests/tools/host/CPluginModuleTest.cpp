#include "tools/host/CPluginModule.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

using Zelo::Tools::CPluginModule;

TEST(PluginModule, LoadErrorsNameTheFileOnceAndTheReason)
{
    const std::string textFile = testing::TempDir() + "zelo-host-not-a-library.so";
    std::ofstream(textFile) << "This is a text file, not a shared object.\n";
    const std::pair<std::string, const char *> cases[] = {
        {"/nonexistent/Zelo.so", "No such file"},
        // On the library search path, but a name without a slash means the working directory.
        {"libc.so.6", "No such file"},
        {textFile, "cannot load"},
        // Its dependency exports an entry, which is not this module's.
        {ZELO_FIXTURE_NO_ENTRY, "no VST entry point"},
    };
    for (const auto &[path, reason] : cases)
    {
        std::string error = "(loaded)";
        try
        {
            CPluginModule module(path);
        }
        catch (const std::runtime_error &failure)
        {
            error = failure.what();
        }
        EXPECT_NE(std::string::npos, error.find(reason)) << error;
        EXPECT_NE(std::string::npos, error.find(path)) << error;
        EXPECT_EQ(error.find(path), error.rfind(path)) << error;
    }
    std::remove(textFile.c_str());
}

TEST(PluginModule, FindsVSTPluginMainOrFallsBackToMain)
{
    EXPECT_EQ("VSTPluginMain", CPluginModule(ZELO_FIXTURE_PLUGIN).entryName());
    EXPECT_EQ("main", CPluginModule(ZELO_FIXTURE_MAIN_ENTRY).entryName());
}
