// A window system with no display, for tests and for rendering the editor
// off screen. Windows are records with a screen surface of their own; the
// caller injects messages, sets the pointer, keyboard and capture state, and
// advances a clock that runs the timers. Damage is painted at pump() and
// updateWindow, as a real system would. Owned by whoever installs it.
#pragma once

#include "gui/graphics/CBitmap.h"
#include "gui/graphics/CDeviceContext.h"
#include "gui/windowing/INativeWindowSystem.h"

#include <map>
#include <memory>
#include <set>
#include <utility>

namespace Orvalite::GUI::Windowing
{
class CHeadlessWindowSystem : public INativeWindowSystem
{
public:
    struct STimer
    {
        long period = 0;
        long due = 0;
    };

    // One native window as the system keeps it.
    struct SWindow
    {
        SNativeWindowSpec spec; // its area follows setWindowArea
        INativeMessageTarget *target = nullptr;
        bool visible = false;
        bool enabled = true;
        uint8_t opacity = 255;
        int cursor = 0;
        // What the window shows; transparent black until painted.
        Graphics::CBitmap screen;
        Graphics::SPixelBox damage;
        std::map<long, STimer> timers;
    };

    bool registerClass(const std::string &className, bool dropShadow, const Graphics::CWindowIcon *icon) override;
    Basics::NativeWindowHandle createWindow(const SNativeWindowSpec &spec, INativeMessageTarget *target,
                                            std::string &errorOut) override;
    void destroyWindow(Basics::NativeWindowHandle handle) override;
    void showWindow(Basics::NativeWindowHandle handle, bool show) override;
    void enableWindow(Basics::NativeWindowHandle handle, bool enable) override;
    void setWindowArea(Basics::NativeWindowHandle handle, const MathTools::CRect &area) override;
    MathTools::CRect getScreenArea(Basics::NativeWindowHandle handle) override;
    void bringToFront(Basics::NativeWindowHandle) override {}
    bool setOpacity(Basics::NativeWindowHandle handle, uint8_t alpha) override;
    void invalidate(Basics::NativeWindowHandle handle, const Graphics::SPixelBox *area) override;
    void updateWindow(Basics::NativeWindowHandle handle) override;
    Graphics::CDeviceContext *beginPaint(Basics::NativeWindowHandle handle, Graphics::SPixelBox &updateOut) override;
    void endPaint(Basics::NativeWindowHandle) override { m_paintContext = Graphics::CDeviceContext(); }
    bool startTimer(Basics::NativeWindowHandle handle, long id, long milliseconds) override;
    void stopTimer(Basics::NativeWindowHandle handle, long id) override;
    void captureMouse(Basics::NativeWindowHandle handle) override { setCapture(handle); }
    void releaseMouse() override { setCapture(0); }
    Basics::NativeWindowHandle getCapture() override { return m_capture; }
    void setCursor(Basics::NativeWindowHandle handle, int kind) override;
    MathTools::CPoint getCursorPosition() override { return m_cursorPosition; }
    SModifierState getModifierState() override { return m_modifiers; }
    bool getDroppedFiles(uintptr_t drop, MathTools::CPoint &pointOut, std::vector<std::string> &filesOut) override;
    void releaseDrop(uintptr_t drop) override { m_drops.erase(drop); }
    Basics::NativeWindowHandle takeKeyboardFocus(Basics::NativeWindowHandle handle) override
    {
        return std::exchange(m_keyboardFocus, handle);
    }
    void restoreKeyboardFocus(Basics::NativeWindowHandle handle, Basics::NativeWindowHandle previous) override;
    void beep() override { ++m_beeps; }
    long getDotsPerInch() override { return m_dotsPerInch; }
    // Runs the timers that are due, then paints every damaged window.
    void pump() override;

    // Delivers a message to the window's target at once; 0 for an unknown window.
    intptr_t send(Basics::NativeWindowHandle handle, uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);
    void advanceClock(long milliseconds);
    // The pointer in screen coordinates.
    void setCursorPosition(const MathTools::CPoint &position) { m_cursorPosition = position; }
    void setModifierState(const SModifierState &modifiers) { m_modifiers = modifiers; }
    // The window with the keyboard focus, ours or a foreign id (a host's); 0 for none.
    void setKeyboardFocus(Basics::NativeWindowHandle handle) { m_keyboardFocus = handle; }
    Basics::NativeWindowHandle getKeyboardFocus() const { return m_keyboardFocus; }
    // Any window, ours or a foreign id, may take the capture; the window losing it is told.
    void setCapture(Basics::NativeWindowHandle handle);
    // Delivers the drop message for the files at the point (client coordinates).
    intptr_t dropFiles(Basics::NativeWindowHandle handle, const MathTools::CPoint &point,
                       const std::vector<std::string> &files);
    // While the reason is not empty every createWindow fails with it.
    void refuseWindows(const std::string &reason) { m_refusal = reason; }
    void setDotsPerInch(long dotsPerInch) { m_dotsPerInch = dotsPerInch; }

    // Null for an unknown handle.
    const SWindow *findWindow(Basics::NativeWindowHandle handle) const;
    const std::set<std::string> &getRegisteredClasses() const { return m_classes; }
    size_t getNumberOfWindows() const { return m_windows.size(); }
    size_t getNumberOfPendingDrops() const { return m_drops.size(); }
    long getNumberOfBeeps() const { return m_beeps; }

private:
    struct SDrop
    {
        MathTools::CPoint point;
        std::vector<std::string> files;
    };

    SWindow *find(Basics::NativeWindowHandle handle);
    void runDueTimers();

    std::map<Basics::NativeWindowHandle, std::unique_ptr<SWindow>> m_windows;
    Basics::NativeWindowHandle m_nextHandle = 1;
    std::set<std::string> m_classes;
    std::string m_refusal;
    Basics::NativeWindowHandle m_capture = 0;
    Basics::NativeWindowHandle m_keyboardFocus = 0;
    MathTools::CPoint m_cursorPosition;
    SModifierState m_modifiers;
    std::map<uintptr_t, SDrop> m_drops;
    uintptr_t m_nextDrop = 1;
    long m_now = 0;
    long m_beeps = 0;
    long m_dotsPerInch = DEFAULT_DOTS_PER_INCH;
    Graphics::CDeviceContext m_paintContext;
};
} // namespace Orvalite::GUI::Windowing
