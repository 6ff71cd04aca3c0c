#include "editor/CVeltrixEditor.h"

#include "effect/CVstParamFloat.h"
#include "effect/VeltrixParameterTable.h"
#include "foundation/basics/CApplicationInformation.h"
#include "gui/controls/CKnob.h"
#include "gui/controls/CLatchingButton.h"
#include "gui/controls/CMomentaryButton.h"
#include "gui/events/CActionEvent.h"
#include "gui/graphics/ImageFactory.h"
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

CRect sizedArea(long left, long top, const GUI::Graphics::IImage *image, long frames = 1)
{
    if (!image)
    {
        return CRect(left, top, 0, 0);
    }
    const MathTools::CDimension &size = image->getImageSize();
    return CRect(left, top, size.getWidth(), size.getHeight() / frames);
}

// An image that did not load counts as none: its controls get no size.
GUI::Graphics::IImage *loadImage(const CString &folder, const char *fileName)
{
    GUI::Graphics::IImage *image = GUI::Graphics::createImage(folder, fileName);
    if (image && !image->imageHasLoaded())
    {
        // Made unreferenced: taking and letting go of one reference frees it.
        image->referenced();
        image->dereference();
        return nullptr;
    }
    return image;
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
    : CVstWindow(effect, area, attributes)
{
    for (int index = 0; index < NUMBER_OF_PARAMETERS; ++index)
    {
        m_mirror[index] = createMirrorParameter(index);
    }
    ::Orvalite::Basics::CSystemString folder(::Orvalite::Basics::CApplicationInformation::getApplicationPath());
    folder.appendPath("Resources");
    getControlRoot().setBackgroundImage(loadImage(folder, "background.png"));
    loadImages(folder);
    m_aboutWindow = new GUI::Windowing::CAboutWindow(folder, "splash.png", 1.0);
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

void CVeltrixEditor::loadImages(const CString &folder)
{
    m_knobImage = loadImage(folder, "knob.png");
    m_buttonUpImage = loadImage(folder, "buttonUp.png");
    m_buttonDownImage = loadImage(folder, "buttonDown.png");
    m_aboutButtonImage = loadImage(folder, "splash_Button.png");
}

void CVeltrixEditor::createAboutButton()
{
    GUI::Graphics::IImage *image = m_aboutButtonImage.getPointer();
    auto *button = new CMomentaryButton(&getControlRoot(), ABOUT_BUTTON_ID, sizedArea(ABOUT_BUTTON_LEFT, 0, image));
    m_controls[ABOUT_BUTTON_ID] = button;
    button->setLabelText(" ");
    button->registerActionListener(this);
    button->setDownImage(image);
    button->setPrimaryImage(image);
    getControlRoot().addControl(button);
}

void CVeltrixEditor::createControl(const SEditorControl &row)
{
    IControl *control = nullptr;
    if (row.kind == SEditorControl::EKind::Knob)
    {
        GUI::Graphics::IImage *strip = m_knobImage.getPointer();
        auto *knob = new CKnob(&getControlRoot(), row.id, sizedArea(row.left, row.top, strip, KNOB_FRAMES));
        knob->setAnimation(strip, knob->getArea().getHeight(), KNOB_FRAMES, false);
        control = knob;
    }
    else
    {
        auto *button =
            new CLatchingButton(&getControlRoot(), row.id, sizedArea(row.left, row.top, m_buttonUpImage.getPointer()));
        button->setDownImage(m_buttonUpImage.getPointer());
        button->setPrimaryImage(m_buttonDownImage.getPointer());
        control = button;
    }
    m_controls[row.id] = control;
    control->setValue(row.id == AB_SWITCH_ID ? static_cast<double>(m_presetSlot)
                                             : m_mirror[row.id].getPointer()->getValue());
    control->registerActionListener(this);
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

bool CVeltrixEditor::open(void *parent)
{
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
        m_presetSlot = value != 0.0 ? 1 : 0;
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
