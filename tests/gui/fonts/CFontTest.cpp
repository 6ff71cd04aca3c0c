#include "gui/fonts/CFont.h"

#include "foundation/io/CXMLNode.h"
#include "gui/graphics/CDeviceContext.h"

#include <gtest/gtest.h>
#include <string>

namespace
{
using Orvalite::Basics::CString;
using Orvalite::GUI::Fonts::CFont;
using Orvalite::GUI::Graphics::CDeviceContext;
using Orvalite::IO::CXMLNode;

class CDefaultFontTest : public testing::Test
{
protected:
    void SetUp() override { CFont::createDefaultFont(); }
    void TearDown() override { CFont::releaseDefaultFont(); }
};

TEST_F(CDefaultFontTest, IsArialElevenRegular)
{
    const CFont *font = CFont::getDefaultFont();
    ASSERT_NE(font, nullptr);
    EXPECT_STREQ(font->getFontName().getString(), "Arial");
    EXPECT_EQ(font->getFontSize(), 11);
    EXPECT_EQ(font->getLogicalFont().height, -11);
    EXPECT_EQ(font->getLogicalFont().weight, 400);
    EXPECT_EQ(font->getLogicalFont().italic, 0);
    EXPECT_EQ(font->getLogicalFont().quality, 5);
    EXPECT_EQ(font->getLogicalFont().outPrecision, 4);
    EXPECT_STREQ(font->getLogicalFont().faceName, "Arial");
}

TEST_F(CDefaultFontTest, IsCreatedOnceAndGoneAfterRelease)
{
    const CFont *first = CFont::getDefaultFont();
    CFont::createDefaultFont();
    EXPECT_EQ(CFont::getDefaultFont(), first);
    CFont::releaseDefaultFont();
    EXPECT_EQ(CFont::getDefaultFont(), nullptr);
    CFont::releaseDefaultFont();
}

TEST(Font, ArialResolvesToAMetricCompatibleFace)
{
    const CFont font(CString("Arial"), 11, false, false);
    ASSERT_NE(font.getFontHandle(), nullptr);
    EXPECT_EQ(font.getFontHandle()->getFamilyName(), "Liberation Sans");
}

TEST(Font, DefaultConstructedFontHasNoHandle)
{
    const CFont font;
    EXPECT_EQ(font.getFontHandle(), nullptr);
    EXPECT_EQ(font.getFontSize(), 0);
    CDeviceContext context;
    EXPECT_EQ(font.getTextExtent(CString("abc"), &context), 0);
}

TEST(Font, StyleAndSizeReachTheDescription)
{
    CFont font(CString("Arial"), 14, true, true);
    EXPECT_EQ(font.getLogicalFont().weight, 700);
    EXPECT_EQ(font.getLogicalFont().italic, 1);
    font.setFont(CString("Arial"), 9, false, true, true, false);
    EXPECT_EQ(font.getLogicalFont().height, -9);
    EXPECT_EQ(font.getLogicalFont().weight, 400);
    EXPECT_EQ(font.getLogicalFont().underline, 1);
    EXPECT_EQ(font.getLogicalFont().strikeOut, 1);
    font.setFontSize(-5);
    EXPECT_EQ(font.getFontSize(), 0) << "sizes are kept within 0 … MAXIMUM_SIZE";
    font.setFontSize(1L << 40);
    EXPECT_EQ(font.getFontSize(), CFont::MAXIMUM_SIZE);
}

TEST(Font, FaceNameIsCutTo31Characters)
{
    const std::string longName(40, 'x');
    const CFont font(CString(longName.c_str()), 11, false, false);
    EXPECT_EQ(std::string(font.getLogicalFont().faceName), std::string(31, 'x'));
    EXPECT_STREQ(font.getFontName().getString(), longName.c_str()) << "the name itself is kept whole";
}

TEST(Font, CopyAndNameFromAnotherFont)
{
    const CFont original(CString("Arial"), 13, true, false);
    const CFont copy(original);
    EXPECT_STREQ(copy.getFontName().getString(), "Arial");
    EXPECT_EQ(copy.getFontSize(), 13);
    EXPECT_TRUE(copy.isItalic());
    EXPECT_NE(copy.getFontHandle(), nullptr);
    CFont other(CString("Courier New"), 10, false, false);
    other.setFontName(original);
    EXPECT_STREQ(other.getFontName().getString(), "Arial");
}

TEST(Font, TextExtentGrowsWithTheTextAndNeedsAContext)
{
    const CFont font(CString("Arial"), 11, false, false);
    CDeviceContext context;
    const long one = font.getTextExtent(CString("W"), &context);
    const long three = font.getTextExtent(CString("WWW"), &context);
    EXPECT_GT(one, 5);
    EXPECT_NEAR(three, 3 * one, 2);
    EXPECT_EQ(font.getTextExtent(CString("W"), nullptr), 0);
}

TEST(Font, XmlRoundTripsNameSizeAndStyle)
{
    const CFont original(CString("Arial"), 17, true, true);
    CXMLNode *node = new CXMLNode(CString("font"));
    node->referenced();
    ASSERT_TRUE(original.serialiseToXML(node));
    EXPECT_STREQ(node->getAttributeValue(CString("font_name")).getString(), "Arial");
    EXPECT_STREQ(node->getAttributeValue(CString("font_size")).getString(), "17");
    EXPECT_STREQ(node->getAttributeValue(CString("italic")).getString(), "True");
    EXPECT_STREQ(node->getAttributeValue(CString("bold")).getString(), "True");
    CFont read;
    ASSERT_TRUE(read.readFromXML(node));
    EXPECT_STREQ(read.getFontName().getString(), "Arial");
    EXPECT_EQ(read.getFontSize(), 17);
    EXPECT_TRUE(read.isItalic());
    EXPECT_TRUE(read.isBold());
    EXPECT_NE(read.getFontHandle(), nullptr);
    node->dereference();
}

TEST(Font, XmlWithoutNodeFailsAndMissingAttributesKeepTheirValues)
{
    CFont font(CString("Arial"), 12, false, true);
    EXPECT_FALSE(font.serialiseToXML(nullptr));
    EXPECT_FALSE(font.readFromXML(nullptr));
    CXMLNode *node = new CXMLNode(CString("font"));
    node->referenced();
    node->addAttribute(CString("font_size"), CString("20"));
    ASSERT_TRUE(font.readFromXML(node));
    EXPECT_STREQ(font.getFontName().getString(), "Arial");
    EXPECT_EQ(font.getFontSize(), 20);
    EXPECT_TRUE(font.isBold());
    node->dereference();
}
} // namespace
