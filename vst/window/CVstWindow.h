// The framework's editor base: at once the AEffEditor the host opens, closes
// and idles, and a framework window placed as a child of the host's window.
// It hears its controls' actions and gestures and keeps the echo guard that stops the
// editor's own parameter changes from coming back to it. The effect owns it.
#pragma once

#include "gui/listeners/IActionListener.h"
#include "gui/listeners/IGestureListener.h"
#include "gui/listeners/IKeyboardListener.h"
#include "gui/windowing/CWindow.h"
#include "vst/AEffEditor.h"
#include "vst/IEffectEditor.h"

#include <atomic>
#include <thread>

namespace Orvalite::Vst
{
class CVstWindow : public AEffEditor,
                   public GUI::Windowing::CWindow,
                   public GUI::Listeners::IActionListener,
                   public GUI::Listeners::IGestureListener,
                   public GUI::Listeners::IKeyboardListener,
                   public IEffectEditor
{
public:
    // The host's window as a framework window, so that ours can be its child.
    // It borrows the host's handle and never creates or destroys a native window.
    class CParentWindow : public GUI::Windowing::CWindow
    {
    public:
        explicit CParentWindow(void *hostWindow);
        ~CParentWindow() override;
    };

    // Sets the echo guard for the calling thread for as long as it lives.
    class CUpdatingEffect
    {
    public:
        explicit CUpdatingEffect(CVstWindow &editor) : m_editor(editor) { m_editor.setUpdatingEffect(true); }
        ~CUpdatingEffect() { m_editor.setUpdatingEffect(false); }
        CUpdatingEffect(const CUpdatingEffect &) = delete;
        CUpdatingEffect &operator=(const CUpdatingEffect &) = delete;

    private:
        CVstWindow &m_editor;
    };

    // Registers itself as the effect's editor (the effect then owns it); the
    // window is made a visible child that accepts dropped files. Every editor
    // holds the toolkit's default font while it lives.
    CVstWindow(AudioEffect *effect, const MathTools::CRect &area, const GUI::Windowing::CWindowAttributes &attributes);
    CVstWindow(const CVstWindow &) = delete;
    CVstWindow &operator=(const CVstWindow &) = delete;
    // Closes the window and detaches itself from the effect.
    ~CVstWindow() override;

    void referenced() override { CWindow::referenced(); }
    void dereference() override { CWindow::dereference(); }
    long getReferenceCount() const override { return CWindow::getReferenceCount(); }
    void getObjectDescription(char *buffer, long size) const override { CWindow::getObjectDescription(buffer, size); }

    // (0, 0, height, width) of the window, also before the first open.
    bool getRect(ERect **rect) override;
    // Throws CException for a null parent; a second open closes the first.
    bool open(void *parent) override;
    void close() override { closeEditorWindow(); }
    // Delivers pending window events and due timers.
    void idle() override;

    virtual void redrawEditor() { redrawWindow(); }
    virtual void createEditorWindow() { intialiseWindow(getWindowAttributes(), true); }
    virtual void attachToParent(void *parent);
    // Lets the host's window go first, then destroys ours once.
    virtual void closeEditorWindow();

    void updateParameter(long, double) override {}
    // The guard holds only for the thread that set it: a change arriving on
    // another thread meanwhile (automation, MIDI) still reaches the editor.
    bool isUpdatingEffect() const override;
    void setUpdatingEffect(bool updating);
    // Bracket one user edit of parameter `index`, so that a host recording touch
    // automation records it (audioMasterBeginEdit / audioMasterEndEdit).
    void beginEdit(long index);
    void endEdit(long index);

    void handleActionEvent(const GUI::Events::CActionEvent &) override {}
    void handleGestureBegin(GUI::Controls::IControl &) override {}
    void handleGestureEnd(GUI::Controls::IControl &) override {}
    bool handleKeyDown(const GUI::Events::CKeyboardEvent &event) override;
    bool handleKeyUp(const GUI::Events::CKeyboardEvent &event) override;
    bool handleCharacter(const GUI::Events::CKeyboardEvent &event) override;

    ORVALITE_CLASS_RECORD(CVstWindow)

protected:
    // The thread the host runs the editor on: the one that last opened, idled or
    // closed it; none before, so a host that never shows the editor (a renderer
    // processing on its main thread) never has changes applied in its process calls.
    bool isUserInterfaceThread() const;
    void takeUserInterfaceThread();

private:
    ERect m_editorRectangle{};
    CParentWindow *m_parentWindow = nullptr;
    std::atomic<std::thread::id> m_updatingThread{};
    std::atomic<std::thread::id> m_userInterfaceThread{};
};
} // namespace Orvalite::Vst
