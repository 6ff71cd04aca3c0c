#include "editor/CEditorScale.h"
#include "editor/CEditorSettings.h"
#include "foundation/io/TraceLog.h"
#include "tests/editor/CScopedEnvironment.h"
#include "tests/foundation/CTemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace Orvalite::Testing
{
namespace
{
using Veltrix::CEditorScale;
using Veltrix::CEditorSettings;

std::string readText(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST(EditorScale, DesignUnitsBecomePixelsRoundedHalfAwayFromZero)
{
    const struct
    {
        long percent;
        long units;
        long pixels;
    } cases[] = {{100, 367, 367}, {150, 367, 551}, {150, 366, 549}, {150, -3, -5}, {200, 466, 932},
                 {200, -7, -14},  {150, 11, 17},   {90, 10, 10},    {180, 10, 20}, {125, 10, 10}};
    for (const auto &test : cases)
    {
        const CEditorScale scale(test.percent);
        EXPECT_EQ(scale.toPixels(test.units), test.pixels) << test.percent << " % of " << test.units;
    }
}

// Edges scale, so neighbours that touch in the design touch at every size, and
// an area placed at one size moves to another exactly where the design puts it.
TEST(EditorScale, AreasKeepTheirEdgesAndMoveBetweenSizesWithoutDrift)
{
    for (long from : CEditorScale::SIZES)
    {
        for (long to : CEditorScale::SIZES)
        {
            for (long left = 0; left < 200; left += 7)
            {
                const MathTools::CRect design(left, left / 2, 33, 21);
                const MathTools::CRect placed = CEditorScale(from).toPixels(design);
                const MathTools::CRect neighbour = CEditorScale(from).toPixels(MathTools::CRect(left + 33, 0, 5, 5));
                EXPECT_EQ(placed.getRight(), neighbour.getLeft()) << from << " %, left " << left;
                EXPECT_EQ(CEditorScale(to).rescale(placed, CEditorScale(from)), CEditorScale(to).toPixels(design))
                    << from << " % to " << to << " %, left " << left;
            }
        }
    }
}

TEST(EditorScale, TheDisplaysResolutionAndTheEnvironmentChooseTheSize)
{
    const struct
    {
        long dotsPerInch;
        long percent;
    } displays[] = {{0, 100}, {96, 100}, {143, 100}, {144, 150}, {191, 150}, {192, 200}, {384, 200}};
    for (const auto &display : displays)
    {
        EXPECT_EQ(CEditorScale::forDotsPerInch(display.dotsPerInch).getPercent(), display.percent)
            << display.dotsPerInch << " dpi";
    }
    const struct
    {
        const char *text;
        bool valid;
        long percent;
    } factors[] = {{"1", true, 100},   {"1.5", true, 150}, {"2", true, 200},   {"150", false, 0},
                   {"1.25", false, 0}, {"", false, 0},     {nullptr, false, 0}};
    for (const auto &factor : factors)
    {
        CEditorScale scale(150);
        EXPECT_EQ(CEditorScale::fromFactorText(factor.text, scale), factor.valid)
            << (factor.text ? factor.text : "(unset)");
        EXPECT_EQ(scale.getPercent(), factor.valid ? factor.percent : 150) << (factor.text ? factor.text : "(unset)");
    }
}

class EditorSettings : public testing::Test
{
protected:
    std::string folder() const { return m_home.file("config") + Basics::PATH_SEPARATOR + "Zelo"; }
    CEditorSettings settings() const { return CEditorSettings(Basics::CSystemString(folder().c_str())); }

    CTemporaryFolder m_home;
};

TEST_F(EditorSettings, TheChosenSizeIsWrittenWholeAndReadBack)
{
    CEditorScale scale;
    EXPECT_FALSE(settings().readScale(scale)) << "no file yet";
    for (long percent : {200L, 150L, 100L})
    {
        ASSERT_TRUE(settings().writeScale(CEditorScale(percent))) << percent;
        ASSERT_TRUE(settings().readScale(scale)) << percent;
        EXPECT_EQ(scale.getPercent(), percent);
    }
    // Only the settings file is left: the temporary file was renamed over it.
    size_t files = 0;
    for (const auto &entry : std::filesystem::directory_iterator(folder()))
    {
        EXPECT_EQ(entry.path().filename(), "settings.xml");
        ++files;
    }
    EXPECT_EQ(files, 1u);
}

TEST_F(EditorSettings, ADamagedFileIsIgnoredWithATraceLine)
{
    const std::string damaged[] = {
        "",
        "not xml at all",
        "<?xml version=\"1.0\"?>\n<ZeloSettings>\n\t<Editor size=\"175\"/>\n</ZeloSettings>\n",
        "<?xml version=\"1.0\"?>\n<Other>\n\t<Editor size=\"200\"/>\n</Other>\n",
        "<?xml version=\"1.0\"?>\n<ZeloSettings>\n\t<Editor size=\"2",
        "\x89PNG\r\n\x1a\n"};
    ASSERT_TRUE(std::filesystem::create_directories(folder()));
    const std::string log = m_home.file("trace.txt");
    for (const std::string &text : damaged)
    {
        std::ofstream(folder() + Basics::PATH_SEPARATOR + "settings.xml", std::ios::binary) << text;
        ASSERT_TRUE(IO::openTraceLog(log.c_str()));
        CEditorScale scale(150);
        EXPECT_FALSE(settings().readScale(scale)) << text;
        EXPECT_EQ(scale.getPercent(), 150) << text;
        IO::closeTraceLog();
        EXPECT_NE(readText(log).find("Ignoring the damaged settings file"), std::string::npos) << text;
    }
}

TEST_F(EditorSettings, TheStartSizeTakesTheEnvironmentThenTheSavedChoiceThenTheDisplay)
{
    const struct
    {
        const char *environment;
        long saved; // 0 for no file
        long dotsPerInch;
        long percent;
    } cases[] = {
        {nullptr, 0, 96, 100},    {nullptr, 0, 144, 150},  {nullptr, 0, 192, 200},
        {nullptr, 100, 192, 100}, {nullptr, 200, 96, 200}, {"1.5", 200, 192, 150},
        {"2", 0, 96, 200},        {"3", 150, 192, 150},    {"3", 0, 192, 200},
    };
    for (const auto &test : cases)
    {
        std::filesystem::remove_all(folder());
        if (test.saved)
        {
            ASSERT_TRUE(settings().writeScale(CEditorScale(test.saved)));
        }
        EXPECT_EQ(settings().startScale(test.environment, test.dotsPerInch).getPercent(), test.percent)
            << (test.environment ? test.environment : "unset") << ", saved " << test.saved << ", " << test.dotsPerInch
            << " dpi";
    }
}

TEST_F(EditorSettings, TheFolderFollowsTheUsersConfigurationFolder)
{
    const std::string zelo = std::string(1, Basics::PATH_SEPARATOR) + "Zelo";
    const struct
    {
        const char *configuration;
        const char *home;
        std::string folder; // empty for none
    } cases[] = {
#ifdef _WIN32
        {"C:\\Users\\u\\AppData\\Roaming", nullptr, "C:\\Users\\u\\AppData\\Roaming\\Zelo"},
        {"", nullptr, ""},
#else
        {"/x/conf", "/home/u", "/x/conf" + zelo},
        {"", "/home/u", "/home/u/.config" + zelo},
        {nullptr, "/home/u", "/home/u/.config" + zelo},
        {nullptr, "", ""},
#endif
    };
    for (const auto &test : cases)
    {
        const CScopedEnvironment configuration(CONFIGURATION_VARIABLE, test.configuration);
        const CScopedEnvironment home("HOME", test.home);
        Basics::CSystemString folder;
        const bool found = CEditorSettings::findUserFolder(folder);
        EXPECT_EQ(found ? std::string(folder.getString()) : std::string(), test.folder)
            << (test.configuration ? test.configuration : "unset");
        if (!found)
        {
            CEditorScale scale;
            EXPECT_FALSE(CEditorSettings::forUser().writeScale(CEditorScale(200))) << "no folder to write to";
            EXPECT_FALSE(CEditorSettings::forUser().readScale(scale));
        }
    }
}

} // namespace
} // namespace Orvalite::Testing
