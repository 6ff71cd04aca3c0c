// A toolkit window as the rest of the toolkit sees it: its native window,
// geometry, painting, timers, listeners and the message table that turns the
// native window's messages into listener calls. CWindow is the implementation.
#pragma once

#include "foundation/basics/ICountedObject.h"
#include "foundation/mathtools/CDimension.h"
#include "foundation/mathtools/CPoint.h"
#include "foundation/mathtools/CRect.h"
#include "gui/basics/NativeWindowHandle.h"

#include <cstdint>

namespace Orvalite::GUI::Basics
{
class ITimedObject;
}

namespace Orvalite::GUI::Graphics
{
class CGraphics;
}

namespace Orvalite::GUI::Listeners
{
class IDropFileListener;
class IKeyboardListener;
class IMouseListener;
} // namespace Orvalite::GUI::Listeners

namespace Orvalite::GUI::Windowing
{
class CMouse;
class CWindowAttributes;
class IFocusListener;
class IWindowChangeListener;

class IWindow : public ::Orvalite::Basics::ICountedObject
{
public:
    // The parent the native window is created inside (null: a top-level window).
    virtual void setParentWindow(IWindow *parent) = 0;
    virtual IWindow *getParentWindow() const = 0;
    // 0 while no native window exists.
    virtual Basics::NativeWindowHandle getWindowHandle() const = 0;
    virtual CWindowAttributes &getWindowAttributes() = 0;

    // Creates the native window with a copy of the attributes, unless one exists.
    virtual void intialiseWindow(const CWindowAttributes &attributes, bool showWindow) = 0;
    virtual void uninitialiseWindow() = 0;
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    virtual void destroyWindow() = 0;
    virtual void updateWindow() = 0;
    virtual void disableWindow() = 0;
    virtual void enableWindow() = 0;
    // Paints the window's content into its back buffer.
    virtual void drawWindow(Graphics::CGraphics &graphics) = 0;
    virtual void redrawWindow() = 0;
    virtual void redrawWindow(const MathTools::CRect &area) = 0;

    virtual void setWindowPosition(const MathTools::CPoint &position) = 0;
    virtual const MathTools::CPoint &getWindowPosition() const = 0;
    virtual void setWindowSize(const MathTools::CDimension &size) = 0;
    virtual const MathTools::CDimension &getWindowSize() const = 0;
    virtual void setWindowArea(const MathTools::CRect &area) = 0;
    virtual const MathTools::CRect &getWindowArea() const = 0;
    // Opacity 0 … 1; applies to layered windows.
    virtual void setAlphaValue(double alpha) = 0;
    // Keys reach the window while it holds the focus it took (a text being
    // edited), even inside a host's window; giving it back restores whoever had it.
    virtual void takeKeyboardFocus() = 0;
    virtual void giveBackKeyboardFocus() = 0;

    virtual void handleTimerEvent(long id) = 0;
    // Id 0 throws CException.
    virtual void startTimer(long id, long milliseconds) = 0;
    virtual void stopTimer(long id) = 0;
    // The window lists the object without owning it.
    virtual void addTimedObject(Basics::ITimedObject *object) = 0;
    virtual void removeTimedObject(Basics::ITimedObject *object) = 0;
    virtual void stopAllTimers() = 0;

    // Each replaces the listener; null leaves the events unheard.
    virtual void registerFocusListener(IFocusListener *listener) = 0;
    virtual void registerWindowChangeListener(IWindowChangeListener *listener) = 0;
    virtual void registerMouseListener(Listeners::IMouseListener *listener) = 0;
    virtual void registerDropFileListener(Listeners::IDropFileListener *listener) = 0;
    virtual void registerKeyboardListener(Listeners::IKeyboardListener *listener) = 0;
    virtual bool isMouseListenerRegistered() const = 0;
    virtual bool isKeyboardListenerRegistered() const = 0;
    virtual bool isDropFileListenerRegistered() const = 0;
    virtual CMouse &getMouse() = 0;

    // False when the window class cannot be registered; throws CException when the window cannot be made.
    virtual bool createWindow() = 0;
    // The message table: every native message of the window goes through here.
    virtual intptr_t handleWindowEvents(Basics::NativeWindowHandle handle, uint32_t message, uintptr_t wParam,
                                        intptr_t lParam) = 0;
    // The mouse position from a packed message position, and the modifier keys held now.
    virtual void updateMousePosition(intptr_t packedPosition) = 0;
};
} // namespace Orvalite::GUI::Windowing
