// The platform under the toolkit's windows: native windows, their messages,
// painting, timers, capture, cursors and drops. One implementation per
// platform (x11/, later win32/) and a headless one for tests; nothing above
// this interface includes a platform header. Every call happens on the thread
// that pumps (the host's user-interface thread).
#pragma once

#include "foundation/mathtools/CPoint.h"
#include "foundation/mathtools/CRect.h"
#include "gui/basics/NativeWindowHandle.h"
#include "gui/graphics/SPixelBox.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Orvalite::GUI::Graphics
{
class CDeviceContext;
class CWindowIcon;
} // namespace Orvalite::GUI::Graphics

namespace Orvalite::GUI::Windowing
{
// Receives the messages of one native window, numbered and packed as on Win32
// (0x0200 mouse move with the signed client position in lParam, 0x020A wheel
// with ±120 per notch in the high word of wParam, …), so that one message
// table holds all behaviour. Key messages carry the virtual key in wParam and
// the character the key produced in lParam (0 for none); each character typed
// follows its key down as a character message (0x0102) with its Unicode code
// point in wParam. Mouse moves carry the buttons held in wParam (0x1 left, 0x2
// right), and a window that loses the capture gets 0x0215; WindowMessage.h
// names the numbers.
class INativeMessageTarget
{
public:
    virtual intptr_t handleNativeMessage(Basics::NativeWindowHandle handle, uint32_t message, uintptr_t wParam,
                                         intptr_t lParam) = 0;
    virtual void handleNativeTimer(long id) = 0;

protected:
    ~INativeMessageTarget() = default;
};

// What a native window is created with.
struct SNativeWindowSpec
{
    std::string className; // windows of one class share it (shown as WM_CLASS on X11)
    std::string title;
    uint32_t style = 0;         // Win32 style bits: 0x80000000 pop-up, 0x40000000 child
    uint32_t extendedStyle = 0; // 0x10 accepts dropped files, 0x80000 layered, 0x8 topmost
    MathTools::CRect area;      // position relative to the parent (or the screen) and size
    Basics::NativeWindowHandle parent = 0;
    uint32_t backgroundColour = 0; // 0x00BBGGRR
};

// Modifier keys as held now, the key of the current key message included.
struct SModifierState
{
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

class INativeWindowSystem
{
public:
    virtual ~INativeWindowSystem() = default;

    // The system windows are made on, installed by the program or module that
    // composes the toolkit (the X11 one by the plug-in's load hook, the headless
    // one by tests); null before any is installed, when no window can be made.
    static INativeWindowSystem *current();
    // The caller keeps the system alive while it is installed; null uninstalls.
    static void install(INativeWindowSystem *system);

    // False when the class cannot be registered; registering a known class again succeeds.
    virtual bool registerClass(const std::string &className, bool dropShadow, const Graphics::CWindowIcon *icon) = 0;
    // 0 on failure, with the platform's reason in errorOut.
    virtual Basics::NativeWindowHandle createWindow(const SNativeWindowSpec &spec, INativeMessageTarget *target,
                                                    std::string &errorOut) = 0;
    // Also delivers the destroy message (0x0002) to the window's target.
    virtual void destroyWindow(Basics::NativeWindowHandle handle) = 0;
    virtual void showWindow(Basics::NativeWindowHandle handle, bool show) = 0;
    virtual void enableWindow(Basics::NativeWindowHandle handle, bool enable) = 0;
    virtual void setWindowArea(Basics::NativeWindowHandle handle, const MathTools::CRect &area) = 0;
    // The window's rectangle in screen coordinates.
    virtual MathTools::CRect getScreenArea(Basics::NativeWindowHandle handle) = 0;
    virtual void bringToFront(Basics::NativeWindowHandle handle) = 0;
    // alpha 0 … 255; false when the platform cannot apply it.
    virtual bool setOpacity(Basics::NativeWindowHandle handle, uint8_t alpha) = 0;

    // Damage: the area (null for all of the window) is painted at the next pump or updateWindow.
    virtual void invalidate(Basics::NativeWindowHandle handle, const Graphics::SPixelBox *area) = 0;
    virtual void updateWindow(Basics::NativeWindowHandle handle) = 0;
    // Inside the paint message: the window's screen surface and the damaged
    // box; what is drawn into the surface's update box reaches the screen at endPaint.
    virtual Graphics::CDeviceContext *beginPaint(Basics::NativeWindowHandle handle, Graphics::SPixelBox &updateOut) = 0;
    virtual void endPaint(Basics::NativeWindowHandle handle) = 0;

    virtual bool startTimer(Basics::NativeWindowHandle handle, long id, long milliseconds) = 0;
    virtual void stopTimer(Basics::NativeWindowHandle handle, long id) = 0;

    virtual void captureMouse(Basics::NativeWindowHandle handle) = 0;
    virtual void releaseMouse() = 0;
    // The window holding the capture, 0 for none (ours or not).
    virtual Basics::NativeWindowHandle getCapture() = 0;
    // Cursor kinds 0 … 7: arrow, hand, wait, north-south, west-east, text beam, diagonal, move.
    virtual void setCursor(Basics::NativeWindowHandle handle, int kind) = 0;
    virtual MathTools::CPoint getCursorPosition() = 0;
    virtual SModifierState getModifierState() = 0;

    // The files of the drop message's handle (its wParam) and the drop point in client coordinates.
    virtual bool getDroppedFiles(uintptr_t drop, MathTools::CPoint &pointOut, std::vector<std::string> &filesOut) = 0;
    virtual void releaseDrop(uintptr_t drop) = 0;

    // Gives the window the keyboard focus, answering who had it (0 for none);
    // restoreKeyboardFocus hands it back to that window, when `handle` still has it.
    virtual Basics::NativeWindowHandle takeKeyboardFocus(Basics::NativeWindowHandle handle) = 0;
    virtual void restoreKeyboardFocus(Basics::NativeWindowHandle handle, Basics::NativeWindowHandle previous) = 0;

    virtual void beep() = 0;
    // What a desktop that asks for no scaling answers.
    static constexpr long DEFAULT_DOTS_PER_INCH = 96;
    // The display's resolution as the desktop sets it for scaling (Xft.dpi on X11, the
    // system DPI on Windows); DEFAULT_DOTS_PER_INCH when it sets none or there is no display.
    virtual long getDotsPerInch() = 0;
    // Delivers pending events and due timers of every window; never blocks.
    virtual void pump() = 0;
};
} // namespace Orvalite::GUI::Windowing
