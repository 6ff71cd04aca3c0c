#include "gui/fonts/CFont.h"

#include "foundation/io/CXMLNode.h"
#include "gui/graphics/CDeviceContext.h"
#include "gui/graphics/CGraphics.h"

#include <gtest/gtest.h>
#include <string>

namespace
{
using namespace Orvalite::Basics;
using namespace Orvalite::GUI::Fonts;
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::IO;
using namespace Orvalite::MathTools;

TEST(Font, DefaultIsArialElevenRegularCreatedOnceAndGoneAfterRelease)
{
    CFont::createDefaultFont();
    const CFont *font = CFont::getDefaultFont();
    ASSERT_NE(font, nullptr);
    EXPECT_STREQ(font->getFontName().getString(), "Arial");
    EXPECT_STREQ(font->getLogicalFont().faceName, "Arial");
    EXPECT_EQ(font->getFontSize(), 11);
    EXPECT_EQ(font->getLogicalFont().height, -11);
    EXPECT_EQ(font->getLogicalFont().weight, 400);
    EXPECT_EQ(font->getLogicalFont().italic, 0);
    EXPECT_EQ(font->getLogicalFont().quality, 5);
    EXPECT_EQ(font->getLogicalFont().outPrecision, 4);
    ASSERT_NE(font->getFontHandle(), nullptr);
    EXPECT_EQ(font->getFontHandle()->getFamilyName(), "Liberation Sans") << "Arial resolves to a metric match";
    CFont::createDefaultFont();
    EXPECT_EQ(CFont::getDefaultFont(), font);
    CFont::releaseDefaultFont();
    EXPECT_EQ(CFont::getDefaultFont(), nullptr);
    CFont::releaseDefaultFont();
}

TEST(Font, StyleAndSizeReachTheDescriptionWithinLimits)
{
    CFont font(CString("Arial"), 14, true, true);
    EXPECT_EQ(font.getLogicalFont().weight, 700);
    EXPECT_EQ(font.getLogicalFont().italic, 1);
    font.setFont(CString("Arial"), 9, false, true, true, false);
    EXPECT_EQ(font.getLogicalFont().height, -9);
    EXPECT_EQ(font.getLogicalFont().weight, 400);
    EXPECT_TRUE(font.getLogicalFont().underline == 1 && font.getLogicalFont().strikeOut == 1);
    font.setFontSize(-5);
    EXPECT_EQ(font.getFontSize(), 0) << "sizes are kept within 0 … MAXIMUM_SIZE";
    font.setFontSize(1L << 40);
    EXPECT_EQ(font.getFontSize(), CFont::MAXIMUM_SIZE);
    const std::string longName(40, 'x');
    const CFont named(CString(longName.c_str()), 11, false, false);
    EXPECT_EQ(std::string(named.getLogicalFont().faceName), std::string(31, 'x')) << "the face name is cut";
    EXPECT_STREQ(named.getFontName().getString(), longName.c_str()) << "the name itself is kept whole";
}

TEST(Font, TextExtentGrowsWithTheTextAndNeedsAFontAndAContext)
{
    const CFont font(CString("Arial"), 11, false, false);
    CDeviceContext context;
    const long one = font.getTextExtent(CString("W"), &context);
    EXPECT_GT(one, 5);
    EXPECT_NEAR(font.getTextExtent(CString("WWW"), &context), 3 * one, 2);
    EXPECT_EQ(font.getTextExtent(CString("W"), nullptr), 0);
    EXPECT_EQ(CFont().getTextExtent(CString("abc"), &context), 0) << "a font without a handle";
    CDimension sizes[3];
    const char *texts[] = {"a", "ab", "abW"};
    for (int index = 0; index < 3; ++index)
    {
        ASSERT_TRUE(CGraphics::getTextExtent(CString(texts[index]), sizes[index], &font)) << texts[index];
        EXPECT_TRUE(sizes[index].getHeight() >= 11 && sizes[index].getHeight() <= 16) << texts[index];
    }
    EXPECT_TRUE(0 < sizes[0].getWidth() && sizes[0].getWidth() < sizes[1].getWidth() &&
                sizes[1].getWidth() < sizes[2].getWidth());
    const CFont larger(CString("Arial"), 22, false, false);
    CDimension bigger;
    ASSERT_TRUE(CGraphics::getTextExtent(CString("abW"), bigger, &larger));
    EXPECT_NEAR(bigger.getWidth(), 2 * sizes[2].getWidth(), 2);
    CDimension kept(3, 4);
    EXPECT_FALSE(CGraphics::getTextExtent(CString("abc"), kept, nullptr));
    EXPECT_EQ(kept, CDimension(3, 4));
}

TEST(Font, XmlRoundTripsNameSizeAndStyleAndKeepsWhatIsMissing)
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
    EXPECT_TRUE(read.getFontSize() == 17 && read.isItalic() && read.isBold());
    EXPECT_NE(read.getFontHandle(), nullptr);
    node->dereference();

    CFont font(CString("Arial"), 12, false, true);
    EXPECT_FALSE(font.serialiseToXML(nullptr));
    EXPECT_FALSE(font.readFromXML(nullptr));
    node = new CXMLNode(CString("font"));
    node->referenced();
    node->addAttribute(CString("font_size"), CString("20"));
    ASSERT_TRUE(font.readFromXML(node));
    EXPECT_STREQ(font.getFontName().getString(), "Arial");
    EXPECT_TRUE(font.getFontSize() == 20 && font.isBold());
    node->dereference();
}
} // namespace
