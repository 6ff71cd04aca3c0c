// The toolkit's native window: it owns the native window, its attributes, the
// back buffer it paints through, the mouse and the reusable events, and its
// timed objects; one message table turns native messages into calls on its
// listeners. The editor and the about window derive from it.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "gui/basics/CTimedObjectList.h"
#include "gui/events/CKeyboardEvent.h"
#include "gui/events/CMouseEvent.h"
#include "gui/graphics/CGraphics.h"
#include "gui/windowing/CMouse.h"
#include "gui/windowing/CWindowAttributes.h"
#include "gui/windowing/IFocusListener.h"
#include "gui/windowing/INativeWindowSystem.h"
#include "gui/windowing/IWindow.h"
#include "gui/windowing/IWindowChangeListener.h"

namespace Orvalite::GUI::Controls
{
class CControlRoot;
}

namespace Orvalite::GUI::Windowing
{
class CWindow : public ::Orvalite::Basics::CCountedObject,
                public IWindow,
                public IWindowChangeListener,
                public IFocusListener,
                public INativeMessageTarget
{
public:
    // Only the application's main window ends the application when it closes;
    // a plug-in's windows never do. No native window exists yet.
    explicit CWindow(const MathTools::CRect &area, bool isApplicationMainWindow = false);
    CWindow(const CWindow &) = delete;
    CWindow &operator=(const CWindow &) = delete;
    ~CWindow() override;

    void referenced() override { CCountedObject::referenced(); }
    void dereference() override { CCountedObject::dereference(); }
    long getReferenceCount() const override { return CCountedObject::getReferenceCount(); }
    // Writes nothing.
    void getObjectDescription(char *, long) const override {}

    void setParentWindow(IWindow *parent) override { m_parentWindow = parent; }
    IWindow *getParentWindow() const override { return m_parentWindow; }
    Basics::NativeWindowHandle getWindowHandle() const override { return m_windowHandle; }
    CWindowAttributes &getWindowAttributes() override { return m_attributes; }

    void intialiseWindow(const CWindowAttributes &attributes, bool showWindow) override;
    void uninitialiseWindow() override;
    void showWindow() override;
    void hideWindow() override;
    void destroyWindow() override;
    void updateWindow() override;
    void disableWindow() override;
    void enableWindow() override;
    void drawWindow(Graphics::CGraphics &graphics) override;
    void redrawWindow() override;
    void redrawWindow(const MathTools::CRect &area) override;

    void setWindowPosition(const MathTools::CPoint &position) override;
    const MathTools::CPoint &getWindowPosition() const override { return m_position; }
    void setWindowSize(const MathTools::CDimension &size) override;
    const MathTools::CDimension &getWindowSize() const override { return m_size; }
    void setWindowArea(const MathTools::CRect &area) override;
    const MathTools::CRect &getWindowArea() const override { return m_area; }
    void setAlphaValue(double alpha) override;
    void takeKeyboardFocus() override;
    void giveBackKeyboardFocus() override;

    void handleTimerEvent(long id) override { m_timedObjects.expire(id); }
    void startTimer(long id, long milliseconds) override;
    void stopTimer(long id) override;
    void addTimedObject(Basics::ITimedObject *object) override { m_timedObjects.add(object); }
    void removeTimedObject(Basics::ITimedObject *object) override { m_timedObjects.remove(object); }
    void stopAllTimers() override;

    void registerFocusListener(IFocusListener *listener) override { m_focusListener = listener; }
    void registerWindowChangeListener(IWindowChangeListener *listener) override { m_windowChangeListener = listener; }
    void registerMouseListener(Listeners::IMouseListener *listener) override { m_mouseListener = listener; }
    void registerDropFileListener(Listeners::IDropFileListener *listener) override { m_dropFileListener = listener; }
    void registerKeyboardListener(Listeners::IKeyboardListener *listener) override { m_keyboardListener = listener; }
    bool isMouseListenerRegistered() const override { return m_mouseListener != nullptr; }
    bool isKeyboardListenerRegistered() const override { return m_keyboardListener != nullptr; }
    bool isDropFileListenerRegistered() const override { return m_dropFileListener != nullptr; }
    CMouse &getMouse() override { return m_mouse; }
    // The window's controls; its mouse, keyboard and drop listener until another is registered.
    Controls::CControlRoot &getControlRoot() { return *m_controlRoot; }

    bool createWindow() override;
    // Never lets an exception out: one thrown by a handler is traced and the message answers 0.
    intptr_t handleWindowEvents(Basics::NativeWindowHandle handle, uint32_t message, uintptr_t wParam,
                                intptr_t lParam) override;
    void updateMousePosition(intptr_t packedPosition) override;

    // The window's own listener operations: nothing, except that closing the
    // application's main window asks the application to quit.
    void windowResized(IWindow *, const MathTools::CDimension &) override {}
    void windowMoved(IWindow *, const MathTools::CPoint &) override {}
    bool windowClosed(IWindow *window) override;
    void gainedFocus(IWindow *) override {}
    void lostFocus(IWindow *) override {}

    intptr_t handleNativeMessage(Basics::NativeWindowHandle handle, uint32_t message, uintptr_t wParam,
                                 intptr_t lParam) override;
    // Never lets an exception out, as handleWindowEvents.
    void handleNativeTimer(long id) override;

    // Whether a main window has closed since the last call (the application's quit message).
    static bool takeQuitRequest();

    ORVALITE_CLASS_RECORD(CWindow)

protected:
    // Replaces the window's control root (taking a reference) and makes it the
    // mouse, keyboard and drop listener; for windows with a root of their own kind.
    void replaceControlRoot(Controls::CControlRoot *root);
    Listeners::IKeyboardListener *getKeyboardListener() const { return m_keyboardListener; }
    // Holds another program's window handle (a host's) without owning a native
    // window: others may use this window as their parent; 0 lets it go.
    void borrowWindowHandle(Basics::NativeWindowHandle handle) { m_windowHandle = handle; }

private:
    intptr_t dispatchMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);
    intptr_t handleDestroy();
    intptr_t handleMove(intptr_t lParam);
    intptr_t handleSize(intptr_t lParam);
    intptr_t handleClose();
    intptr_t handlePaint();
    intptr_t handleKey(uint32_t message, uintptr_t virtualKey, intptr_t character);
    intptr_t handleCharacter(uintptr_t codePoint);
    intptr_t handleMouseMove(uintptr_t buttonsHeld, intptr_t lParam);
    intptr_t handleButtonDown(uint32_t message, intptr_t lParam);
    intptr_t handleButtonUp(uint32_t message, intptr_t lParam);
    intptr_t handleDoubleClick(intptr_t lParam);
    intptr_t handleWheel(uintptr_t wParam);
    intptr_t handleCaptureChanged(intptr_t newCaptureHandle);
    intptr_t handleDropFiles(uintptr_t drop);
    intptr_t handleMouseLeave(intptr_t lParam);
    // The button-up of a drag whose release never reached us, at the last known position.
    void endDrag(uint32_t upMessage);
    void deliverButtonUp(uint32_t upMessage);
    void updateModifiers();
    void applyArea();
    void forgetNativeWindow();
    std::string makeClassName() const;
    // The window system, but only while this window has a native window.
    INativeWindowSystem *nativeSystem() const;

    // Owned; it points back at this window without a reference.
    Controls::CControlRoot *m_controlRoot;
    Listeners::IMouseListener *m_mouseListener = nullptr;
    Listeners::IDropFileListener *m_dropFileListener = nullptr;
    Listeners::IKeyboardListener *m_keyboardListener = nullptr;
    IWindowChangeListener *m_windowChangeListener = this;
    IFocusListener *m_focusListener = this;
    CWindowAttributes m_attributes;
    Basics::NativeWindowHandle m_windowHandle = 0;
    IWindow *m_parentWindow = nullptr;
    MathTools::CDimension m_size;
    MathTools::CPoint m_position;
    MathTools::CRect m_area;
    CMouse m_mouse;
    Graphics::CGraphics m_graphics;
    Events::CMouseEvent m_mouseEvent{&m_mouse};
    Events::CKeyboardEvent m_keyboardEvent;
    Basics::CTimedObjectList m_timedObjects;
    bool m_windowExists = false;
    const bool m_isApplicationMainWindow;
    // Buttons whose down was delivered and whose up has not been (EMouseButtonFlag bits).
    uintptr_t m_buttonsHeld = 0;
    // While this window holds the keyboard focus it took: who had it before (0 for none).
    bool m_holdsKeyboardFocus = false;
    Basics::NativeWindowHandle m_focusBefore = 0;
};
} // namespace Orvalite::GUI::Windowing
