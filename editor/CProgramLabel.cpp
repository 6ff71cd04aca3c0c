#include "editor/CProgramLabel.h"

#include "gui/controls/base/CControlRoot.h"
#include "gui/controls/menus/CMenu.h"
#include "vst/AudioEffectX.h"

namespace Orvalite::Veltrix
{
ORVALITE_DEFINE_CLASS_RECORD(CProgramLabel, "CProgramLabel", "CTextLabel")

using GUI::Controls::CMenu;
using GUI::Controls::CMenuItem;

namespace
{
// Room for a program's name, with a margin for effects that write more than the 24 characters VST allows.
constexpr size_t NAME_SIZE = 64;
} // namespace

CProgramLabel::CProgramLabel(GUI::Controls::IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                             AudioEffect *effect)
    : CTextLabel(root, uniqueId, area, " "), m_effect(effect)
{
    setMouseEnabled(true);
    setDropFileEnabled(false);
    record(effect ? effect->getProgram() : 0);
}

CProgramLabel::~CProgramLabel()
{
    m_menuWindow.reset();
}

void CProgramLabel::record(long program)
{
    m_recorded.store(program, std::memory_order_relaxed);
    m_changed.store(true, std::memory_order_release);
}

// The name is read again at every change recorded: a bank loaded into the same program renames it.
void CProgramLabel::showRecorded()
{
    if (!m_changed.exchange(false, std::memory_order_acquire) || !m_effect)
    {
        return;
    }
    m_shown = m_recorded.load(std::memory_order_relaxed);
    char name[NAME_SIZE] = {};
    m_effect->dispatcher(effGetProgramNameIndexed, static_cast<VstInt32>(m_shown), 0, name, 0.0f);
    const char *text = name[0] ? name : " ";
    if (getText() != text)
    {
        setText(text);
    }
}

long CProgramLabel::programCount() const
{
    return m_effect ? m_effect->getAeffect()->numPrograms : 0;
}

void CProgramLabel::openMenu()
{
    auto *menu = new CMenu();
    menu->referenced();
    for (long program = 0; program < programCount(); ++program)
    {
        char name[NAME_SIZE] = {};
        m_effect->dispatcher(effGetProgramNameIndexed, static_cast<VstInt32>(program), 0, name, 0.0f);
        menu->addItem(new CMenuItem(name, program, program == m_shown ? 1 : 0));
    }
    if (!m_menuWindow)
    {
        m_menuWindow = std::make_unique<GUI::Controls::CMenuWindow>(*this);
    }
    m_menuWindow->popUp(menu, GUI::Controls::CMenuWindow::screenAreaOf(*this));
    menu->dereference();
}

void CProgramLabel::closeMenu()
{
    if (m_menuWindow)
    {
        m_menuWindow->hideWindow();
    }
}

void CProgramLabel::handleLeftButtonUp(const GUI::Events::CMouseEvent &event)
{
    if (GUI::Controls::CControlRoot::isInside(getNormalisedArea(), event.getMousePosition()))
    {
        openMenu();
    }
}

void CProgramLabel::menuItemChosen(CMenuItem &item)
{
    m_effect->dispatcher(effSetProgram, 0, item.getId(), nullptr, 0.0f);
    if (auto *effect = dynamic_cast<AudioEffectX *>(m_effect))
    {
        effect->updateDisplay();
    }
    record(m_effect->getProgram());
    showRecorded();
}
} // namespace Orvalite::Veltrix
