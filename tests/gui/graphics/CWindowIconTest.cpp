#include "gui/graphics/CWindowIcon.h"

#include "tests/foundation/CTemporaryFolder.h"
#include "tests/gui/graphics/CImageFixtures.h"

#include <gtest/gtest.h>

namespace
{
using namespace Orvalite::Basics;
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::Testing;

class WindowIcon : public testing::Test
{
protected:
    void SetUp() override
    {
        // Blue 200, green 100, red 50, alpha 128: premultiplied 100, 50, 25 when loaded.
        m_folder.write("icon.tga", CImageFixtures::targaFile(2, 1, {{200, 100, 50, 128}, {0, 0, 255, 255}}));
    }
    CSystemString iconPath() const { return CSystemString(m_folder.file("icon.tga").c_str()); }

    CTemporaryFolder m_folder;
};

TEST_F(WindowIcon, ExtractsIndexZeroAsWindowManagerData)
{
    CWindowIcon icon;
    ASSERT_TRUE(icon.extractFromFile(iconPath(), 0));
    const std::vector<unsigned long> data = icon.getWindowManagerIcon();
    ASSERT_EQ(data.size(), 4u);
    EXPECT_EQ(data[0], 2u);
    EXPECT_EQ(data[1], 1u);
    // Straight colour again: 25 / 128 → 50, 50 → 100, 100 → 199 (rounded).
    EXPECT_EQ(data[2], CBitmap::pack(50, 100, 199, 128));
    EXPECT_EQ(data[3], CBitmap::pack(255, 0, 0, 255));
}

TEST_F(WindowIcon, EverySetterFirstDestroysTheIconHeld)
{
    CWindowIcon icon;
    ASSERT_TRUE(icon.extractFromFile(iconPath(), 0));
    EXPECT_FALSE(icon.extractFromFile(iconPath(), 1));
    EXPECT_FALSE(icon.hasIcon());

    ASSERT_TRUE(icon.extractFromFile(iconPath(), 0));
    EXPECT_FALSE(icon.loadFromResource(101));
    EXPECT_EQ(icon.getIcon(), nullptr);

    ASSERT_TRUE(icon.extractFromFile(iconPath(), 0));
    EXPECT_FALSE(icon.extractFromFile(CSystemString(m_folder.file("missing.tga").c_str()), 0));
    EXPECT_TRUE(icon.getWindowManagerIcon().empty());
}

TEST_F(WindowIcon, TakingOverLeavesTheOtherEmpty)
{
    CWindowIcon first;
    CWindowIcon second;
    ASSERT_TRUE(first.extractFromFile(iconPath(), 0));
    second.takeOver(first);
    EXPECT_FALSE(first.hasIcon());
    ASSERT_TRUE(second.hasIcon());
    EXPECT_EQ(second.getIcon()->getWidth(), 2);
}
} // namespace
