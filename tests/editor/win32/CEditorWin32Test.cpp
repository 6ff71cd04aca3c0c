// Zelo's editor on the Win32 window system in real windows under Wine: every
// window, device context, GDI object, timer, hook and GDI+ object our layer
// makes is counted in the resource ledger, because Wine's own counters answer 0.
#include "gui/basics/win32/CWin32ResourceLedger.h"
#include "gui/windowing/CWindow.h"
#include "gui/windowing/win32/Win32WindowSystemFactory.h"
#include "tests/editor/CEditorTest.h"
#include "tests/support/win32/CExceptionWatch.h"

#include <gtest/gtest.h>

namespace Orvalite::Testing
{
namespace
{
using GUI::Basics::CWin32ResourceLedger;

class EditorWin32 : public testing::Test
{
protected:
    void SetUp() override
    {
        installSkin(m_folder.path());
        GUI::Windowing::INativeWindowSystem::install(m_system.get());
        m_host.answers[audioMasterVersion] = 2400;
    }
    void TearDown() override
    {
        GUI::Windowing::INativeWindowSystem::install(nullptr);
        Basics::CApplicationInformation::releaseApplicationInformation();
    }

    // The ledger's count of every kind, so a failure names what was left.
    static std::vector<long> ledger()
    {
        std::vector<long> counts;
        for (int kind = 0; kind < CWin32ResourceLedger::NUMBER_OF_KINDS; ++kind)
        {
            counts.push_back(CWin32ResourceLedger::count(static_cast<CWin32ResourceLedger::EKind>(kind)));
        }
        return counts;
    }

    Zelo::Testing::CExceptionWatch m_exceptions;
    CTemporaryFolder m_folder;
    CRecordingHost m_host;
    std::unique_ptr<GUI::Windowing::INativeWindowSystem> m_system = GUI::Windowing::makeWin32WindowSystem();
};

// The host's window is ours too, made before the count starts; the effect and
// its editor come and go with the rounds, so GDI+ must be shut down after them.
TEST_F(EditorWin32, AHundredEffectsOpenedAndClosedGiveBackEveryWindowsObject)
{
    GUI::Windowing::CWindow hostWindow{MathTools::CRect(40, 30, 400, 466)};
    hostWindow.intialiseWindow(hostWindow.getWindowAttributes(), true);
    ASSERT_NE(hostWindow.getWindowHandle(), 0u);
    const std::vector<long> before = ledger();
    for (int round = 0; round < 100; ++round)
    {
        auto *effect = new Veltrix::CVeltrix(
            CRecordingHost::callback(), [](Veltrix::CVeltrix *owner) { Veltrix::CVeltrixEditor::createFor(owner); });
        AEffect *record = effect->getAeffect();
        ASSERT_EQ(
            record->dispatcher(record, effEditOpen, 0, 0, reinterpret_cast<void *>(hostWindow.getWindowHandle()), 0.0f),
            1)
            << round;
        record->dispatcher(record, effEditIdle, 0, 0, nullptr, 0.0f);
        hostWindow.updateWindow();
        record->dispatcher(record, effEditClose, 0, 0, nullptr, 0.0f);
        record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
    }
    const std::vector<long> after = ledger();
    for (int kind = 0; kind < CWin32ResourceLedger::NUMBER_OF_KINDS; ++kind)
    {
        EXPECT_EQ(after[kind], before[kind])
            << CWin32ResourceLedger::nameOf(static_cast<CWin32ResourceLedger::EKind>(kind));
    }
    EXPECT_EQ(CWin32ResourceLedger::count(CWin32ResourceLedger::e_gdiPlusObject), 0)
        << "GDI+ went with the last editor";
    hostWindow.uninitialiseWindow();
}
} // namespace
} // namespace Orvalite::Testing
