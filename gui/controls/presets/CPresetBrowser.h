// A panel for the preset files of one folder: the name of the preset last
// loaded or saved ("Current: Default" at first), the list of the folder's
// files with the preset extension (a click puts the name in the name field,
// a double click loads), the name field and Load and Save buttons. The
// preset listener reads and writes the files. A save goes to a temporary file
// beside the target, renamed over it only when complete, and asks before
// replacing an existing file; a failed load or save changes nothing and says so.
#pragma once

#include "gui/controls/base/CControlPanel.h"
#include "gui/listeners/IActionListener.h"

#include <string>

namespace Orvalite::GUI::Listeners
{
class IPresetListener;
}

namespace Orvalite::GUI::Controls
{
class CPresetList;
class CTextEdit;
class CTextLabel;

class CPresetBrowser : public CControlPanel, public Listeners::IActionListener
{
public:
    // The questions and messages the browser puts to the user.
    class IDialogs
    {
    public:
        // True for "yes".
        virtual bool askQuestion(const ::Orvalite::Basics::CString &text, const ::Orvalite::Basics::CString &title) = 0;
        virtual void showError(const ::Orvalite::Basics::CString &text, const ::Orvalite::Basics::CString &title) = 0;

    protected:
        ~IDialogs() = default;
    };

    // Preset files are VST 2.4 program files.
    static constexpr const char *PRESET_EXTENSION = ".fxp";
    static constexpr long ROW_HEIGHT = 22;
    static constexpr long GAP = 4;

    CPresetBrowser(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                   Listeners::IActionListener *actionListener = nullptr);

    void referenced() override { CControlPanel::referenced(); }
    void dereference() override { CControlPanel::dereference(); }
    long getReferenceCount() const override { return CControlPanel::getReferenceCount(); }
    void getObjectDescription(char *buffer, long size) const override
    {
        CControlPanel::getObjectDescription(buffer, size);
    }

    // Makes the label, list, name field and buttons (replacing any children).
    void createLayout();
    // Neither is owned; null dialogs are the platform's message box and question.
    void setPresetListener(Listeners::IPresetListener *listener) { m_presetListener = listener; }
    void setDialogs(IDialogs *dialogs);
    // Lists the folder's preset files, sorted by name.
    void setFolder(const std::string &folder);
    void refresh();

    // Loads the named preset (a name in the list, without extension); true when loaded.
    bool load(const std::string &name);
    // Saves under the name in the name field; true when saved.
    bool save();

    CPresetList *getList() const { return m_list; }
    CTextEdit *getNameField() const { return m_nameField; }
    CTextLabel *getCurrentLabel() const { return m_currentLabel; }
    IControl *getLoadButton() const { return m_loadButton; }
    IControl *getSaveButton() const { return m_saveButton; }

    void setArea(const MathTools::CRect &area) override;
    // The children are the browser's own: its XML holds its descriptors only.
    bool readFromXML(const IO::CXMLNode &node) override;
    void handleActionEvent(const Events::CActionEvent &event) override;

    ORVALITE_CLASS_RECORD(CPresetBrowser)

private:
    void arrange();
    // The children are about to go: nothing may point at them.
    void forgetLayout();
    std::string pathOf(const std::string &name) const;
    void showCurrent(const std::string &name);
    void fail(const char *text);

    Listeners::IPresetListener *m_presetListener = nullptr;
    IDialogs *m_dialogs;
    std::string m_folder;
    // Held by the panel as its children; null until laid out.
    CTextLabel *m_currentLabel = nullptr;
    CPresetList *m_list = nullptr;
    CTextEdit *m_nameField = nullptr;
    IControl *m_loadButton = nullptr;
    IControl *m_saveButton = nullptr;
};
} // namespace Orvalite::GUI::Controls
