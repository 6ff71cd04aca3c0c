#include "vst/window/CVstWindow.h"

#include "foundation/basics/CException.h"
#include "foundation/io/TraceLog.h"
#include "gui/fonts/CFont.h"
#include "vst/AudioEffectX.h"

namespace Orvalite::Vst
{
ORVALITE_DEFINE_CLASS_RECORD(CVstWindow, "CVstWindow", "CWindow")

using GUI::Windowing::CWindowAttributes;
using GUI::Windowing::INativeWindowSystem;

namespace
{
// A visible child window that accepts dropped files.
constexpr uint32_t CHILD_VISIBLE_STYLE = 0x50000000;
constexpr uint32_t ACCEPTS_FILES_STYLE = 0x10;
} // namespace

CVstWindow::CParentWindow::CParentWindow(void *hostWindow) : CWindow(MathTools::CRect(0, 0, 10, 10))
{
    borrowWindowHandle(reinterpret_cast<GUI::Basics::NativeWindowHandle>(hostWindow));
}

CVstWindow::CParentWindow::~CParentWindow()
{
    borrowWindowHandle(0);
}

CVstWindow::CVstWindow(AudioEffect *effect, const MathTools::CRect &area, const CWindowAttributes &attributes)
    : AEffEditor(effect), CWindow(area)
{
    GUI::Fonts::CFont::createDefaultFont();
    if (effect)
    {
        effect->setEditor(this);
    }
    CWindowAttributes &own = getWindowAttributes();
    own = attributes;
    own.setWindowStyles(CHILD_VISIBLE_STYLE, ACCEPTS_FILES_STYLE);
}

CVstWindow::~CVstWindow()
{
    closeEditorWindow();
    if (m_effect && m_effect->getEditor() == this)
    {
        m_effect->setEditor(nullptr);
    }
    GUI::Fonts::CFont::releaseDefaultFont();
}

bool CVstWindow::getRect(ERect **rect)
{
    const MathTools::CDimension &size = getWindowSize();
    m_editorRectangle.top = 0;
    m_editorRectangle.left = 0;
    m_editorRectangle.bottom = static_cast<int16_t>(size.getHeight());
    m_editorRectangle.right = static_cast<int16_t>(size.getWidth());
    if (rect)
    {
        *rect = &m_editorRectangle;
    }
    return true;
}

bool CVstWindow::open(void *parent)
{
    IO::traceMessage("Calling create window");
    takeUserInterfaceThread();
    if (isOpen())
    {
        closeEditorWindow();
    }
    attachToParent(parent);
    try
    {
        createEditorWindow();
    }
    catch (...)
    {
        closeEditorWindow();
        throw;
    }
    return true;
}

void CVstWindow::idle()
{
    takeUserInterfaceThread();
    if (INativeWindowSystem *system = INativeWindowSystem::current())
    {
        system->pump();
    }
}

void CVstWindow::attachToParent(void *parent)
{
    if (!parent)
    {
        throw Exceptions::CException("Parent window handle is NULL", "CVSTPanel::open(void *)", true);
    }
    m_systemWindow = parent;
    auto *wrapper = new CParentWindow(parent);
    wrapper->referenced();
    setParentWindow(nullptr);
    if (m_parentWindow)
    {
        m_parentWindow->dereference();
    }
    m_parentWindow = wrapper;
    setParentWindow(wrapper);
}

void CVstWindow::closeEditorWindow()
{
    takeUserInterfaceThread();
    setParentWindow(nullptr);
    if (m_parentWindow)
    {
        m_parentWindow->dereference();
        m_parentWindow = nullptr;
    }
    uninitialiseWindow();
    m_systemWindow = nullptr;
}

bool CVstWindow::isUpdatingEffect() const
{
    return m_updatingThread.load(std::memory_order_relaxed) == std::this_thread::get_id();
}

void CVstWindow::beginEdit(long index)
{
    if (auto *effect = dynamic_cast<AudioEffectX *>(m_effect))
    {
        effect->beginEdit(static_cast<VstInt32>(index));
    }
}

void CVstWindow::endEdit(long index)
{
    if (auto *effect = dynamic_cast<AudioEffectX *>(m_effect))
    {
        effect->endEdit(static_cast<VstInt32>(index));
    }
}

void CVstWindow::setUpdatingEffect(bool updating)
{
    m_updatingThread.store(updating ? std::this_thread::get_id() : std::thread::id(), std::memory_order_relaxed);
}

bool CVstWindow::handleKeyDown(const GUI::Events::CKeyboardEvent &event)
{
    GUI::Listeners::IKeyboardListener *listener = getKeyboardListener();
    return listener && listener != this && listener->handleKeyDown(event);
}

bool CVstWindow::handleKeyUp(const GUI::Events::CKeyboardEvent &event)
{
    GUI::Listeners::IKeyboardListener *listener = getKeyboardListener();
    return listener && listener != this && listener->handleKeyUp(event);
}

bool CVstWindow::handleCharacter(const GUI::Events::CKeyboardEvent &event)
{
    GUI::Listeners::IKeyboardListener *listener = getKeyboardListener();
    return listener && listener != this && listener->handleCharacter(event);
}

bool CVstWindow::isUserInterfaceThread() const
{
    return m_userInterfaceThread.load(std::memory_order_relaxed) == std::this_thread::get_id();
}

void CVstWindow::takeUserInterfaceThread()
{
    m_userInterfaceThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
}
} // namespace Orvalite::Vst
