#include "gui/graphics/CTextLayout.h"

#include <gtest/gtest.h>

namespace
{
using namespace Orvalite::GUI::Fonts;
using namespace Orvalite::GUI::Graphics;

// Every character 10 pixels wide; ascent 8, descent 2, lines 12 apart.
class CFixedFont : public IFontHandle
{
public:
    std::string getFamilyName() const override { return "Fixed"; }
    SMetrics getMetrics() const override { return {8.0, 2.0, 12.0}; }
    bool measureText(const std::string &text, double &width) const override
    {
        width = 10.0 * static_cast<double>(text.size());
        return true;
    }
    void drawText(CBitmap &, const SPixelBox &, double, double, const std::string &, uint32_t, bool) const override {}
};

TEST(TextLayout, BothPathsPlaceASingleLineAlike)
{
    const CFixedFont font;
    const SPixelBox area{100, 50, 200, 90};
    // Alignment (out of range counts as 0): expected x and baseline for "abc" (30 wide, line 12 high
    // in the anti-aliased path, 10 in DrawTextA's).
    const struct
    {
        long alignment;
        double x, baseline, plainBaseline;
    } cases[] = {{0, 100, 58, 58},  {1, 135, 58, 58},  {2, 170, 58, 58}, {3, 100, 72, 73}, {4, 135, 72, 73},
                 {5, 170, 72, 73},  {6, 100, 86, 88},  {7, 135, 86, 88}, {8, 170, 86, 88}, {9, 100, 72, 73},
                 {10, 135, 72, 73}, {12, 100, 58, 58}, {-1, 100, 58, 58}};
    for (const auto &entry : cases)
    {
        const auto smooth = CTextLayout::forAlignment(entry.alignment).layOut("abc", area, font);
        const auto plain =
            CTextLayout::forDrawTextFormat(CTextLayout::drawTextFormatFor(entry.alignment)).layOut("abc", area, font);
        ASSERT_EQ(smooth.size(), 1u);
        ASSERT_EQ(plain.size(), 1u);
        EXPECT_DOUBLE_EQ(smooth[0].x, entry.x) << entry.alignment;
        EXPECT_DOUBLE_EQ(smooth[0].baseline, entry.baseline) << entry.alignment;
        EXPECT_DOUBLE_EQ(plain[0].x, entry.x) << entry.alignment;
        EXPECT_DOUBLE_EQ(plain[0].baseline, entry.plainBaseline) << entry.alignment;
    }
}

TEST(TextLayout, OnlyMultiLineFormatsBreakLines)
{
    const CFixedFont font;
    const SPixelBox area{0, 0, 100, 100};
    const auto multi = CTextLayout::forDrawTextFormat(0).layOut("one\r\ntwo\nsix", area, font);
    ASSERT_EQ(multi.size(), 3u);
    EXPECT_EQ(multi[1].text, "two");
    EXPECT_DOUBLE_EQ(multi[2].baseline, 8.0 + 2 * 10.0);
    const auto single = CTextLayout::forDrawTextFormat(37).layOut("one\ntwo", area, font);
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].text, "onetwo");
}

TEST(TextLayout, DrawTextDropsPrefixAmpersands)
{
    const std::pair<const char *, const char *> cases[] = {
        {"&File", "File"}, {"Salt && Pepper", "Salt & Pepper"}, {"end&", "end"}, {"&&&x", "&x"}};
    for (const auto &[text, shown] : cases)
    {
        EXPECT_EQ(CTextLayout::withoutPrefixes(text), shown) << text;
    }
    const CFixedFont font;
    EXPECT_EQ(CTextLayout::forDrawTextFormat(0).layOut("&A", {0, 0, 50, 50}, font)[0].text, "A");
    EXPECT_EQ(CTextLayout::forAlignment(0).layOut("&A", {0, 0, 50, 50}, font)[0].text, "&A")
        << "the anti-aliased path shows ampersands";
}
} // namespace
