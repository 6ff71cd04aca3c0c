#include "editor/CVeltrixEditor.h"

#include "effect/CVstParamFloat.h"
#include "effect/VeltrixParameterTable.h"
#include "foundation/basics/CApplicationInformation.h"
#include "gui/controls/CKnob.h"
#include "gui/controls/CLatchingButton.h"
#include "gui/controls/CMomentaryButton.h"
#include "gui/events/CActionEvent.h"
#include "vst/AudioEffect.h"

#include <algorithm>
#include <cmath>

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

const char *presetText(long slot)
{
    return slot != 0 ? "Preset B" : "Preset A";
}

// The editor's pans read -1 … 1 (left to right) where the host sees 0 … 1.
CVstParam *createMirrorParameter(int index)
{
    CVstParam *parameter = createParameter(index);
    if (index == PARAMETER_PAN_ONE || index == PARAMETER_PAN_TWO)
    {
        static_cast<CVstParamFloat *>(parameter)->setRange(-1.0f, 1.0f);
    }
    return parameter;
}

// The host records automation of the parameters; the A/B switch is none.
bool isRecordedParameter(long id)
{
    return id >= 0 && id <= PARAMETER_SYNC_AUDIO;
}

CRect sizedArea(long left, long top, const GUI::Graphics::IImage *image, long frames = 1)
{
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
    m_aboutWindow = new GUI::Windowing::CAboutWindow(m_resourceFolder, "splash.png", 1.0);
    createAboutButton();
    for (const SEditorControl &row : EDITOR_CONTROLS)
    {
        createControl(row);
        createReadout(row);
    }
}

CVeltrixEditor::~CVeltrixEditor()
{
    closeEditorWindow();
}

void CVeltrixEditor::createAboutButton()
{
    auto *button = new CMomentaryButton(&getControlRoot(), ABOUT_BUTTON_ID, sizedArea(ABOUT_BUTTON_LEFT, 0, nullptr));
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
    m_skin = CVeltrixSkin::acquire(m_resourceFolder);
    const CVeltrixSkin &skin = *m_skin.getPointer();
    getControlRoot().setBackgroundImage(skin.getBackground());
    auto *about = static_cast<CMomentaryButton *>(getControl(ABOUT_BUTTON_ID));
    about->setArea(sizedArea(ABOUT_BUTTON_LEFT, 0, skin.getAboutButton()));
    about->setDownImage(skin.getAboutButton());
    about->setPrimaryImage(skin.getAboutButton());
    for (const SEditorControl &row : EDITOR_CONTROLS)
    {
        if (row.kind == SEditorControl::EKind::Knob)
        {
            auto *knob = static_cast<CKnob *>(getControl(row.id));
            knob->setArea(sizedArea(row.left, row.top, skin.getKnob(), KNOB_FRAMES));
            knob->setAnimation(skin.getKnob(), knob->getArea().getHeight(), KNOB_FRAMES, false);
        }
        else
        {
            auto *button = static_cast<CLatchingButton *>(getControl(row.id));
            button->setArea(sizedArea(row.left, row.top, skin.getButtonUp()));
            button->setDownImage(skin.getButtonUp());
            button->setPrimaryImage(skin.getButtonDown());
        }
    }
}

void CVeltrixEditor::createControl(const SEditorControl &row)
{
    const CRect area = sizedArea(row.left, row.top, nullptr);
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
    auto *label = new CTextLabel(&getControlRoot(), row.id,
                                 CRect(row.readoutLeft, row.readoutTop, READOUT_WIDTH, READOUT_HEIGHT), " ");
    m_readouts[row.id] = label;
    // A read-out shows its parameter, never the name of a file dropped on it.
    label->setDropFileEnabled(false);
    label->registerActionListener(this);
    label->setTextColour(readoutColour(row.group));
    getControlRoot().addControl(label);
    writeReadout(row.id);
}

void CVeltrixEditor::updateParameter(long index, double value)
{
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
    {
        const CUpdatingEffect guard(*this);
        m_mirror[id].getPointer()->setValue(static_cast<float>(value));
        m_effect->setParameterAutomated(static_cast<VstInt32>(id), static_cast<float>(value));
    }
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

bool CVeltrixEditor::open(void *parent)
{
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
    CVstWindow::closeEditorWindow();
}

IControl *CVeltrixEditor::getControl(long id) const
{
    return id >= 0 && id <= LAST_CONTROL_ID ? m_controls[id].getPointer() : nullptr;
}

CTextLabel *CVeltrixEditor::getReadout(long id) const
{
    return id >= 0 && id <= LAST_CONTROL_ID ? m_readouts[id].getPointer() : nullptr;
}

void CVeltrixEditor::applyPendingUpdates()
{
    m_pending.takeAll([this](long id, double value) { applyUpdate(id, value); });
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
