// The window system on X11: our native windows as X windows (children of a
// host's window or top-level), their events as Win32-numbered messages, their
// surfaces put to the screen, timers, capture, cursors, keyboard focus, text
// through the input method and XDND drops. The
// program composing the toolkit owns it and installs it; every call must come
// from the thread that pumps, and nothing touches X before the first window.
#pragma once

#include "gui/windowing/INativeWindowSystem.h"
#include "gui/windowing/x11/CX11Connection.h"
#include "gui/windowing/x11/CX11Cursors.h"
#include "gui/windowing/x11/CX11DropTarget.h"
#include "gui/windowing/x11/CX11EventTranslator.h"
#include "gui/windowing/x11/CX11InputMethod.h"
#include "gui/windowing/x11/CX11TimerList.h"
#include "gui/windowing/x11/SX11Window.h"

#include <map>
#include <memory>

namespace Orvalite::GUI::Windowing
{
class CX11WindowSystem : public INativeWindowSystem
{
public:
    CX11WindowSystem() = default;
    // Destroys the windows still open (each gets its destroy message) and closes the connection.
    ~CX11WindowSystem() override;

    bool registerClass(const std::string &className, bool dropShadow, const Graphics::CWindowIcon *icon) override;
    Basics::NativeWindowHandle createWindow(const SNativeWindowSpec &spec, INativeMessageTarget *target,
                                            std::string &errorOut) override;
    void destroyWindow(Basics::NativeWindowHandle handle) override;
    void showWindow(Basics::NativeWindowHandle handle, bool show) override;
    void enableWindow(Basics::NativeWindowHandle handle, bool enable) override;
    void setWindowArea(Basics::NativeWindowHandle handle, const MathTools::CRect &area) override;
    MathTools::CRect getScreenArea(Basics::NativeWindowHandle handle) override;
    void bringToFront(Basics::NativeWindowHandle handle) override;
    bool setOpacity(Basics::NativeWindowHandle handle, uint8_t alpha) override;

    void invalidate(Basics::NativeWindowHandle handle, const Graphics::SPixelBox *area) override;
    void updateWindow(Basics::NativeWindowHandle handle) override;
    Graphics::CDeviceContext *beginPaint(Basics::NativeWindowHandle handle, Graphics::SPixelBox &updateOut) override;
    void endPaint(Basics::NativeWindowHandle handle) override;

    bool startTimer(Basics::NativeWindowHandle handle, long id, long milliseconds) override;
    void stopTimer(Basics::NativeWindowHandle handle, long id) override;

    void captureMouse(Basics::NativeWindowHandle handle) override;
    void releaseMouse() override;
    Basics::NativeWindowHandle getCapture() override { return m_capture; }
    void setCursor(Basics::NativeWindowHandle handle, int kind) override;
    MathTools::CPoint getCursorPosition() override;
    SModifierState getModifierState() override { return m_translator.getModifierState(); }

    bool getDroppedFiles(uintptr_t drop, MathTools::CPoint &pointOut, std::vector<std::string> &filesOut) override;
    void releaseDrop(uintptr_t drop) override;

    Basics::NativeWindowHandle takeKeyboardFocus(Basics::NativeWindowHandle handle) override;
    void restoreKeyboardFocus(Basics::NativeWindowHandle handle, Basics::NativeWindowHandle previous) override;

    void beep() override;
    // Opens the connection for the question when no window holds it.
    long getDotsPerInch() override;
    void pump() override;

private:
    using TMessages = std::vector<CX11EventTranslator::SMessage>;

    SX11Window *find(Basics::NativeWindowHandle handle) const;
    Window createNativeWindow(const SNativeWindowSpec &spec, std::string &errorOut);
    void describeWindow(Window window, const SNativeWindowSpec &spec);
    // Forgets the window and sends its destroy message; destroys the X window
    // too unless it is already gone. Closes the connection after the last window.
    void forgetWindow(Basics::NativeWindowHandle handle, bool destroyNative);
    void closeWhenUnused();
    void changeCapture(Basics::NativeWindowHandle handle);

    void dispatch(XEvent &event);
    void dispatchClientMessage(const XClientMessageEvent &event);
    void dispatchDrop(const XSelectionEvent &event);
    void deliver(Basics::NativeWindowHandle handle, const TMessages &messages);
    void deliverTimers();
    void paintDamaged();
    void paint(Basics::NativeWindowHandle handle);
    // The surface follows the size the window was last given, before its size message is seen.
    void fitSurface(SX11Window &window);

    CX11Connection m_connection;
    CX11InputMethod m_inputMethod;
    CX11EventTranslator m_translator;
    CX11TimerList m_timers;
    CX11Cursors m_cursors;
    CX11DropTarget m_dropTarget;
    // Registered class names and the icon each class gives its top-level windows (_NET_WM_ICON data).
    std::map<std::string, std::vector<unsigned long>> m_classes;
    std::map<Basics::NativeWindowHandle, std::unique_ptr<SX11Window>> m_windows;
    // Drops announced to a target and not yet released, by the id their message carries.
    std::map<uintptr_t, CX11DropTarget::SDrop> m_drops;
    uintptr_t m_nextDrop = 1;
    Basics::NativeWindowHandle m_capture = 0;
};
} // namespace Orvalite::GUI::Windowing
