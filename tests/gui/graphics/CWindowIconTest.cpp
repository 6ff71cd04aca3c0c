#include "gui/graphics/CWindowIcon.h"

#include "tests/gui/graphics/CImageFixtures.h"

#include <gtest/gtest.h>

namespace
{
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::Testing;

class WindowIcon : public testing::Test
{
protected:
    // Blue 200, green 100, red 50, alpha 128: premultiplied 100, 50, 25 when loaded.
    void SetUp() override
    {
        m_folder.write("icon.tga", CImageFixtures::targaFile(2, 1, {{200, 100, 50, 128}, {0, 0, 255, 255}}));
    }

    CTemporaryFolder m_folder;
    const Orvalite::Basics::CSystemString m_path = pathIn(m_folder, "icon.tga");
};

TEST_F(WindowIcon, ExtractsIndexZeroAsWindowManagerData)
{
    CWindowIcon icon;
    ASSERT_TRUE(icon.extractFromFile(m_path, 0));
    // Width, height, then straight colour again: 25 / 128 → 50, 50 → 100, 100 → 199 (rounded).
    EXPECT_EQ(icon.getWindowManagerIcon(),
              (std::vector<unsigned long>{2, 1, CBitmap::pack(50, 100, 199, 128), CBitmap::pack(255, 0, 0, 255)}));
}

TEST_F(WindowIcon, EverySetterFirstDestroysTheIconHeld)
{
    CWindowIcon icon;
    ASSERT_TRUE(icon.extractFromFile(m_path, 0));
    EXPECT_FALSE(icon.extractFromFile(m_path, 1));
    EXPECT_FALSE(icon.hasIcon());
    ASSERT_TRUE(icon.extractFromFile(m_path, 0));
    EXPECT_FALSE(icon.loadFromResource(101));
    EXPECT_EQ(icon.getIcon(), nullptr);
    ASSERT_TRUE(icon.extractFromFile(m_path, 0));
    EXPECT_FALSE(icon.extractFromFile(pathIn(m_folder, "missing.tga"), 0));
    EXPECT_TRUE(icon.getWindowManagerIcon().empty());
}

TEST_F(WindowIcon, TakingOverLeavesTheOtherEmpty)
{
    CWindowIcon first;
    CWindowIcon second;
    ASSERT_TRUE(first.extractFromFile(m_path, 0));
    second.takeOver(first);
    EXPECT_FALSE(first.hasIcon());
    ASSERT_TRUE(second.hasIcon());
    EXPECT_EQ(second.getIcon()->getWidth(), 2);
}
} // namespace
