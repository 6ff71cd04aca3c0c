#include "tools/host/CPluginModule.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

using Zelo::Tools::CPluginModule;

namespace
{
std::string loadError(const std::string &path)
{
    try
    {
        CPluginModule module(path);
    }
    catch (const std::runtime_error &error)
    {
        return error.what();
    }
    return "(loaded)";
}

std::string writeTextFile(const std::string &name)
{
    const std::string path = testing::TempDir() + name;
    std::ofstream(path) << "This is a text file, not a shared object.\n";
    return path;
}
} // namespace

TEST(PluginModule, LoadErrorsNameTheFileAndTheReason)
{
    struct Case
    {
        std::string path;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"/nonexistent/Zelo.so", "No such file"},
        {writeTextFile("zelo-host-not-a-library.so"), "cannot load"},
        {ZELO_FIXTURE_NO_ENTRY, "no VST entry point"},
    };
    for (const auto &example : cases)
    {
        const std::string error = loadError(example.path);
        EXPECT_NE(std::string::npos, error.find(example.path)) << error;
        EXPECT_NE(std::string::npos, error.find(example.reason)) << error;
        // The loader's text names the file already; the message names it once.
        EXPECT_EQ(error.find(example.path), error.rfind(example.path)) << error;
    }
}

TEST(PluginModule, FindsVSTPluginMainAndFallsBackToMain)
{
    const CPluginModule current(ZELO_FIXTURE_PLUGIN);
    EXPECT_EQ("VSTPluginMain", current.entryName());
    EXPECT_NE(nullptr, current.entry());

    const CPluginModule older(ZELO_FIXTURE_MAIN_ENTRY);
    EXPECT_EQ("main", older.entryName());
    EXPECT_NE(nullptr, older.entry());
}

TEST(PluginModule, NameWithoutSlashIsLoadedFromTheWorkingDirectory)
{
    const std::string path = ZELO_FIXTURE_PLUGIN;
    const size_t slash = path.rfind('/');
    char previous[4096];
    ASSERT_NE(nullptr, getcwd(previous, sizeof(previous)));
    ASSERT_EQ(0, chdir(path.substr(0, slash).c_str()));
    std::string error;
    try
    {
        const CPluginModule module(path.substr(slash + 1));
    }
    catch (const std::runtime_error &failure)
    {
        error = failure.what();
    }
    ASSERT_EQ(0, chdir(previous));
    EXPECT_EQ("", error);
}
