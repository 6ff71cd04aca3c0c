// The editor at 100 %, 150 % and 200 %: the panel's pictures, the host's say
// in a change of size, the start size from the display, and knob drags.
#include "tests/editor/CEditorTest.h"
#include "tests/editor/PanelComparison.h"

#include "editor/CEditorSettings.h"
#include "effect/VeltrixParameterTable.h"
#include "gui/controls/sliders/CKnob.h"
#include "gui/graphics/CPNGImage.h"
#include "gui/graphics/CPNGWriter.h"

#include <cstdlib>
#include <string>

namespace Orvalite::Testing
{
namespace
{
using namespace Veltrix;
using GUI::Graphics::CPNGImage;
using MathTools::CRect;

class EditorSizes : public CEditorTest
{
protected:
    void SetUp() override
    {
        CEditorTest::SetUp();
        makeEditor();
    }
    // What effEditGetRect answers: top, left, bottom, right.
    std::vector<long> editRect()
    {
        ERect *rect = nullptr;
        EXPECT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 1);
        return rect ? std::vector<long>{rect->top, rect->left, rect->bottom, rect->right} : std::vector<long>{};
    }
    static long savedPercent()
    {
        CEditorScale saved;
        return CEditorSettings::forUser().readScale(saved) ? saved.getPercent() : 0;
    }
};

class EditorGoldenPicture : public EditorSizes, public testing::WithParamInterface<long>
{
};

// The whole panel on program 0 at each size against a checked-in picture
// (docs/DEVELOPING.md says how to regenerate them and the copies in docs/).
TEST_P(EditorGoldenPicture, ThePanelOnProgramZeroLooksAsItsGoldenPicture)
{
    const CEditorScale scale(GetParam());
    m_editor->setScale(scale.getPercent());
    ASSERT_EQ(dispatch(effEditOpen, 0, 0, hostWindowHandle()), 1);
    dispatch(effEditIdle);
    const GUI::Graphics::CBitmap &screen = m_system.findWindow(editorHandle())->screen;
    ASSERT_EQ(screen.getWidth(), scale.toPixels(PANEL_WIDTH));
    ASSERT_EQ(screen.getHeight(), scale.toPixels(PANEL_HEIGHT));
    const std::string suffix = scale.getPercent() == 100 ? "" : "-" + std::to_string(scale.getPercent());
    const std::string path = std::string(ZELO_EDITOR_GOLDEN_DIR) + "/editor" + suffix + ".png";
    if (std::getenv("ZELO_WRITE_GOLDEN"))
    {
        Basics::CString error;
        ASSERT_TRUE(GUI::Graphics::CPNGWriter::writeToFile(screen, path.c_str(), error)) << error.getString();
        if (scale.getPercent() != 150)
        {
            const std::string copy = std::string(ZELO_DOCS_DIR) + "/editor" + suffix + ".png";
            ASSERT_TRUE(GUI::Graphics::CPNGWriter::writeToFile(screen, copy.c_str(), error)) << error.getString();
        }
    }
    const CPNGImage golden{Basics::CSystemString(path.c_str())};
    ASSERT_TRUE(golden.imageHasLoaded()) << path;
    // Text comes from the platform's fonts: cairo's on Linux, GDI+'s on Windows.
    const Zelo::Testing::SPanelDifference difference =
        Zelo::Testing::comparePanels(screen, *golden.getImageHandle(), scale);
    EXPECT_EQ(difference.largestOutsideText, 0) << "per channel, outside the read-outs";
#ifdef _WIN32
    EXPECT_LE(difference.textShareDiffering, 0.10) << "of the read-outs' pixels";
#else
    EXPECT_EQ(difference.textShareDiffering, 0.0) << "of the read-outs' pixels";
#endif
}

INSTANTIATE_TEST_SUITE_P(EverySize, EditorGoldenPicture, testing::ValuesIn(CEditorScale::SIZES));

// An open editor asks the host first; one that refuses keeps the editor, and
// the saved choice, as they were.
TEST_F(EditorSizes, AChangeWhileOpenAsksTheHostAndARefusalKeepsTheOldSize)
{
    ASSERT_EQ(dispatch(effEditOpen, 0, 0, hostWindowHandle()), 1);
    const struct
    {
        VstIntPtr answer;
        long percent;
        long expected;
        long saved; // 0 for no settings file
    } cases[] = {{0, 200, 100, 0}, {1, 200, 200, 200}, {1, 150, 150, 150}, {0, 100, 150, 150}, {1, 100, 100, 100}};
    for (const auto &test : cases)
    {
        m_host.answers[audioMasterSizeWindow] = test.answer;
        m_host.requests.clear();
        m_editor->setScale(test.percent);
        const CEditorScale expected(test.expected);
        ASSERT_EQ(m_host.count(audioMasterSizeWindow), 1) << test.percent << " %";
        EXPECT_EQ(m_host.requests.back().index, CEditorScale(test.percent).toPixels(PANEL_WIDTH));
        EXPECT_EQ(m_host.requests.back().value, CEditorScale(test.percent).toPixels(PANEL_HEIGHT));
        EXPECT_EQ(m_editor->getScale(), expected) << test.percent << " %, host answers " << test.answer;
        EXPECT_EQ(editRect(),
                  (std::vector<long>{0, 0, expected.toPixels(PANEL_HEIGHT), expected.toPixels(PANEL_WIDTH)}));
        const auto *window = m_system.findWindow(editorHandle());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->screen.getWidth(), expected.toPixels(PANEL_WIDTH));
        EXPECT_EQ(m_editor->getControl(PARAMETER_DELAY_ONE)->getArea(),
                  expected.toPixels(CRect(EDITOR_CONTROLS[3].left, EDITOR_CONTROLS[3].top, 40, 40)));
        EXPECT_EQ(savedPercent(), test.saved) << test.percent << " %";
    }
}

// Hosts ask for the size before they open the editor: the display decides it
// unless the user chose one.
TEST_F(EditorSizes, TheFirstSizeFollowsTheDisplayUnlessTheUserChoseOne)
{
    const struct
    {
        long dotsPerInch;
        long saved; // 0 for none
        std::vector<long> rect;
    } cases[] = {{96, 0, {0, 0, 466, 400}},
                 {144, 0, {0, 0, 699, 600}},
                 {192, 0, {0, 0, 932, 800}},
                 {192, 100, {0, 0, 466, 400}}};
    for (const auto &test : cases)
    {
        dispatch(effClose);
        std::filesystem::remove_all(m_configuration.path() + "/Zelo");
        if (test.saved)
        {
            ASSERT_TRUE(CEditorSettings::forUser().writeScale(CEditorScale(test.saved)));
        }
        m_system.setDotsPerInch(test.dotsPerInch);
        makeEditor();
        EXPECT_EQ(editRect(), test.rect) << test.dotsPerInch << " dpi, saved " << test.saved;
        EXPECT_EQ(m_host.count(audioMasterSizeWindow), 0) << "nothing to ask before the editor opens";
    }
}

TEST_F(EditorSizes, AKnobDragOfFortyDesignPixelsMovesTheValueAlikeAtEverySize)
{
    for (long percent : CEditorScale::SIZES)
    {
        m_editor->setScale(percent);
        m_host.answers[audioMasterSizeWindow] = 1;
        ASSERT_EQ(dispatch(effEditOpen, 0, 0, hostWindowHandle()), 1);
        m_effect->setParameter(PARAMETER_DELAY_ONE, 0.25f);
        dispatch(effEditIdle);
        const MathTools::CPoint centre = centreOf(m_editor->getControl(PARAMETER_DELAY_ONE)->getArea());
        const long x = centre.getXPosition(), up = centre.getYPosition() - m_editor->getScale().toPixels(40);
        send(GUI::Windowing::e_leftButtonDown, centre);
        send(GUI::Windowing::e_mouseMove, x, up, 0x1);
        send(GUI::Windowing::e_leftButtonUp, x, up);
        EXPECT_NEAR(m_effect->getParameter(PARAMETER_DELAY_ONE), 0.25 + 40 * GUI::Controls::CKnob::COARSE_STEP, 1e-6)
            << percent << " %";
        dispatch(effEditClose);
    }
}
} // namespace
} // namespace Orvalite::Testing
