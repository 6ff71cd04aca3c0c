#include "gui/windowing/WindowHelpers.h"

#include "tests/foundation/CTemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <sys/stat.h>

namespace
{
using namespace Orvalite::GUI::Windowing;
using Orvalite::Basics::CString;
using Orvalite::Testing::CTemporaryFolder;

// Each test sees only the fake dialog programs it writes into a folder of its own as PATH.
class DialogHelpers : public testing::Test
{
protected:
    void SetUp() override
    {
        const char *path = std::getenv("PATH");
        m_savedPath = path ? path : "";
        setenv("PATH", m_folder.path().c_str(), 1);
    }
    void TearDown() override { setenv("PATH", m_savedPath.c_str(), 1); }

    // A program that records its arguments (NUL-separated), prints the answer and exits with the status.
    void writeProgram(const std::string &name, const std::string &answer, int status)
    {
        m_folder.write(name, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > '" +
                                 m_folder.file("arguments") + "'\necho '" + answer + "'\nexit " +
                                 std::to_string(status) + "\n");
        chmod(m_folder.file(name).c_str(), 0755);
    }

    std::vector<std::string> recordedArguments() const
    {
        std::vector<std::string> arguments;
        const std::string text = m_folder.read("arguments");
        for (size_t start = 0, end; (end = text.find('\0', start)) != std::string::npos; start = end + 1)
            arguments.push_back(text.substr(start, end - start));
        return arguments;
    }

    CTemporaryFolder m_folder;
    std::string m_savedPath;
};

TEST_F(DialogHelpers, WithoutADialogProgramEveryQuestionIsAnsweredNoAtOnce)
{
    CString path("/start");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(askQuestion("Replace?", "Zelo"));
    EXPECT_FALSE(browseForFolder(path, "Folder"));
    EXPECT_FALSE(getOpenFileName(path, nullptr, "Presets", "fxp"));
    EXPECT_FALSE(getSaveFileName(path, nullptr, "Presets", "fxp"));
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("Zelo: neither zenity nor kdialog is installed"), std::string::npos) << errors;
    EXPECT_STREQ(path.getString(), "/start");
}

TEST_F(DialogHelpers, DialogsPassTheirFiltersAndReturnTheChosenPath)
{
    const std::string longPath = "/" + std::string(600, 'p');
    const struct
    {
        const char *program;
        std::function<bool(CString &)> ask;
        const char *initialPath;
        std::vector<std::string> arguments;
        const char *pathAfter;
    } cases[] = {
        {"zenity",
         [](CString &path) { return getSaveFileName(path, nullptr, "Presets", "fxp"); },
         longPath.c_str(),
         {"--file-selection", "--file-filter=Presets | *.fxp", "--file-filter=All files (*.*) | *", "--save",
          "--filename=" + longPath.substr(0, 511)},
         "/new/file.fxp"},
        {"zenity",
         [](CString &path) { return getOpenFileName(path, nullptr, "Presets", "fxp"); },
         "",
         {"--file-selection", "--file-filter=Presets | *.fxp", "--file-filter=All files (*.*) | *"},
         "/new/file.fxp"},
        {"kdialog",
         [](CString &path) { return getSaveFileName(path, nullptr, "Presets", "fxp"); },
         "/a/b.fxp",
         {"--getsavefilename", "/a/b.fxp", "*.fxp|Presets\n*|All files (*.*)"},
         "/new/file.fxp"},
        {"kdialog",
         [](CString &path) { return browseForFolder(path, "Pick"); },
         "",
         {"--title", "Pick", "--getexistingdirectory", "."},
         "/new/file.fxp"},
        {"zenity",
         [](CString &) { return askQuestion("Replace?", "Zelo"); },
         "",
         {"--question", "--title=Zelo", "--text=Replace?"},
         ""},
    };
    for (const auto &row : cases)
    {
        std::remove(m_folder.file("zenity").c_str());
        std::remove(m_folder.file("kdialog").c_str());
        writeProgram(row.program, "/new/file.fxp", 0);
        CString path(row.initialPath);
        EXPECT_TRUE(row.ask(path)) << row.arguments[0];
        EXPECT_EQ(recordedArguments(), row.arguments) << row.arguments[0];
        EXPECT_STREQ(path.getString(), row.pathAfter) << row.arguments[0];
    }
}

TEST_F(DialogHelpers, ACancelledDialogLeavesThePathAlone)
{
    writeProgram("zenity", "", 1);
    CString path("/kept.fxp");
    EXPECT_FALSE(getOpenFileName(path, nullptr, "Presets", "fxp"));
    EXPECT_FALSE(askQuestion("Replace?", "Zelo"));
    EXPECT_STREQ(path.getString(), "/kept.fxp");
}
} // namespace
