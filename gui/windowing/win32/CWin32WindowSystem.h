// The window system on Win32: our native windows as USER32 windows (children
// of a host's window or top-level), their native messages handed straight to
// the target (they are Win32-numbered already), back buffers put to the
// screen with GDI, timers, capture, cursors, focus, the wheel hook and shell
// drops. The program or module composing the toolkit owns it and installs it;
// every call comes from the thread that created the windows. The host's
// message loop delivers their messages; pump() only serves our own windows.
#pragma once

#include "gui/windowing/INativeWindowSystem.h"
#include "gui/windowing/win32/CWin32KeyTranslator.h"
#include "gui/windowing/win32/CWin32WheelHook.h"
#include "gui/windowing/win32/CWin32WindowClasses.h"
#include "gui/windowing/win32/SWin32Window.h"

#include <windows.h>

#include <map>
#include <memory>

namespace Orvalite::GUI::Windowing
{
class CWin32WindowSystem : public INativeWindowSystem
{
public:
    // Supplies the screen's metrics to the display report.
    CWin32WindowSystem();
    // Destroys the windows still open (each gets its destroy message) and unregisters the classes.
    ~CWin32WindowSystem() override;

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
    Basics::NativeWindowHandle getCapture() override;
    void setCursor(Basics::NativeWindowHandle handle, int kind) override;
    MathTools::CPoint getCursorPosition() override;
    SModifierState getModifierState() override;

    bool getDroppedFiles(uintptr_t drop, MathTools::CPoint &pointOut, std::vector<std::string> &filesOut) override;
    void releaseDrop(uintptr_t drop) override;

    Basics::NativeWindowHandle takeKeyboardFocus(Basics::NativeWindowHandle handle) override;
    void restoreKeyboardFocus(Basics::NativeWindowHandle handle, Basics::NativeWindowHandle previous) override;

    void beep() override;
    long getDotsPerInch() override;
    void pump() override;

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    SWin32Window *find(Basics::NativeWindowHandle handle) const;
    LRESULT handleMessage(SWin32Window &window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleKey(SWin32Window &window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT paint(SWin32Window &window);
    // Hands the message to the target (nothing thrown gets out); 0 before the window is fully made.
    static LRESULT deliver(SWin32Window &window, UINT message, WPARAM wParam, LPARAM lParam);
    // Our pop-up holding the capture, which takes the keys; null for none.
    SWin32Window *keyTaker() const;
    bool forwardWheel(const MOUSEHOOKSTRUCTEX &hook);
    // Frees what the window held and forgets it; removes the hook after the last window.
    void forgetWindow(HWND window);

    CWin32WindowClasses m_classes{&CWin32WindowSystem::windowProcedure};
    CWin32KeyTranslator m_keys;
    CWin32WheelHook m_wheelHook;
    std::map<Basics::NativeWindowHandle, std::unique_ptr<SWin32Window>> m_windows;
};
} // namespace Orvalite::GUI::Windowing
