#include "gui/graphics/CImageManager.h"

#include "foundation/collections/TCountedObjectDeleter.h"
#include "foundation/io/TraceLog.h"
#include "gui/graphics/CTGAImage.h"
#include "tests/foundation/CTemporaryFolder.h"
#include "tests/gui/graphics/CImageFixtures.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{
using namespace Orvalite::Basics;
using namespace Orvalite::Collections;
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::Testing;

// A fresh manager rooted in a temporary folder holding a few Targa files:
// "knob.tga" 40 × 400, "button.tga" 2 × 2, "wide.tga" 8 × 4 and "skins/back.tga" 3 × 3.
class ImageManager : public testing::Test
{
protected:
    void SetUp() override
    {
        CImageManager::initialise();
        CImageManager::setRootPath(CSystemString(m_folder.path().c_str()));
        writeTarga("knob.tga", 40, 400);
        writeTarga("button.tga", 2, 2);
        writeTarga("wide.tga", 8, 4);
        std::filesystem::create_directory(m_folder.file("skins"));
        writeTarga("skins/back.tga", 3, 3);
    }
    void TearDown() override
    {
        Orvalite::IO::closeTraceLog();
        CImageManager::destroy();
    }

    void writeTarga(const std::string &name, long width, long height)
    {
        m_folder.write(name, CImageFixtures::targaFile(
                                 width, height, std::vector<CImageFixtures::STargaPixel>(size_t(width * height))));
    }
    CSystemString path(const std::string &name) const { return CSystemString(m_folder.file(name).c_str()); }
    static std::vector<std::string> allNames()
    {
        TPointerCollection<CString> names(&TCountedObjectDeleter<CString>::shared());
        CImageManager::getAllNames(names);
        std::vector<std::string> result;
        for (long index = 0; index < names.getInsertIndex(); ++index)
        {
            result.emplace_back(names.getElementAtIndex(index)->getString());
        }
        return result;
    }
    void startTraceLog() { ASSERT_TRUE(Orvalite::IO::openTraceLog(path("trace.txt"))); }
    std::string traceText()
    {
        Orvalite::IO::closeTraceLog();
        return m_folder.read("trace.txt");
    }

    CTemporaryFolder m_folder;
};

TEST_F(ImageManager, LooksImagesUpByExactNameAndResolvesRelativePaths)
{
    ASSERT_TRUE(CImageManager::addImage(CString("{}"), CString("button.tga"), CString("button")));
    ASSERT_TRUE(CImageManager::addImage(CString("skins"), CString("back.tga"), CString("back")));
    ASSERT_TRUE(CImageManager::addAnimation(CString("{}"), CString("knob.tga"), CString("knob"), -1, -1));
    IImage *button = CImageManager::getImage(CString("button"));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->imageHasLoaded());
    EXPECT_EQ(button->getReferenceCount(), 1);
    ASSERT_NE(CImageManager::getImage(CString("back")), nullptr);
    EXPECT_EQ(CImageManager::getImage(CString("back"))->getImageSize().getWidth(), 3);
    EXPECT_EQ(CImageManager::getImage(CString("Button")), nullptr);
    EXPECT_STREQ(CImageManager::getImageReference(CString("back"))->getRelativePath().getString(), "skins");
    // The reverse lookup: the name of an image or animation held, empty for any other.
    long frameHeight = 0;
    long frames = 0;
    EXPECT_STREQ(CImageManager::getReferenceName(button).getString(), "button");
    EXPECT_STREQ(
        CImageManager::getReferenceName(CImageManager::getAnimation(CString("knob"), frameHeight, frames)).getString(),
        "knob");
    CTGAImage stranger(path("button.tga"));
    EXPECT_STREQ(CImageManager::getReferenceName(&stranger).getString(), "");
    EXPECT_STREQ(CImageManager::getReferenceName(nullptr).getString(), "");
}

TEST_F(ImageManager, AddFailsForMissingFilesAndUnknownExtensions)
{
    m_folder.write("picture.bmp", "BM");
    EXPECT_FALSE(CImageManager::addImage(CString("{}"), CString("missing.tga"), CString("missing")));
    EXPECT_FALSE(CImageManager::addImage(CString("{}"), CString("picture.bmp"), CString("bitmap")));
    EXPECT_FALSE(CImageManager::addAnimation(CString("{}"), CString("missing.tga"), CString("strip"), 10, 4));
    EXPECT_TRUE(allNames().empty());
}

TEST_F(ImageManager, DerivesSquareFramesFromMinusOne)
{
    ASSERT_TRUE(CImageManager::addAnimation(CString("{}"), CString("knob.tga"), CString("derived"), -1, 5));
    ASSERT_TRUE(CImageManager::addAnimation(CString("{}"), CString("knob.tga"), CString("given"), 80, 5));
    long frameHeight = 0;
    long frames = 0;
    ASSERT_NE(CImageManager::getAnimation(CString("derived"), frameHeight, frames), nullptr);
    EXPECT_EQ(frameHeight, 40);
    EXPECT_EQ(frames, 10);
    CImageManager::getAnimation(CString("given"), frameHeight, frames);
    EXPECT_EQ(frameHeight, 80);
    EXPECT_EQ(frames, 5);
}

TEST_F(ImageManager, RefusesAnimationsWithoutPositiveFrames)
{
    m_folder.write("broken.tga", "not a targa file at all");
    struct SCase
    {
        const char *file;
        long frameHeight;
        long frames;
    };
    for (const SCase &c : {SCase{"broken.tga", -1, -1}, SCase{"wide.tga", 8, -1}, SCase{"knob.tga", 0, 10},
                           SCase{"knob.tga", 40, 0}, SCase{"knob.tga", -7, 10}})
    {
        EXPECT_FALSE(
            CImageManager::addAnimation(CString("{}"), CString(c.file), CString("strip"), c.frameHeight, c.frames))
            << c.file << " " << c.frameHeight << " x " << c.frames;
    }
    EXPECT_EQ(CImageManager::getAnimationReference(CString("strip")), nullptr);
}

TEST_F(ImageManager, ListsNamesImagesFirstAndClears)
{
    CImageManager::addAnimation(CString("{}"), CString("knob.tga"), CString("knob"), -1, -1);
    CImageManager::addImage(CString("{}"), CString("button.tga"), CString("button"));
    CImageManager::addImage(CString("skins"), CString("back.tga"), CString("back"));
    EXPECT_EQ(allNames(), (std::vector<std::string>{"button", "back", "knob"}));
    CImageManager::clear();
    EXPECT_TRUE(allNames().empty());
}

TEST_F(ImageManager, SkinFileSkipsCommentsAndUnknownLinesAndKeepsReadingAfterABadLine)
{
    m_folder.write("skin.txt", "<start_skin>\n"
                               "# a comment, with, many, commas\n"
                               "stray line\n"
                               "<images>\n"
                               "  {} , button.tga , button  \r\n"
                               "{}, button.tga, extra, field, here\n"
                               "skins, back.tga, back\n"
                               "{}, missing.tga, missing\n"
                               "<animations>\n"
                               "{}, knob.tga, knob, -1, -1\n"
                               "{}, knob.tga, short, 40\n"
                               "<end_skin>\n"
                               "{}, wide.tga, after, 4, 2\n");
    startTraceLog();
    EXPECT_FALSE(CImageManager::loadFromDefinitionFile(path("skin.txt")));
    EXPECT_EQ(allNames(), (std::vector<std::string>{"button", "back", "knob"}));
    const std::string trace = traceText();
    EXPECT_NE(trace.find("Unknown line with buffer stray line\n"), std::string::npos) << trace;
    EXPECT_NE(trace.find("Failed to load image with buffer {}, button.tga, extra, field, here\n"), std::string::npos)
        << trace;
    EXPECT_NE(trace.find("Failed to load image with filename missing.tga\n"), std::string::npos) << trace;
    EXPECT_NE(trace.find("Failed to load animation with buffer {}, knob.tga, short, 40\n"), std::string::npos) << trace;
    EXPECT_EQ(trace.find("comment"), std::string::npos) << trace;
}

TEST_F(ImageManager, SkinFileWithOnlyGoodLinesSucceeds)
{
    m_folder.write("skin.txt", "<start_skin>\n<images>\n{}, button.tga, button\n<end_skin>\n");
    EXPECT_TRUE(CImageManager::loadFromDefinitionFile(path("skin.txt")));
    EXPECT_NE(CImageManager::getImage(CString("button")), nullptr);
}

TEST_F(ImageManager, XMLFormRoundTripsThroughWriteToXMLFile)
{
    CImageManager::addImage(CString("{}"), CString("button.tga"), CString("button"));
    CImageManager::addImage(CString("skins"), CString("back.tga"), CString("back & front"));
    CImageManager::addAnimation(CString("{}"), CString("knob.tga"), CString("knob"), 20, 20);
    ASSERT_TRUE(CImageManager::writeToXMLFile(path("skin.xml")));
    CImageManager::clear();

    // Its first line is not "<start_skin>", so the definition reader takes the XML form.
    ASSERT_TRUE(CImageManager::loadFromDefinitionFile(path("skin.xml")));
    EXPECT_EQ(allNames(), (std::vector<std::string>{"button", "back & front", "knob"}));
    long frameHeight = 0;
    long frames = 0;
    ASSERT_NE(CImageManager::getAnimation(CString("knob"), frameHeight, frames), nullptr);
    EXPECT_EQ(frameHeight, 20);
    EXPECT_EQ(frames, 20);
    EXPECT_STREQ(CImageManager::getImageReference(CString("back & front"))->getRelativePath().getString(), "skins");
}

TEST_F(ImageManager, XMLFormSkipsFailingEntriesAndNeedsItsRootName)
{
    m_folder.write("skin.xml", "<?xml version=\"1.0\"?>\n"
                               "<image_manager_root>\n"
                               "\t<images>\n"
                               "\t\t<anything relative_path=\"{}\" filename=\"missing.tga\" reference_name=\"gone\"/>\n"
                               "\t\t<image relative_path=\"{}\" filename=\"button.tga\" reference_name=\"button\"/>\n"
                               "\t</images>\n"
                               "</image_manager_root>\n");
    m_folder.write("other.xml", "<?xml version=\"1.0\"?>\n<controls>\n</controls>\n");
    startTraceLog();
    EXPECT_TRUE(CImageManager::loadFromDefinitionFile(path("skin.xml")));
    EXPECT_EQ(allNames(), (std::vector<std::string>{"button"}));
    EXPECT_FALSE(CImageManager::loadFromDefinitionFile(path("other.xml")));
    EXPECT_FALSE(CImageManager::loadFromDefinitionFile(path("missing.xml")));
    EXPECT_NE(traceText().find("Failed to load image with filename missing.tga\n"), std::string::npos);
}
} // namespace
