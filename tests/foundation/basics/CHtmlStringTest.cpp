#include "foundation/basics/CHtmlString.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Orvalite::Basics;

TEST(HtmlString, RecognisesAndAddsPrefixes)
{
    CHtmlString bare("index.html");
    EXPECT_TRUE(CHtmlString("http://example.org").isWebLink() && !CHtmlString("http://example.org").isFileLink());
    EXPECT_TRUE(CHtmlString("file:///tmp/a.html").isFileLink());
    EXPECT_FALSE(bare.isWebLink() || bare.isFileLink());
    bare.addLinkPrefix(false);
    EXPECT_STREQ("file://index.html", bare.getString());
    CHtmlString site("a.org");
    site.addLinkPrefix(true);
    EXPECT_STREQ("http://a.org", site.getString());
}

// A stand-in xdg-open on PATH records what it was asked to open.
class HtmlStringOpening : public testing::Test
{
protected:
    void SetUp() override
    {
        char folder[] = "/tmp/zelo-open-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(folder));
        m_folder = folder;
        m_record = m_folder + "/opened";
        const std::string script = m_folder + "/xdg-open";
        std::ofstream(script) << "#!/bin/sh\nprintf '%s' \"$1\" > \"" << m_record << ".part\"\nmv \"" << m_record
                              << ".part\" \"" << m_record << "\"\n";
        chmod(script.c_str(), 0755);
        const char *path = std::getenv("PATH");
        m_oldPath = path ? path : "";
        setenv("PATH", (m_folder + ":" + m_oldPath).c_str(), 1);
    }

    void TearDown() override
    {
        setenv("PATH", m_oldPath.c_str(), 1);
        std::remove(m_record.c_str());
        std::remove((m_folder + "/xdg-open").c_str());
        rmdir(m_folder.c_str());
    }

    // The opener runs in the background; wait (bounded) for its record.
    std::string opened()
    {
        for (int attempt = 0; attempt < 500 && access(m_record.c_str(), F_OK) != 0; ++attempt)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::ifstream input(m_record);
        std::ostringstream text;
        text << input.rdbuf();
        std::remove(m_record.c_str());
        return text.str();
    }

    std::string m_folder, m_record, m_oldPath;
};

TEST_F(HtmlStringOpening, LinksOpenAsOneArgumentAndBareTextAsWebLink)
{
    const std::pair<const char *, const char *> cases[] = {
        {"index.html", "http://index.html"},
        {"file:///tmp/a b;$(touch x).html", "file:///tmp/a b;$(touch x).html"},
        {"http://example.org/?q=1&r=2", "http://example.org/?q=1&r=2"}};
    for (const auto &[link, expected] : cases)
    {
        CHtmlString(link).openInBrowser();
        EXPECT_EQ(expected, opened()) << link << ": passed as one argument, never as shell text";
    }
}
