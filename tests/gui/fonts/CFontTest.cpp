#include "gui/fonts/CFont.h"

#include "foundation/io/CXMLNode.h"
#include "gui/graphics/CDeviceContext.h"
#include "gui/graphics/CGraphics.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <utility>

namespace
{
using namespace Orvalite::Basics;
using namespace Orvalite::GUI::Fonts;
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::IO;
using namespace Orvalite::MathTools;

TEST(Font, DefaultIsSharedUntilItsLastHolderReleasesIt)
{
    CFont::createDefaultFont();
    const CFont *font = CFont::getDefaultFont();
    ASSERT_NE(font, nullptr);
    ASSERT_NE(font->getFontHandle(), nullptr);
    EXPECT_EQ(font->getFontHandle()->getFamilyName(), "Liberation Sans") << "Arial resolves to a metric match";
    CFont::createDefaultFont();
    EXPECT_EQ(CFont::getDefaultFont(), font);
    CFont::releaseDefaultFont();
    EXPECT_EQ(CFont::getDefaultFont(), font) << "one holder is left";
    CFont::releaseDefaultFont();
    EXPECT_EQ(CFont::getDefaultFont(), nullptr);
    CFont::releaseDefaultFont();
    EXPECT_EQ(CFont::getDefaultFont(), nullptr) << "a release too many is ignored";
}

TEST(Font, LogicalDescriptionFollowsTheFontWithinItsLimits)
{
    CFont font(CString("Arial"), 14, true, true);
    EXPECT_TRUE(font.getLogicalFont().weight == 700 && font.getLogicalFont().italic == 1) << "bold and italic";
    font.setFontSize(-5);
    EXPECT_EQ(font.getFontSize(), 0);
    font.setFontSize(std::numeric_limits<long>::max());
    EXPECT_EQ(font.getFontSize(), CFont::MAXIMUM_SIZE);
    const std::string longName(40, 'x');
    const CFont named(CString(longName.c_str()), 11, false, false);
    EXPECT_EQ(std::string(named.getLogicalFont().faceName), std::string(31, 'x')) << "the face name is cut";
    EXPECT_STREQ(named.getFontName().getString(), longName.c_str()) << "the name itself is kept whole";
}

TEST(Font, TextExtentGrowsWithTheTextAndTheSize)
{
    const CFont font(CString("Arial"), 11, false, false);
    CDeviceContext context;
    const long one = font.getTextExtent(CString("W"), &context);
    EXPECT_GT(one, 5);
    EXPECT_NEAR(font.getTextExtent(CString("WWW"), &context), 3 * one, 2);
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
}

TEST(Font, TextExtentIsNothingWithoutAFontOrAContext)
{
    CDeviceContext context;
    EXPECT_EQ(CFont(CString("Arial"), 11, false, false).getTextExtent(CString("W"), nullptr), 0);
    EXPECT_EQ(CFont().getTextExtent(CString("abc"), &context), 0) << "a font without a handle";
    CDimension kept(3, 4);
    EXPECT_FALSE(CGraphics::getTextExtent(CString("abc"), kept, nullptr));
    EXPECT_EQ(kept, CDimension(3, 4));
}

// The attribute names and forms of existing skin files; attributes missing from a node keep their values.
TEST(Font, XmlRoundTripsNameSizeAndStyle)
{
    const CFont original(CString("Arial"), 17, true, true);
    CXMLNode *node = new CXMLNode(CString("font"));
    node->referenced();
    ASSERT_TRUE(original.serialiseToXML(node));
    for (const auto &[name, value] :
         {std::pair("font_name", "Arial"), {"font_size", "17"}, {"italic", "True"}, {"bold", "True"}})
    {
        EXPECT_STREQ(node->getAttributeValue(CString(name)).getString(), value) << name;
    }
    CFont read(CString("Other"), 12, false, false);
    ASSERT_TRUE(read.readFromXML(node));
    EXPECT_STREQ(read.getFontName().getString(), "Arial");
    EXPECT_TRUE(read.getFontSize() == 17 && read.isItalic() && read.isBold());
    EXPECT_NE(read.getFontHandle(), nullptr) << "the handle is rebuilt";
    node->dereference();
    CXMLNode *sizeOnly = new CXMLNode(CString("font"));
    sizeOnly->referenced();
    sizeOnly->addAttribute(CString("font_size"), CString("20"));
    ASSERT_TRUE(read.readFromXML(sizeOnly));
    EXPECT_TRUE(read.getFontSize() == 20 && read.isBold() && read.isItalic() && read.getFontName() == CString("Arial"));
    sizeOnly->dereference();
    EXPECT_FALSE(read.serialiseToXML(nullptr));
    EXPECT_FALSE(read.readFromXML(nullptr));
}
} // namespace
