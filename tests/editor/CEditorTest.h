// A fixture for the editor tests: Zelo's effect with its editor on a recording
// host and the headless window system, the skin copied into a "Resources"
// folder beside a stand-in module folder (less the files a test leaves out),
// and a host window to open the editor in. The user's configuration folder is
// a fresh one and ZELO_EDITOR_SCALE unset, so editors start at 100 %.
#pragma once

#include "editor/CVeltrixEditor.h"
#include "effect/CVeltrix.h"
#include "foundation/basics/CApplicationInformation.h"
#include "gui/fonts/CFont.h"
#include "gui/windowing/WindowMessage.h"
#include "gui/windowing/headless/CHeadlessWindowSystem.h"
#include "tests/editor/CScopedEnvironment.h"
#include "tests/foundation/CTemporaryFolder.h"
#include "tests/support/CRecordingHost.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

namespace Orvalite::Testing
{
class CEditorTest : public testing::Test
{
protected:
    // Builds the effect and its editor with the skin less `missingFiles`.
    void makeEditor(const std::set<std::string> &missingFiles = {})
    {
        const std::filesystem::path resources = std::filesystem::path(m_folder.path()) / "Resources";
        std::filesystem::remove_all(resources);
        std::filesystem::create_directories(resources);
        for (const auto &entry : std::filesystem::directory_iterator(ZELO_SKIN_DIR))
        {
            if (!missingFiles.count(entry.path().filename().string()))
            {
                std::filesystem::copy_file(entry.path(), resources / entry.path().filename());
            }
        }
        Basics::CApplicationInformation::getApplicationPath().setString(m_folder.path().c_str());
        m_host.answers[audioMasterVersion] = 2400;
        m_effect = new Veltrix::CVeltrix(CRecordingHost::callback(),
                                         [](Veltrix::CVeltrix *effect) { Veltrix::CVeltrixEditor::createFor(effect); });
        m_editor = dynamic_cast<Veltrix::CVeltrixEditor *>(m_effect->getEditor());
        ASSERT_NE(m_editor, nullptr);
        // As hosts do from their user-interface thread: this thread becomes it.
        dispatch(effEditIdle);
    }
    void SetUp() override
    {
        GUI::Windowing::INativeWindowSystem::install(&m_system);
        GUI::Fonts::CFont::createDefaultFont();
        m_hostWindow.intialiseWindow(m_hostWindow.getWindowAttributes(), true);
    }
    void TearDown() override
    {
        if (m_effect)
        {
            dispatch(effClose);
        }
        m_hostWindow.uninitialiseWindow();
        GUI::Fonts::CFont::releaseDefaultFont();
        GUI::Windowing::INativeWindowSystem::install(nullptr);
        Basics::CApplicationInformation::releaseApplicationInformation();
    }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void *ptr = nullptr)
    {
        AEffect *record = m_effect->getAeffect();
        return record->dispatcher(record, opcode, index, value, ptr, 0.0f);
    }
    void *hostWindowHandle() const { return reinterpret_cast<void *>(m_hostWindow.getWindowHandle()); }
    GUI::Basics::NativeWindowHandle editorHandle() const { return m_editor->getWindowHandle(); }
    // A message at a point of the editor's window.
    void send(uint32_t message, long x, long y, uintptr_t wParam = 0)
    {
        const auto packed =
            static_cast<intptr_t>(static_cast<uint16_t>(x) | static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16);
        m_system.send(editorHandle(), message, wParam, packed);
    }
    // A click in the middle of control `id`.
    void click(long id)
    {
        const MathTools::CRect &area = m_editor->getControl(id)->getArea();
        const long x = area.getLeft() + area.getWidth() / 2;
        const long y = area.getTop() + area.getHeight() / 2;
        send(GUI::Windowing::e_leftButtonDown, x, y);
        send(GUI::Windowing::e_leftButtonUp, x, y);
    }
    std::string readout(long id) const { return m_editor->getReadout(id)->getText().getString(); }

#ifdef _WIN32
    static constexpr const char *CONFIGURATION_VARIABLE = "APPDATA";
#else
    static constexpr const char *CONFIGURATION_VARIABLE = "XDG_CONFIG_HOME";
#endif

    CTemporaryFolder m_folder;
    CTemporaryFolder m_configuration;
    CScopedEnvironment m_configurationVariable{CONFIGURATION_VARIABLE, m_configuration.path().c_str()};
    CScopedEnvironment m_scaleVariable{"ZELO_EDITOR_SCALE", nullptr};
    CRecordingHost m_host;
    GUI::Windowing::CHeadlessWindowSystem m_system;
    GUI::Windowing::CWindow m_hostWindow{MathTools::CRect(0, 0, 640, 480)};
    Veltrix::CVeltrix *m_effect = nullptr;
    Veltrix::CVeltrixEditor *m_editor = nullptr;
};
} // namespace Orvalite::Testing
