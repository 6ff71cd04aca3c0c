#include "tests/editor/CEditorTest.h"

#include <stdexcept>
#include <thread>

namespace Orvalite::Testing
{
namespace
{
using Vst::CVstWindow;

using EditorWindow = CEditorTest;

TEST_F(EditorWindow, OpensAsOneChildOfTheHostWindowAndClosesWithoutTouchingIt)
{
    makeEditor();
    EXPECT_TRUE(m_effect->getAeffect()->flags & effFlagsHasEditor);

    EXPECT_EQ(dispatch(effEditOpen), 0) << "a null parent is refused without throwing into the host";
    EXPECT_FALSE(m_editor->isOpen());
    for (int round = 0; round < 100; ++round)
    {
        ASSERT_EQ(dispatch(effEditOpen, 0, 0, hostWindowHandle()), 1);
        ASSERT_EQ(dispatch(effEditOpen, 0, 0, hostWindowHandle()), 1) << "a second open replaces the first";
        ASSERT_EQ(m_system.getNumberOfWindows(), 2u) << "the host's window and one editor window";
        EXPECT_EQ(m_system.findWindow(editorHandle())->spec.parent, m_hostWindow.getWindowHandle());
        dispatch(effEditIdle);
        dispatch(effEditClose);
        ASSERT_FALSE(m_editor->isOpen());
    }
    EXPECT_EQ(editorHandle(), 0);
    EXPECT_EQ(m_system.getNumberOfWindows(), 1u);
    EXPECT_NE(m_system.findWindow(m_hostWindow.getWindowHandle()), nullptr) << "the host's window lives on";
}

TEST_F(EditorWindow, AnEditorWhoseConstructionFailsLeavesTheEffectWithoutOne)
{
    struct CFailingEditor : CVstWindow
    {
        explicit CFailingEditor(AudioEffect *effect)
            : CVstWindow(effect, MathTools::CRect(0, 0, 10, 10), GUI::Windowing::CWindowAttributes())
        {
            throw std::runtime_error("no skin");
        }
    };
    m_host.answers[audioMasterVersion] = 2400;
    m_effect = new Veltrix::CVeltrix(CRecordingHost::callback());
    EXPECT_THROW(new CFailingEditor(m_effect), std::runtime_error);
    EXPECT_EQ(m_effect->getEditor(), nullptr);
    EXPECT_FALSE(m_effect->getAeffect()->flags & effFlagsHasEditor);
    EXPECT_EQ(dispatch(effEditOpen, 0, 0, hostWindowHandle()), 0);
}

TEST(EditorEchoGuard, HoldsOnlyForTheThreadThatSetItAndEndsWithItsScope)
{
    CVstWindow editor(nullptr, MathTools::CRect(0, 0, 10, 10), GUI::Windowing::CWindowAttributes());
    try
    {
        const CVstWindow::CUpdatingEffect guard(editor);
        EXPECT_TRUE(editor.isUpdatingEffect());
        bool seenElsewhere = true;
        std::thread([&] { seenElsewhere = editor.isUpdatingEffect(); }).join();
        EXPECT_FALSE(seenElsewhere) << "automation on the audio thread still reaches the editor";
        throw std::runtime_error("the effect failed");
    }
    catch (const std::runtime_error &)
    {
    }
    EXPECT_FALSE(editor.isUpdatingEffect());
    Basics::CApplicationInformation::releaseApplicationInformation();
}
} // namespace
} // namespace Orvalite::Testing
