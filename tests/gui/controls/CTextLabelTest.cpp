#include "gui/controls/text/CTextLabel.h"

#include "tests/gui/controls/CControlWindowTest.h"

#include <gtest/gtest.h>

namespace
{
using namespace Orvalite::GUI::Windowing;
using Orvalite::GUI::Controls::CTextLabel;
using Orvalite::MathTools::CPoint;
using Orvalite::MathTools::CRect;

class TextLabel : public Orvalite::Testing::CControlWindowTest
{
protected:
    void SetUp() override
    {
        CControlWindowTest::SetUp();
        m_label = new CTextLabel(&root(), 1, CRect(20, 20, 120, 40), "Hi");
        root().addControl(m_label);
    }

    CTextLabel *m_label = nullptr;
};

TEST_F(TextLabel, EveryAlignmentPlacesTheTextInItsThirdOfTheLabel)
{
    // Columns and rows (0 left/top, 1 centre, 2 right/bottom); 9 and 10 draw as 3 and 4.
    const long columns[] = {0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1};
    const long rows[] = {0, 0, 0, 1, 1, 1, 2, 2, 2, 1, 1};
    for (long alignment = 0; alignment < CTextLabel::NUMBER_OF_ALIGNMENTS; ++alignment)
    {
        m_label->setTextAlignment(alignment);
        repaint();
        long sumX = 0, sumY = 0, count = 0;
        for (long y = 0; y < 40; ++y)
        {
            for (long x = 0; x < 120; ++x)
            {
                if ((pixel(20 + x, 20 + y) & 0xFF) < 128)
                {
                    sumX += x;
                    sumY += y;
                    ++count;
                }
            }
        }
        ASSERT_GT(count, 0) << alignment;
        EXPECT_EQ(sumX / count / 40, columns[alignment]) << "alignment " << alignment;
        EXPECT_EQ(sumY * 3 / count / 40, rows[alignment]) << "alignment " << alignment;
    }
}

TEST_F(TextLabel, ADropShowsTheFirstFileAndAnEmptyDropChangesNothing)
{
    m_system.dropFiles(m_handle, CPoint(30, 30), {});
    EXPECT_STREQ(m_label->getText().getString(), "Hi");
    m_system.dropFiles(m_handle, CPoint(30, 30), {"/tmp/first.wav", "/tmp/second.wav"});
    EXPECT_STREQ(m_label->getText().getString(), "/tmp/first.wav");
    EXPECT_FALSE(m_label->isMouseEnabled());
}
} // namespace
