// Zelo's editor: one skinned 400 × 466 panel with a film-strip knob or a
// latching button and a coloured read-out for every parameter, the A/B switch
// and the about button. It mirrors the effect's parameters for its read-outs,
// sends the user's changes to the effect and follows the effect's changes.
// Created by the effect's editor factory; the effect owns it.
#pragma once

#include "editor/CAboutWindow.h"
#include "editor/CContextMenus.h"
#include "editor/CEditorScale.h"
#include "editor/CPendingParameters.h"
#include "editor/CProgramLabel.h"
#include "editor/CVeltrixSkin.h"
#include "editor/VeltrixEditorLayout.h"
#include "effect/CVstParam.h"
#include "effect/VeltrixProgram.h"
#include "foundation/collections/TAutomaticPointer.h"
#include "gui/controls/text/CTextEdit.h"
#include "gui/fonts/CFont.h"
#include "vst/window/CVstWindow.h"

namespace Orvalite::Veltrix
{
class CVeltrixEditor : public Vst::CVstWindow
{
public:
    // The editor of `effect` with the panel's size and the window attributes
    // it is shown with (title the effect's name, black background, drop shadow).
    static CVeltrixEditor *createFor(AudioEffect *effect);

    // Builds the panel; its images, from the "Resources" folder beside the
    // module, are put on at the first open. A missing image leaves its controls
    // without size, nothing more.
    CVeltrixEditor(AudioEffect *effect, const MathTools::CRect &area,
                   const GUI::Windowing::CWindowAttributes &attributes);
    ~CVeltrixEditor() override;

    // From any thread: records the change; the user-interface thread applies
    // it at once, any other thread leaves it for the next idle.
    void updateParameter(long index, double value) override;
    void handleActionEvent(const GUI::Events::CActionEvent &event) override;
    // A parameter's control brackets each user edit for the host; the A/B switch
    // is no parameter the host records.
    void handleGestureBegin(GUI::Controls::IControl &control) override;
    void handleGestureEnd(GUI::Controls::IControl &control) override;
    bool open(void *parent) override;
    void idle() override;
    void closeEditorWindow() override;

    // Null for ids without a control or read-out.
    GUI::Controls::IControl *getControl(long id) const;
    GUI::Controls::CTextEdit *getReadout(long id) const;
    long getPresetSlot() const { return m_presetSlot; }
    GUI::Windowing::CAboutWindow &getAboutWindow() { return *m_aboutWindow.getPointer(); }
    CProgramLabel &getProgramLabel() { return *m_programLabel.getPointer(); }
    CContextMenus &getContextMenus() { return *m_contextMenus.getPointer(); }
    // One user edit of parameter `id` (0 … 17) in a single step, a typed value
    // or the default: the same gesture and way to the effect as a drag.
    void editParameter(long id, double value);
    // 100 % until the first getRect, open or setScale chooses the start size:
    // ZELO_EDITOR_SCALE, else the settings file, else the display's resolution.
    const CEditorScale &getScale() const { return m_scale; }
    // The user's choice of size (100, 150, 200): an open editor asks the host
    // for the new size first and keeps its size when the host refuses; an
    // accepted choice is saved to the settings file.
    void setScale(long percent);
    bool getRect(ERect **rect) override;

    ORVALITE_CLASS_RECORD(CVeltrixEditor)

private:
    void createAboutButton();
    void createControl(const SEditorControl &row);
    // Puts the shared skin on the panel and sizes the controls by their images.
    void dressControls();
    void createReadout(const SEditorControl &row);
    void applyPendingUpdates();
    void applyUpdate(long id, double value);
    void writeReadout(long id);
    void createProgramLabel();
    // The user's value of parameter `id`, to the mirror, the effect and the host.
    void sendToEffect(long id, double value);
    void commitTypedValue(long id);
    // Once, on the user-interface thread (it may ask the display).
    void chooseStartScale();
    // Places the panel, its images, fonts and window at `scale`.
    void applyScale(const CEditorScale &scale);

    Collections::TAutomaticPointer<CVstParam> m_mirror[NUMBER_OF_PARAMETERS];
    Collections::TAutomaticPointer<GUI::Controls::IControl> m_controls[LAST_CONTROL_ID + 1];
    Collections::TAutomaticPointer<GUI::Controls::CTextEdit> m_readouts[LAST_CONTROL_ID + 1];
    ::Orvalite::Basics::CSystemString m_resourceFolder;
    Collections::TAutomaticPointer<CVeltrixSkin> m_skin;
    Collections::TAutomaticPointer<GUI::Windowing::CAboutWindow> m_aboutWindow;
    // 0 while the effect plays its A half, 1 for the B half.
    long m_presetSlot = 0;
    Collections::TAutomaticPointer<CProgramLabel> m_programLabel;
    // Counted: its menu window holds it while a choice is handled.
    Collections::TAutomaticPointer<CContextMenus> m_contextMenus;
    CPendingParameters m_pending;
    CEditorScale m_scale;
    bool m_scaleChosen = false;
    // The read-outs' font at the panel's size.
    Collections::TAutomaticPointer<GUI::Fonts::CFont> m_panelFont;
};
} // namespace Orvalite::Veltrix
