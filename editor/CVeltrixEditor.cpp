#include "editor/CVeltrixEditor.h"

#include "editor/CEditorSettings.h"
#include "editor/CPanelScaler.h"
#include "editor/CTypedValue.h"
#include "effect/CVstParamFloat.h"
#include "effect/VeltrixParameterTable.h"
#include "foundation/basics/CApplicationInformation.h"
#include "foundation/io/TraceLog.h"
#include "gui/controls/buttons/CLatchingButton.h"
#include "gui/controls/buttons/CMomentaryButton.h"
#include "gui/controls/sliders/CKnob.h"
#include "gui/controls/text/CTextEdit.h"
#include "gui/events/CActionEvent.h"
#include "gui/windowing/INativeWindowSystem.h"
#include "vst/AudioEffectX.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace Orvalite::Veltrix
{
ORVALITE_DEFINE_CLASS_RECORD(CVeltrixEditor, "CVeltrixEditor", "CVstWindow")

using GUI::Controls::CKnob;
using GUI::Controls::CLatchingButton;
using GUI::Controls::CMomentaryButton;
using GUI::Controls::CTextLabel;
using GUI::Controls::IControl;
using MathTools::CRect;
using ::Orvalite::Basics::CString;

namespace
{
constexpr long READOUT_TEXT_SIZE = 48;
constexpr long RIGHT_CENTRED_ALIGNMENT = 5;

const char *presetText(long slot)
{
    return slot != 0 ? "Preset B" : "Preset A";
}

// A mirror reads in its read-out's range (the pans' differs from the host's).
CVstParam *createMirrorParameter(int index)
{
    CVstParam *parameter = createParameter(index);
    if (auto *real = dynamic_cast<CVstParamFloat *>(parameter); real && isShownId(index))
    {
        const SReadoutRange range = readoutRange(index);
        real->setRange(range.minimum, range.maximum);
    }
    return parameter;
}

// The area at a design place at `scale`, the image's size (one frame of a strip), or empty without one.
CRect sizedArea(const CEditorScale &scale, long designLeft, long designTop, const GUI::Graphics::IImage *image,
                long frames = 1)
{
    const long left = scale.toPixels(designLeft);
    const long top = scale.toPixels(designTop);
    if (!image)
    {
        return CRect(left, top, 0, 0);
    }
    const MathTools::CDimension &size = image->getImageSize();
    return CRect(left, top, size.getWidth(), size.getHeight() / frames);
}

} // namespace

CVeltrixEditor *CVeltrixEditor::createFor(AudioEffect *effect)
{
    char name[kVstMaxEffectNameLen + 1] = {};
    if (effect)
    {
        effect->dispatcher(effGetEffectName, 0, 0, name, 0.0f);
    }
    GUI::Windowing::CWindowAttributes attributes;
    attributes.set(name, GUI::Basics::CColour(0, 0, 0), 1.0, nullptr, true, true);
    return new CVeltrixEditor(effect, CRect(0, 0, PANEL_WIDTH, PANEL_HEIGHT), attributes);
}

CVeltrixEditor::CVeltrixEditor(AudioEffect *effect, const CRect &area,
                               const GUI::Windowing::CWindowAttributes &attributes)
    : CVstWindow(effect, area, attributes),
      m_resourceFolder(::Orvalite::Basics::CApplicationInformation::getApplicationPath())
{
    for (int index = 0; index < NUMBER_OF_PARAMETERS; ++index)
    {
        m_mirror[index] = createMirrorParameter(index);
    }
    m_resourceFolder.appendPath("Resources");
    m_panelFont = new GUI::Fonts::CFont("Arial", m_scale.toPixels(GUI::Fonts::CFont::DEFAULT_SIZE), false, false);
    m_aboutWindow =
        new GUI::Windowing::CAboutWindow(m_resourceFolder, CVeltrixSkin::imageFileName("splash", m_scale), 1.0);
    createAboutButton();
    for (const SEditorControl &row : EDITOR_CONTROLS)
    {
        createControl(row);
        createReadout(row);
    }
    createProgramLabel();
    // Right-clicks open the context menus; the rest goes on to the controls.
    m_contextMenus = new CContextMenus(*this);
    registerMouseListener(m_contextMenus.getPointer());
}

CVeltrixEditor::~CVeltrixEditor()
{
    closeEditorWindow();
}

void CVeltrixEditor::createAboutButton()
{
    auto *button =
        new CMomentaryButton(&getControlRoot(), ABOUT_BUTTON_ID, sizedArea(m_scale, ABOUT_BUTTON_LEFT, 0, nullptr));
    m_controls[ABOUT_BUTTON_ID] = button;
    button->setLabelText(" ");
    button->registerActionListener(this);
    getControlRoot().addControl(button);
}

void CVeltrixEditor::dressControls()
{
    if (m_skin.getPointer())
    {
        return;
    }
    CVeltrixSkin::acquire(m_resourceFolder, m_scale, m_skin);
    const CVeltrixSkin &skin = *m_skin.getPointer();
    getControlRoot().setBackgroundImage(skin.getBackground());
    auto *about = static_cast<CMomentaryButton *>(getControl(ABOUT_BUTTON_ID));
    about->setArea(sizedArea(m_scale, ABOUT_BUTTON_LEFT, 0, skin.getAboutButton()));
    about->setDownImage(skin.getAboutButton());
    about->setPrimaryImage(skin.getAboutButton());
    for (const SEditorControl &row : EDITOR_CONTROLS)
    {
        if (row.kind == SEditorControl::EKind::Knob)
        {
            auto *knob = static_cast<CKnob *>(getControl(row.id));
            knob->setArea(sizedArea(m_scale, row.left, row.top, skin.getKnob(), KNOB_FRAMES));
            knob->setAnimation(skin.getKnob(), knob->getArea().getHeight(), KNOB_FRAMES, false);
        }
        else
        {
            auto *button = static_cast<CLatchingButton *>(getControl(row.id));
            button->setArea(sizedArea(m_scale, row.left, row.top, skin.getButtonUp()));
            button->setDownImage(skin.getButtonUp());
            button->setPrimaryImage(skin.getButtonDown());
        }
    }
}

void CVeltrixEditor::createControl(const SEditorControl &row)
{
    const CRect area = sizedArea(m_scale, row.left, row.top, nullptr);
    GUI::Controls::CControl *control =
        row.kind == SEditorControl::EKind::Knob
            ? static_cast<GUI::Controls::CControl *>(new CKnob(&getControlRoot(), row.id, area))
            : new CLatchingButton(&getControlRoot(), row.id, area);
    m_controls[row.id] = control;
    control->setValue(row.id == AB_SWITCH_ID ? static_cast<double>(m_presetSlot)
                                             : m_mirror[row.id].getPointer()->getValue());
    control->registerActionListener(this);
    control->registerGestureListener(this);
    getControlRoot().addControl(control);
}

void CVeltrixEditor::createReadout(const SEditorControl &row)
{
    auto *label = new GUI::Controls::CTextEdit(
        &getControlRoot(), row.id,
        m_scale.toPixels(CRect(row.readoutLeft, row.readoutTop, READOUT_WIDTH, READOUT_HEIGHT)), " ");
    m_readouts[row.id] = label;
    label->setFont(m_panelFont.getPointer());
    // A read-out shows its parameter, never the name of a file dropped on it.
    label->setDropFileEnabled(false);
    label->registerActionListener(this);
    label->setTextColour(readoutColour(row.group));
    // A double click types a parameter's value; the edit is drawn framed in the read-out's colour.
    label->setEditable(isRecordedParameter(row.id));
    label->setMouseEnabled(isRecordedParameter(row.id));
    label->setDefaultControlColours(GUI::Basics::CAlphaColour(24, 24, 24, 255), readoutColour(row.group));
    getControlRoot().addControl(label);
    writeReadout(row.id);
}

void CVeltrixEditor::createProgramLabel()
{
    auto *label = new CProgramLabel(
        &getControlRoot(), PROGRAM_NAME_ID,
        m_scale.toPixels(CRect(PROGRAM_NAME_LEFT, PROGRAM_NAME_TOP, PROGRAM_NAME_WIDTH, PROGRAM_NAME_HEIGHT)),
        m_effect);
    m_programLabel = label;
    label->setFont(m_panelFont.getPointer());
    label->setTextColour(GUI::Basics::CAlphaColour(214, 214, 214, 255));
    label->setTextAlignment(RIGHT_CENTRED_ALIGNMENT);
    getControlRoot().addControl(label);
}

void CVeltrixEditor::updateParameter(long index, double value)
{
    // A program change reaches the editor as its parameters: read on the thread that made it.
    if (m_effect)
    {
        m_programLabel.getPointer()->record(m_effect->getProgram());
    }
    if (!isShownId(index))
    {
        return;
    }
    m_pending.record(index, value);
    if (isUserInterfaceThread())
    {
        applyPendingUpdates();
    }
}

void CVeltrixEditor::handleActionEvent(const GUI::Events::CActionEvent &event)
{
    IControl *control = event.getControl();
    const long id = control->getUniqueId();
    if (control == getReadout(id))
    {
        commitTypedValue(id);
        return;
    }
    const double value = std::clamp(control->getValue(), 0.0, 1.0);
    if (id == ABOUT_BUTTON_ID)
    {
        m_aboutWindow.getPointer()->showWindow();
        return;
    }
    if (!m_effect || !isShownId(id))
    {
        return;
    }
    if (id == AB_SWITCH_ID)
    {
        // The effect answers with every parameter of the other half and the switch itself.
        m_effect->setParameter(AB_SWITCH_ID, static_cast<float>(value));
        return;
    }
    sendToEffect(id, value);
}

void CVeltrixEditor::sendToEffect(long id, double value)
{
    {
        const CUpdatingEffect guard(*this);
        m_mirror[id].getPointer()->setValue(static_cast<float>(value));
        m_effect->setParameterAutomated(static_cast<VstInt32>(id), static_cast<float>(value));
    }
    writeReadout(id);
}

void CVeltrixEditor::editParameter(long id, double value)
{
    if (!m_effect || !isRecordedParameter(id))
    {
        return;
    }
    beginEdit(id);
    IControl *control = getControl(id);
    control->setValue(value);
    control->update();
    sendToEffect(id, value);
    endEdit(id);
}

// Text that is no value leaves the parameter as it was and the edit open on
// the text, all of it selected; Escape then shows the read-out again.
void CVeltrixEditor::commitTypedValue(long id)
{
    GUI::Controls::CTextEdit *edit = getReadout(id);
    double value = 0.0;
    if (CTypedValue(id).toNormalised(edit->getText().getString(), value))
    {
        editParameter(id, value);
        return;
    }
    edit->startEditing();
    writeReadout(id);
}

void CVeltrixEditor::handleGestureBegin(IControl &control)
{
    if (isRecordedParameter(control.getUniqueId()))
    {
        beginEdit(control.getUniqueId());
    }
}

void CVeltrixEditor::handleGestureEnd(IControl &control)
{
    if (isRecordedParameter(control.getUniqueId()))
    {
        endEdit(control.getUniqueId());
    }
}

bool CVeltrixEditor::getRect(ERect **rect)
{
    chooseStartScale();
    return CVstWindow::getRect(rect);
}

void CVeltrixEditor::setScale(long percent)
{
    chooseStartScale();
    const CEditorScale scale(percent);
    if (scale == m_scale)
    {
        return;
    }
    auto *effect = dynamic_cast<AudioEffectX *>(m_effect);
    if (isOpen() && !(effect && effect->sizeWindow(static_cast<VstInt32>(scale.toPixels(PANEL_WIDTH)),
                                                   static_cast<VstInt32>(scale.toPixels(PANEL_HEIGHT)))))
    {
        IO::traceMessage("The host keeps the editor at %ld %%", m_scale.getPercent());
        return;
    }
    applyScale(scale);
    CEditorSettings::forUser().writeScale(scale);
}

void CVeltrixEditor::chooseStartScale()
{
    if (std::exchange(m_scaleChosen, true))
    {
        return;
    }
    GUI::Windowing::INativeWindowSystem *system = GUI::Windowing::INativeWindowSystem::current();
    const long dotsPerInch =
        system ? system->getDotsPerInch() : GUI::Windowing::INativeWindowSystem::DEFAULT_DOTS_PER_INCH;
    const CEditorScale scale = CEditorSettings::forUser().startScale(std::getenv("ZELO_EDITOR_SCALE"), dotsPerInch);
    if (scale != m_scale)
    {
        applyScale(scale);
    }
}

void CVeltrixEditor::applyScale(const CEditorScale &scale)
{
    CPanelScaler::rescale(getControlRoot(), m_scale, scale, *m_panelFont.getPointer());
    m_scale = scale;
    m_aboutWindow.getPointer()->hideWindow();
    m_aboutWindow =
        new GUI::Windowing::CAboutWindow(m_resourceFolder, CVeltrixSkin::imageFileName("splash", m_scale), 1.0);
    if (m_skin.getPointer())
    {
        m_skin = nullptr;
        dressControls();
    }
    setWindowSize(MathTools::CDimension(m_scale.toPixels(PANEL_WIDTH), m_scale.toPixels(PANEL_HEIGHT)));
}

bool CVeltrixEditor::open(void *parent)
{
    chooseStartScale();
    dressControls();
    const bool opened = CVstWindow::open(parent);
    applyPendingUpdates();
    return opened;
}

void CVeltrixEditor::idle()
{
    takeUserInterfaceThread();
    applyPendingUpdates();
    CVstWindow::idle();
}

void CVeltrixEditor::closeEditorWindow()
{
    if (GUI::Windowing::CAboutWindow *about = m_aboutWindow.getPointer())
    {
        about->hideWindow();
    }
    m_contextMenus.getPointer()->close();
    m_programLabel.getPointer()->closeMenu();
    CVstWindow::closeEditorWindow();
}

IControl *CVeltrixEditor::getControl(long id) const
{
    return id >= 0 && id <= LAST_CONTROL_ID ? m_controls[id].getPointer() : nullptr;
}

GUI::Controls::CTextEdit *CVeltrixEditor::getReadout(long id) const
{
    return id >= 0 && id <= LAST_CONTROL_ID ? m_readouts[id].getPointer() : nullptr;
}

void CVeltrixEditor::applyPendingUpdates()
{
    m_pending.takeAll([this](long id, double value) { applyUpdate(id, value); });
    m_programLabel.getPointer()->showRecorded();
}

void CVeltrixEditor::applyUpdate(long id, double value)
{
    IControl *control = getControl(id);
    if (id == AB_SWITCH_ID)
    {
        // The effect's own rule: the selector is the value truncated, B when not 0.
        m_presetSlot = std::trunc(value) != 0.0 ? 1 : 0;
        value = static_cast<double>(m_presetSlot);
    }
    else
    {
        value = std::clamp(value, 0.0, 1.0);
        m_mirror[id].getPointer()->setValue(static_cast<float>(value));
    }
    if (control)
    {
        control->setValue(value);
        control->update();
    }
    writeReadout(id);
}

void CVeltrixEditor::writeReadout(long id)
{
    CTextLabel *label = getReadout(id);
    if (!label)
    {
        return;
    }
    if (id == AB_SWITCH_ID)
    {
        label->setText(presetText(m_presetSlot));
    }
    else
    {
        char text[READOUT_TEXT_SIZE];
        formatReadout(id, *m_mirror[id].getPointer(), text, sizeof(text));
        label->setText(text);
    }
    label->update();
}
} // namespace Orvalite::Veltrix
