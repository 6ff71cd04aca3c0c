#include "gui/controls/presets/CPresetBrowser.h"

#include "foundation/host/CMessageBox.h"
#include "gui/controls/buttons/CRolloverButton.h"
#include "gui/controls/presets/CPresetList.h"
#include "gui/controls/text/CTextEdit.h"
#include "gui/events/CActionEvent.h"
#include "gui/listeners/IPresetListener.h"
#include "gui/windowing/WindowHelpers.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace Orvalite::GUI::Controls
{
using MathTools::CRect;
using ::Orvalite::Basics::CString;

ORVALITE_DEFINE_CLASS_RECORD(CPresetBrowser, "CPresetBrowser", "CControlPanel")

namespace
{
constexpr const char *CURRENT_PREFIX = "Current:";
constexpr const char *DEFAULT_CURRENT = "Current: Default";
constexpr const char *DEFAULT_NAME = "Preset";
constexpr const char *ERROR_TITLE = "Error!";
constexpr const char *LOAD_FAILED = "Failed to load preset";
constexpr const char *SAVE_FAILED = "Failed to save preset";
constexpr const char *OVERWRITE_TITLE = "Overwrite";
constexpr const char *OVERWRITE_QUESTION = "This file already exists, do you want to overwrite?";
// Beside the target, without the preset extension, so never listed.
constexpr const char *TEMPORARY_SUFFIX = ".tmp";

// The platform's question dialog and the framework's message box.
class CPlatformDialogs final : public CPresetBrowser::IDialogs
{
public:
    bool askQuestion(const CString &text, const CString &title) override { return Windowing::askQuestion(text, title); }
    void showError(const CString &text, const CString &title) override
    {
        Host::CMessageBox::showError(title.getString(), text.getString());
    }
};

CPlatformDialogs s_platformDialogs;

// A plain file name: nothing that reaches outside the folder.
bool isPresetName(const std::string &name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos;
}
} // namespace

CPresetBrowser::CPresetBrowser(IControlRoot *root, long uniqueId, const CRect &area,
                               Listeners::IActionListener *actionListener)
    : CControlPanel(root, uniqueId, area, actionListener), m_dialogs(&s_platformDialogs)
{
}

void CPresetBrowser::forgetLayout()
{
    m_currentLabel = nullptr;
    m_list = nullptr;
    m_nameField = nullptr;
    m_loadButton = nullptr;
    m_saveButton = nullptr;
}

void CPresetBrowser::createLayout()
{
    forgetLayout();
    clearControls();
    m_currentLabel = new CTextLabel(this, 0, CRect(), DEFAULT_CURRENT);
    m_list = new CPresetList(this, 1, CRect(), this);
    m_nameField = new CTextEdit(this, 2, CRect(), DEFAULT_NAME);
    m_nameField->setSingleClick(true);
    auto *load = new CRolloverButton(this, 3, CRect(), this);
    load->setLabelText("Load");
    auto *save = new CRolloverButton(this, 4, CRect(), this);
    save->setLabelText("Save");
    m_loadButton = load;
    m_saveButton = save;
    for (IControl *child : {static_cast<IControl *>(m_currentLabel), static_cast<IControl *>(m_list),
                            static_cast<IControl *>(m_nameField), m_loadButton, m_saveButton})
    {
        child->setExcludedFromXML(true);
        addControl(child);
    }
    arrange();
    refresh();
}

void CPresetBrowser::arrange()
{
    if (!m_list)
    {
        return;
    }
    const long width = getDimension().getWidth() - 2 * GAP;
    const long height = getDimension().getHeight();
    const long buttonWidth = (width - GAP) / 2;
    const long buttonTop = height - GAP - ROW_HEIGHT;
    const long nameTop = buttonTop - GAP - ROW_HEIGHT;
    const long listTop = GAP + ROW_HEIGHT + GAP;
    m_currentLabel->setArea(CRect(GAP, GAP, width, ROW_HEIGHT));
    m_list->setArea(CRect(GAP, listTop, width, std::max(0L, nameTop - GAP - listTop)));
    m_nameField->setArea(CRect(GAP, nameTop, width, ROW_HEIGHT));
    m_loadButton->setArea(CRect(GAP, buttonTop, buttonWidth, ROW_HEIGHT));
    m_saveButton->setArea(CRect(2 * GAP + buttonWidth, buttonTop, buttonWidth, ROW_HEIGHT));
}

void CPresetBrowser::setArea(const CRect &area)
{
    CControlPanel::setArea(area);
    arrange();
}

bool CPresetBrowser::readFromXML(const IO::CXMLNode &node)
{
    // Reading replaces the children: the layout is made again after.
    forgetLayout();
    const bool read = CControlPanel::readFromXML(node);
    createLayout();
    return read;
}

void CPresetBrowser::setDialogs(IDialogs *dialogs)
{
    m_dialogs = dialogs ? dialogs : &s_platformDialogs;
}

void CPresetBrowser::setFolder(const std::string &folder)
{
    m_folder = folder;
    refresh();
}

void CPresetBrowser::refresh()
{
    if (!m_list)
    {
        return;
    }
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(m_folder, error), end; !error && entry != end;
         entry.increment(error))
    {
        const std::filesystem::path &path = entry->path();
        if (path.extension() == PRESET_EXTENSION && entry->is_regular_file(error))
        {
            names.push_back(path.stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    m_list->setNames(std::move(names));
}

std::string CPresetBrowser::pathOf(const std::string &name) const
{
    return (std::filesystem::path(m_folder) / (name + PRESET_EXTENSION)).string();
}

bool CPresetBrowser::load(const std::string &name)
{
    if (!m_list || !isPresetName(name) || !m_presetListener || !m_presetListener->loadPreset(pathOf(name).c_str()))
    {
        fail(LOAD_FAILED);
        return false;
    }
    showCurrent(name);
    return true;
}

bool CPresetBrowser::save()
{
    const std::string name = m_nameField ? m_nameField->getText().getString() : "";
    if (!m_list || !isPresetName(name) || !m_presetListener)
    {
        fail(SAVE_FAILED);
        return false;
    }
    const std::string path = pathOf(name);
    std::error_code error;
    if (std::filesystem::exists(path, error) && !m_dialogs->askQuestion(OVERWRITE_QUESTION, OVERWRITE_TITLE))
    {
        return false;
    }
    // The old file is replaced only by a complete new one (std::rename would not replace it on Windows).
    const std::string temporary = path + TEMPORARY_SUFFIX;
    bool saved = m_presetListener->savePreset(temporary.c_str());
    if (saved)
    {
        std::filesystem::rename(std::filesystem::u8path(temporary), std::filesystem::u8path(path), error);
        saved = !error;
    }
    if (!saved)
    {
        std::remove(temporary.c_str());
        fail(SAVE_FAILED);
        return false;
    }
    refresh();
    showCurrent(name);
    return true;
}

void CPresetBrowser::showCurrent(const std::string &name)
{
    m_currentLabel->setText((std::string(CURRENT_PREFIX) + " " + name).c_str());
    m_nameField->setText(name.c_str());
    const std::vector<std::string> &names = m_list->getNames();
    const auto found = std::find(names.begin(), names.end(), name);
    m_list->select(found == names.end() ? CPresetList::NO_SELECTION : static_cast<long>(found - names.begin()));
}

void CPresetBrowser::fail(const char *text)
{
    m_dialogs->showError(text, ERROR_TITLE);
}

void CPresetBrowser::handleActionEvent(const Events::CActionEvent &event)
{
    const IControl *control = event.getControl();
    if (control == m_list && m_list->getSelectedIndex() != CPresetList::NO_SELECTION)
    {
        const std::string &name = m_list->getNames()[static_cast<size_t>(m_list->getSelectedIndex())];
        m_nameField->setText(name.c_str());
        if (event.getEventType() == CPresetList::e_chosen)
        {
            load(name);
        }
    }
    else if (control == m_loadButton)
    {
        load(m_nameField->getText().getString());
    }
    else if (control == m_saveButton)
    {
        save();
    }
}
} // namespace Orvalite::GUI::Controls
