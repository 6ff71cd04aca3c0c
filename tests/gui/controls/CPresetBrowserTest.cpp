// The preset browser with real files in a temporary folder: listing, choosing
// and loading, saving through a temporary file, the overwrite question and
// the failure messages, answered by the test instead of a dialog.
#include "gui/controls/presets/CPresetBrowser.h"
#include "gui/controls/presets/CPresetList.h"
#include "gui/controls/text/CTextEdit.h"
#include "gui/controls/text/CTextLabel.h"
#include "gui/listeners/IPresetListener.h"
#include "tests/foundation/CTemporaryFolder.h"
#include "tests/gui/controls/CControlWindowTest.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace Orvalite::Testing
{
namespace
{
using namespace GUI::Windowing;
using GUI::Controls::CPresetBrowser;
using GUI::Controls::CPresetList;
using MathTools::CRect;
namespace fs = std::filesystem;

// A preset is the text it holds; one starting "bad" cannot be applied.
class CPresetTarget : public GUI::Listeners::IPresetListener
{
public:
    bool loadPreset(const Basics::CString &path) override
    {
        std::ifstream file(path.getString());
        std::stringstream text;
        text << file.rdbuf();
        if (!file || text.str().rfind("bad", 0) == 0)
        {
            return false;
        }
        state = text.str();
        return true;
    }
    // A failing save has written part of the file when it gives up.
    bool savePreset(const Basics::CString &path) override
    {
        std::ofstream(path.getString()) << (failSaving ? state.substr(0, 1) : state);
        return !failSaving;
    }

    std::string state = "initial";
    bool failSaving = false;
};

class CAnsweringDialogs : public CPresetBrowser::IDialogs
{
public:
    bool askQuestion(const Basics::CString &text, const Basics::CString &title) override
    {
        said.push_back(std::string(title.getString()) + ": " + text.getString());
        return answer;
    }
    void showError(const Basics::CString &text, const Basics::CString &title) override
    {
        said.push_back(std::string(title.getString()) + ": " + text.getString());
    }

    bool answer = true;
    std::vector<std::string> said;
};

class PresetBrowser : public CControlWindowTest
{
protected:
    void SetUp() override
    {
        CControlWindowTest::SetUp();
        m_folder = fs::u8path(m_temporaryFolder.path());
        m_browser = new CPresetBrowser(&root(), 1, CRect(0, 0, 200, 150));
        root().addControl(m_browser);
        m_browser->createLayout();
        m_browser->setPresetListener(&m_target);
        m_browser->setDialogs(&m_dialogs);
    }
    void write(const std::string &name, const std::string &text) { std::ofstream(m_folder / name) << text; }
    std::string read(const std::string &name) const
    {
        std::ifstream file(m_folder / name);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    // The pointer moves to a child of the browser and clicks there.
    void click(const GUI::Controls::IControl *child, uint32_t message = e_leftButtonDown, long rowOffset = 0)
    {
        const CRect &area = child->getArea();
        const auto x = static_cast<int16_t>(area.getLeft() + area.getWidth() / 2);
        const auto y = static_cast<int16_t>(area.getTop() + rowOffset + 5);
        send(e_mouseMove, x, y);
        send(message, x, y);
        send(e_leftButtonUp, x, y);
    }
    std::string current() const { return m_browser->getCurrentLabel()->getText().getString(); }

    CTemporaryFolder m_temporaryFolder;
    fs::path m_folder;
    CPresetBrowser *m_browser = nullptr;
    CPresetTarget m_target;
    CAnsweringDialogs m_dialogs;
};

TEST_F(PresetBrowser, ListsThePresetFilesOfTheFolderByName)
{
    write("beta.fxp", "b");
    write("alpha.fxp", "a");
    write("notes.txt", "n");
    fs::create_directory(m_folder / "folder.fxp");
    m_browser->setFolder(m_folder.string());
    EXPECT_EQ(m_browser->getList()->getNames(), (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_EQ(current(), "Current: Default");
    EXPECT_STREQ(m_browser->getNameField()->getText().getString(), "Preset");
}

TEST_F(PresetBrowser, AClickSelectsADoubleClickLoadsAndTheWheelScrolls)
{
    for (char letter = 'a'; letter <= 'h'; ++letter)
        write(std::string(1, letter) + ".fxp", std::string("preset ") + letter);
    m_browser->setFolder(m_folder.string());
    const CPresetList *list = m_browser->getList();
    click(list, e_leftButtonDown, CPresetList::ROW_HEIGHT);
    EXPECT_EQ(list->getSelectedIndex(), 1);
    EXPECT_STREQ(m_browser->getNameField()->getText().getString(), "b");
    repaint();
    EXPECT_EQ(pixel(list->getArea().getLeft() + 2, list->getArea().getTop() + CPresetList::ROW_HEIGHT + 2),
              argb(51, 153, 255))
        << "the selected row is highlighted";
    EXPECT_EQ(m_target.state, "initial") << "a click only selects";

    const int16_t listX = static_cast<int16_t>(list->getArea().getLeft() + 10);
    const int16_t listY = static_cast<int16_t>(list->getArea().getTop() + 10);
    for (int notch = 0; notch < 10; ++notch)
        wheel(-120, listX, listY);
    EXPECT_EQ(list->getFirstVisibleRow(), 8 - (list->getArea().getHeight() / CPresetList::ROW_HEIGHT))
        << "scrolled to the last page and no further";
    click(list, e_leftButtonDoubleClick);
    EXPECT_EQ(m_target.state, "preset " + list->getNames()[static_cast<size_t>(list->getFirstVisibleRow())]);
    EXPECT_EQ(current(), "Current: " + list->getNames()[static_cast<size_t>(list->getSelectedIndex())]);
}

TEST_F(PresetBrowser, AFailedLoadChangesNothingAndSaysSo)
{
    write("broken.fxp", "bad bytes");
    m_browser->setFolder(m_folder.string());
    EXPECT_FALSE(m_browser->load("broken"));
    EXPECT_FALSE(m_browser->load("missing"));
    EXPECT_EQ(m_target.state, "initial");
    EXPECT_EQ(current(), "Current: Default");
    EXPECT_EQ(m_dialogs.said, (std::vector<std::string>(2, "Error!: Failed to load preset")));
}

TEST_F(PresetBrowser, SavingGoesThroughATemporaryFileAndAsksBeforeOverwriting)
{
    const std::string question = "Overwrite: This file already exists, do you want to overwrite?";
    const std::string failure = "Error!: Failed to save preset";
    struct SCase
    {
        bool existing, answer, failing;
        const char *expected; // the file afterwards
        std::vector<std::string> said;
    };
    const SCase cases[] = {
        {false, true, false, "new state", {}},
        {true, true, false, "new state", {question}},
        {true, false, false, "old state", {question}},
        {true, true, true, "old state", {question, failure}},
        {false, true, true, "", {failure}},
    };
    m_browser->setFolder(m_folder.string());
    m_browser->getNameField()->setText("mine");
    for (const SCase &testCase : cases)
    {
        fs::remove(m_folder / "mine.fxp");
        if (testCase.existing)
            write("mine.fxp", "old state");
        m_dialogs.said.clear();
        m_dialogs.answer = testCase.answer;
        m_target.state = "new state";
        m_target.failSaving = testCase.failing;
        click(m_browser->getSaveButton());
        EXPECT_EQ(read("mine.fxp"), testCase.expected) << testCase.existing << testCase.answer << testCase.failing;
        EXPECT_EQ(m_dialogs.said, testCase.said);
        EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()),
                  fs::exists(m_folder / "mine.fxp") ? 1 : 0)
            << "no temporary file is left";
    }
    EXPECT_EQ(m_browser->getList()->getNames(), std::vector<std::string>{"mine"});
}

TEST_F(PresetBrowser, LoadAndSaveButtonsUseTheNameFieldAndShowTheCurrentPreset)
{
    m_browser->setFolder(m_folder.string());
    click(m_browser->getSaveButton());
    EXPECT_EQ(read("Preset.fxp"), "initial");
    EXPECT_EQ(current(), "Current: Preset");
    m_target.state = "changed";
    click(m_browser->getLoadButton());
    EXPECT_EQ(m_target.state, "initial");
    click(m_browser->getNameField());
    click(m_browser->getNameField(), e_leftButtonDoubleClick);
    for (const char letter : std::string("typed"))
        m_system.send(m_handle, e_character, static_cast<uintptr_t>(letter), 0);
    click(m_browser->getSaveButton());
    EXPECT_EQ(read("typed.fxp"), "initial") << "the click that ends the typing still saves";
    m_browser->getNameField()->setText("../outside");
    click(m_browser->getSaveButton());
    EXPECT_EQ(m_dialogs.said, std::vector<std::string>{"Error!: Failed to save preset"}) << "names stay in the folder";
}
} // namespace
} // namespace Orvalite::Testing
