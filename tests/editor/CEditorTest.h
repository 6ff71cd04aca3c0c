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
#include "tests/gui/windowing/MessageParameters.h"
#include "tests/support/CRecordingHost.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace Orvalite::Testing
{
// One edit request the host heard: begin, automation (with its value) or end.
struct SEditStep
{
    VstInt32 opcode;
    VstInt32 index;
    float value = 0.0f;
    bool operator==(const SEditStep &other) const
    {
        return opcode == other.opcode && index == other.index && value == other.value;
    }
};

// Copies the skin less `missingFiles` into a "Resources" folder beside the
// stand-in module folder `folder`, and makes that folder the module's.
inline void installSkin(const std::string &folder, const std::set<std::string> &missingFiles = {})
{
    const std::filesystem::path resources = std::filesystem::path(folder) / "Resources";
    std::filesystem::remove_all(resources);
    std::filesystem::create_directories(resources);
    for (const auto &entry : std::filesystem::directory_iterator(ZELO_SKIN_DIR))
    {
        if (!missingFiles.count(entry.path().filename().string()))
        {
            std::filesystem::copy_file(entry.path(), resources / entry.path().filename());
        }
    }
    Basics::CApplicationInformation::getApplicationPath().setString(folder.c_str());
}

class CEditorTest : public testing::Test
{
protected:
    // Builds the effect and its editor with the skin less `missingFiles`.
    void makeEditor(const std::set<std::string> &missingFiles = {})
    {
        installSkin(m_folder.path(), missingFiles);
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
        m_system.send(editorHandle(), message, wParam, pointParameter(x, y));
    }
    void send(uint32_t message, const MathTools::CPoint &point)
    {
        send(message, point.getXPosition(), point.getYPosition());
    }
    static MathTools::CPoint centreOf(const MathTools::CRect &area)
    {
        return MathTools::CPoint(area.getLeft() + area.getWidth() / 2, area.getTop() + area.getHeight() / 2);
    }
    // A click in the middle of control `id`.
    void click(long id)
    {
        const MathTools::CPoint centre = centreOf(m_editor->getControl(id)->getArea());
        send(GUI::Windowing::e_leftButtonDown, centre);
        send(GUI::Windowing::e_leftButtonUp, centre);
    }
    // What the host heard of user edits, the automation's values left out unless `withValues`.
    std::vector<SEditStep> edits(bool withValues = true) const
    {
        std::vector<SEditStep> steps;
        for (const SHostRequest &request : m_host.requests)
        {
            const bool isAutomation = request.opcode == audioMasterAutomate;
            if (isAutomation || request.opcode == audioMasterBeginEdit || request.opcode == audioMasterEndEdit)
            {
                steps.push_back({request.opcode, request.index, isAutomation && withValues ? request.opt : 0.0f});
            }
        }
        return steps;
    }
    std::string readout(long id) const { return m_editor->getReadout(id)->getText().getString(); }

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
