#include "gui/graphics/CImageManager.h"

#include "foundation/collections/TCountedObjectDeleter.h"
#include "gui/graphics/CTGAImage.h"
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
        std::filesystem::create_directory(m_folder.file("skins"));
        for (const auto &[name, width, height] :
             {std::tuple("knob.tga", 40, 400), {"button.tga", 2, 2}, {"wide.tga", 8, 4}, {"skins/back.tga", 3, 3}})
        {
            m_folder.write(name, CImageFixtures::targaFile(
                                     width, height, std::vector<CImageFixtures::STargaPixel>(size_t(width * height))));
        }
    }
    void TearDown() override { CImageManager::destroy(); }

    static bool add(const char *folder, const char *file, const char *name)
    {
        return CImageManager::addImage(CString(folder), CString(file), CString(name));
    }
    static bool addStrip(const char *folder, const char *file, const char *name, long frameHeight, long frames)
    {
        return CImageManager::addAnimation(CString(folder), CString(file), CString(name), frameHeight, frames);
    }
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

    CTemporaryFolder m_folder;
};

TEST_F(ImageManager, MapsNamesToImagesBothWays)
{
    ASSERT_TRUE(addStrip("{}", "knob.tga", "knob", -1, -1));
    ASSERT_TRUE(add("{}", "button.tga", "button"));
    ASSERT_TRUE(add("skins", "back.tga", "back"));
    EXPECT_EQ(allNames(), (std::vector<std::string>{"button", "back", "knob"})) << "images before animations";
    IImage *button = CImageManager::getImage(CString("button"));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->imageHasLoaded());
    ASSERT_NE(CImageManager::getImage(CString("back")), nullptr);
    EXPECT_EQ(CImageManager::getImage(CString("back"))->getImageSize().getWidth(), 3);
    EXPECT_STREQ(CImageManager::getImageReference(CString("back"))->getRelativePath().getString(), "skins");
    EXPECT_EQ(CImageManager::getImage(CString("Button")), nullptr);
    long frameHeight = 0;
    long frames = 0;
    EXPECT_STREQ(CImageManager::getReferenceName(button).getString(), "button");
    EXPECT_STREQ(
        CImageManager::getReferenceName(CImageManager::getAnimation(CString("knob"), frameHeight, frames)).getString(),
        "knob");
    CTGAImage stranger(pathIn(m_folder, "button.tga"));
    EXPECT_STREQ(CImageManager::getReferenceName(&stranger).getString(), "");
    EXPECT_STREQ(CImageManager::getReferenceName(nullptr).getString(), "");
}

// The manager holds one reference to each image; clearing lets go of it but not of the caller's.
TEST_F(ImageManager, HoldsOneReferencePerImageUntilCleared)
{
    ASSERT_TRUE(add("{}", "button.tga", "button"));
    ASSERT_TRUE(addStrip("{}", "knob.tga", "knob", -1, -1));
    long frameHeight = 0;
    long frames = 0;
    IImage *button = CImageManager::getImage(CString("button"));
    IImage *knob = CImageManager::getAnimation(CString("knob"), frameHeight, frames);
    EXPECT_TRUE(button->getReferenceCount() == 1 && knob->getReferenceCount() == 1);
    button->referenced();
    knob->referenced();
    CImageManager::clear();
    EXPECT_TRUE(allNames().empty());
    EXPECT_TRUE(button->getReferenceCount() == 1 && knob->getReferenceCount() == 1) << "the caller's are left";
    EXPECT_TRUE(button->imageHasLoaded() && knob->imageHasLoaded());
    button->dereference();
    knob->dereference();
}

// Frames are given, derived as squares from −1, or refused when the file does not load or they
// are not positive (0 × 0 in the table).
TEST_F(ImageManager, AnimationFramesAreGivenDerivedOrRefused)
{
    m_folder.write("broken.tga", "not a targa file at all");
    m_folder.write("picture.bmp", "BM");
    const std::tuple<const char *, long, long, long, long> cases[] = {
        {"knob.tga", -1, 5, 40, 10},  {"knob.tga", 80, 5, 80, 5},   {"knob.tga", -1, -1, 40, 10},
        {"missing.tga", 10, 4, 0, 0}, {"picture.bmp", 10, 4, 0, 0}, {"broken.tga", -1, -1, 0, 0},
        {"wide.tga", 8, -1, 0, 0},    {"knob.tga", 0, 10, 0, 0},    {"knob.tga", 40, 0, 0, 0},
        {"knob.tga", -7, 10, 0, 0}};
    for (const auto &[file, givenHeight, givenFrames, frameHeight, frames] : cases)
    {
        CImageManager::clear();
        EXPECT_EQ(addStrip("{}", file, "strip", givenHeight, givenFrames), frames > 0) << file;
        long heightOut = 0;
        long framesOut = 0;
        CImageManager::getAnimation(CString("strip"), heightOut, framesOut);
        EXPECT_TRUE(heightOut == frameHeight && framesOut == frames)
            << file << " " << givenHeight << " x " << givenFrames << " gave " << heightOut << " x " << framesOut;
    }
    EXPECT_FALSE(add("{}", "missing.tga", "missing"));
    EXPECT_FALSE(add("{}", "picture.bmp", "bitmap"));
    EXPECT_TRUE(allNames().empty()) << "nothing refused is registered";
}

// Text form: comments, stray lines, bad lines (which make the read fail) and lines
// after the end marker are skipped, the good lines around them are read. XML form:
// failing entries are skipped. A file in neither form, or none at all, fails.
TEST_F(ImageManager, DefinitionFilesRegisterEveryGoodEntry)
{
    const std::tuple<const char *, bool, std::vector<std::string>> cases[] = {
        {"<start_skin>\n# a comment, with, many, commas\nstray line\n<images>\n  {} , button.tga , button  \r\n"
         "{}, button.tga, extra, field, here\nskins, back.tga, back\n{}, missing.tga, missing\n<animations>\n"
         "{}, knob.tga, knob, -1, -1\n{}, knob.tga, short, 40\n<end_skin>\n{}, wide.tga, after, 4, 2\n",
         false,
         {"button", "back", "knob"}},
        {"<?xml version=\"1.0\"?>\n<image_manager_root>\n<images>\n"
         "<anything relative_path=\"{}\" filename=\"missing.tga\" reference_name=\"gone\"/>\n"
         "<image relative_path=\"{}\" filename=\"button.tga\" reference_name=\"button\"/>\n"
         "</images>\n</image_manager_root>\n",
         true,
         {"button"}},
        {"<?xml version=\"1.0\"?>\n<controls>\n</controls>\n", false, {}},
        {nullptr, false, {}}};
    for (const auto &[text, succeeds, names] : cases)
    {
        CImageManager::clear();
        std::filesystem::remove(m_folder.file("skin"));
        if (text)
        {
            m_folder.write("skin", text);
        }
        EXPECT_EQ(CImageManager::loadFromDefinitionFile(pathIn(m_folder, "skin")), succeeds) << (text ? text : "none");
        EXPECT_EQ(allNames(), names) << (text ? text : "none");
    }
}

TEST_F(ImageManager, DefinitionsRoundTripFromTextThroughXML)
{
    m_folder.write("skin.txt", "<start_skin>\n<images>\n{}, button.tga, button\nskins, back.tga, back & front\n"
                               "<animations>\n{}, knob.tga, knob, 20, 20\n<end_skin>\n");
    ASSERT_TRUE(CImageManager::loadFromDefinitionFile(pathIn(m_folder, "skin.txt")));
    ASSERT_TRUE(CImageManager::writeToXMLFile(pathIn(m_folder, "skin.xml")));
    CImageManager::clear();
    // Its first line is not "<start_skin>", so the definition reader takes the XML form.
    ASSERT_TRUE(CImageManager::loadFromDefinitionFile(pathIn(m_folder, "skin.xml")));
    EXPECT_EQ(allNames(), (std::vector<std::string>{"button", "back & front", "knob"}));
    long frameHeight = 0;
    long frames = 0;
    ASSERT_NE(CImageManager::getAnimation(CString("knob"), frameHeight, frames), nullptr);
    EXPECT_TRUE(frameHeight == 20 && frames == 20);
    EXPECT_STREQ(CImageManager::getImageReference(CString("back & front"))->getRelativePath().getString(), "skins");
}
} // namespace
