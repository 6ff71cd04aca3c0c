// CWindow's message table: every native message of the window arrives here, on
// the thread that pumps, and becomes a call on one of its listeners. Nothing
// thrown by a listener leaves the table.
#include "gui/windowing/CWindow.h"

#include "foundation/basics/CException.h"
#include "foundation/io/TraceLog.h"
#include "gui/events/CDropEvent.h"
#include "gui/listeners/IDropFileListener.h"
#include "gui/listeners/IKeyboardListener.h"
#include "gui/listeners/IMouseListener.h"
#include "gui/windowing/WindowMessage.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

namespace Orvalite::GUI::Windowing
{
using Exceptions::CException;
using MathTools::CDimension;
using MathTools::CPoint;
using MathTools::CRect;

namespace
{
// One wheel notch, in the units of the wheel message.
constexpr double WHEEL_DELTA = 120.0;

// Called inside a catch block: writes what was thrown to the trace log.
void traceCaughtException(const char *where)
{
    try
    {
        throw;
    }
    catch (const CException &exception)
    {
        IO::traceMessage("%s: %s (%s)", where, exception.getErrorReason().getString(),
                         exception.getFunctionName().getString());
    }
    catch (const std::exception &exception)
    {
        IO::traceMessage("%s: %s", where, exception.what());
    }
    catch (...)
    {
        IO::traceMessage("%s: an exception of unknown type", where);
    }
}

SModifierState modifiersHeld()
{
    INativeWindowSystem *system = INativeWindowSystem::current();
    return system ? system->getModifierState() : SModifierState();
}

uintptr_t buttonOf(uint32_t message)
{
    return message <= e_leftButtonDoubleClick ? e_leftButtonHeld : e_rightButtonHeld;
}
} // namespace

intptr_t CWindow::handleWindowEvents(Basics::NativeWindowHandle, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    try
    {
        return dispatchMessage(message, wParam, lParam);
    }
    catch (...)
    {
        traceCaughtException("CWindow::handleWindowEvents");
        return 0;
    }
}

intptr_t CWindow::dispatchMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    switch (message)
    {
    case e_destroy:
        return handleDestroy();
    case e_move:
        return handleMove(lParam);
    case e_size:
        return handleSize(lParam);
    case e_setFocus:
        if (m_focusListener)
        {
            m_focusListener->gainedFocus(this);
        }
        return 0;
    case e_killFocus:
        if (m_focusListener)
        {
            m_focusListener->lostFocus(this);
        }
        return 0;
    case e_paint:
        return handlePaint();
    case e_close:
        return handleClose();
    case e_eraseBackground:
        return 1;
    case e_keyDown:
    case e_keyUp:
        return handleKey(message, wParam, lParam);
    case e_character:
        return handleCharacter(wParam);
    case e_mouseMove:
        return handleMouseMove(wParam, lParam);
    case e_leftButtonDown:
    case e_rightButtonDown:
        return handleButtonDown(message, lParam);
    case e_leftButtonUp:
    case e_rightButtonUp:
        return handleButtonUp(message, lParam);
    case e_leftButtonDoubleClick:
        return handleDoubleClick(lParam);
    case e_mouseWheel:
        return handleWheel(wParam);
    case e_captureChanged:
        return handleCaptureChanged(lParam);
    case e_dropFiles:
        return handleDropFiles(wParam);
    case e_mouseLeave:
        return handleMouseLeave(lParam);
    default:
        return 0;
    }
}

intptr_t CWindow::handleDestroy()
{
    // Whoever destroys the window (we, the host, the user), the handle must not be used again.
    forgetNativeWindow();
    return 0;
}

intptr_t CWindow::handleMove(intptr_t lParam)
{
    m_position = CMouse::unpackPosition(lParam);
    m_area.setOrigin(m_position);
    if (m_windowChangeListener)
    {
        m_windowChangeListener->windowMoved(this, m_position);
    }
    return 0;
}

intptr_t CWindow::handleSize(intptr_t lParam)
{
    const auto word = static_cast<uintptr_t>(lParam);
    m_size.setDimension(static_cast<long>(word & 0xFFFF), static_cast<long>((word >> 16) & 0xFFFF));
    m_area.setDimension(m_size);
    if (m_windowChangeListener)
    {
        m_windowChangeListener->windowResized(this, m_size);
    }
    return 0;
}

intptr_t CWindow::handleClose()
{
    if (m_windowChangeListener && !m_windowChangeListener->windowClosed(this))
    {
        return 0;
    }
    destroyWindow();
    return 0;
}

intptr_t CWindow::handlePaint()
{
    INativeWindowSystem *system = nativeSystem();
    Graphics::SPixelBox update;
    Graphics::CDeviceContext *paintContext = system ? system->beginPaint(m_windowHandle, update) : nullptr;
    if (!paintContext)
    {
        return 0;
    }
    const CRect updateArea(static_cast<long>(update.left), static_cast<long>(update.top),
                           static_cast<long>(update.right - update.left),
                           static_cast<long>(update.bottom - update.top));
    m_graphics.initialise(m_windowHandle, paintContext, m_size);
    m_graphics.setDrawingOffset(CPoint(0, 0));
    m_graphics.getClip()->setClip(updateArea);
    m_graphics.setUpdateArea(updateArea);
    drawWindow(m_graphics);
    if (!update.isEmpty())
    {
        paintContext->bitBlt(updateArea.getLeft(), updateArea.getTop(), updateArea.getWidth(), updateArea.getHeight(),
                             m_graphics.getNativeImage()->getBitmap(), updateArea.getLeft(), updateArea.getTop());
    }
    m_graphics.setDrawingOffset(CPoint(0, 0));
    m_graphics.getClip()->clearClip();
    m_graphics.uninitialise();
    system->endPaint(m_windowHandle);
    return 0;
}

intptr_t CWindow::handleKey(uint32_t message, uintptr_t virtualKey, intptr_t character)
{
    if (!m_keyboardListener)
    {
        return 0;
    }
    m_keyboardEvent.setKeyCode(Events::CKeyboardEvent::keyCodeOf(static_cast<uint32_t>(virtualKey)));
    // Backspace counts as a virtual key although it produces a character.
    const bool producedCharacter = character != 0 && virtualKey != 8;
    if (producedCharacter)
    {
        m_keyboardEvent.setCharacter(static_cast<char>(character));
    }
    m_keyboardEvent.setVirtualKey(!producedCharacter);
    m_keyboardEvent.setCodePoint(0);
    const SModifierState modifiers = modifiersHeld();
    m_keyboardEvent.setModifiers(modifiers.shift, modifiers.alt, modifiers.ctrl);
    const bool used = message == e_keyDown ? m_keyboardListener->handleKeyDown(m_keyboardEvent)
                                           : m_keyboardListener->handleKeyUp(m_keyboardEvent);
    return used ? 0 : 1;
}

intptr_t CWindow::handleCharacter(uintptr_t codePoint)
{
    if (!m_keyboardListener)
    {
        return 0;
    }
    m_keyboardEvent.setKeyCode(Events::CKeyboardEvent::OTHER_KEY);
    m_keyboardEvent.setCharacter(codePoint < 0x80 ? static_cast<char>(codePoint) : '\0');
    m_keyboardEvent.setVirtualKey(false);
    m_keyboardEvent.setCodePoint(static_cast<uint32_t>(codePoint));
    const SModifierState modifiers = modifiersHeld();
    m_keyboardEvent.setModifiers(modifiers.shift, modifiers.alt, modifiers.ctrl);
    return m_keyboardListener->handleCharacter(m_keyboardEvent) ? 0 : 1;
}

intptr_t CWindow::handleMouseMove(uintptr_t buttonsHeld, intptr_t lParam)
{
    if (!m_mouseListener)
    {
        return 0;
    }
    // A release we never saw (outside the window, or lost with the capture) still ends the drag.
    if ((m_buttonsHeld & e_leftButtonHeld) && !(buttonsHeld & e_leftButtonHeld))
    {
        endDrag(e_leftButtonUp);
    }
    if ((m_buttonsHeld & e_rightButtonHeld) && !(buttonsHeld & e_rightButtonHeld))
    {
        endDrag(e_rightButtonUp);
    }
    updateMousePosition(lParam);
    m_mouseListener->handleMouseMovement(m_mouseEvent);
    return 0;
}

intptr_t CWindow::handleButtonDown(uint32_t message, intptr_t lParam)
{
    if (!m_mouseListener)
    {
        return 0;
    }
    if (!m_mouse.isMouseCaptured())
    {
        m_mouse.captureMouse(*this);
    }
    updateMousePosition(lParam);
    m_buttonsHeld |= buttonOf(message);
    if (message == e_leftButtonDown)
    {
        m_mouseListener->handleLeftButtonDown(m_mouseEvent);
    }
    else
    {
        m_mouseListener->handleRightButtonDown(m_mouseEvent);
    }
    return 0;
}

intptr_t CWindow::handleButtonUp(uint32_t message, intptr_t lParam)
{
    if (!m_mouseListener)
    {
        return 0;
    }
    updateMousePosition(lParam);
    deliverButtonUp(message);
    return 0;
}

intptr_t CWindow::handleDoubleClick(intptr_t lParam)
{
    if (m_mouseListener)
    {
        updateMousePosition(lParam);
        m_mouseListener->handleDoubleClick(m_mouseEvent);
    }
    return 0;
}

intptr_t CWindow::handleWheel(uintptr_t wParam)
{
    INativeWindowSystem *system = nativeSystem();
    if (!m_mouseListener || !system)
    {
        return 0;
    }
    const CRect screenArea = system->getScreenArea(m_windowHandle);
    const CPoint cursor = system->getCursorPosition();
    m_mouse.setPosition(
        CPoint(cursor.getXPosition() - screenArea.getLeft(), cursor.getYPosition() - screenArea.getTop()));
    updateModifiers();
    m_mouseEvent.setWheelValue(static_cast<int16_t>((wParam >> 16) & 0xFFFF) / WHEEL_DELTA);
    m_mouseListener->handleMouseScroll(m_mouseEvent);
    return 0;
}

intptr_t CWindow::handleCaptureChanged(intptr_t newCaptureHandle)
{
    if (m_mouseListener && static_cast<Basics::NativeWindowHandle>(newCaptureHandle) != m_windowHandle)
    {
        endDrag(e_leftButtonUp);
        endDrag(e_rightButtonUp);
    }
    return 0;
}

intptr_t CWindow::handleDropFiles(uintptr_t drop)
{
    INativeWindowSystem *system = nativeSystem();
    if (!m_dropFileListener || !system)
    {
        return 0;
    }
    CPoint dropPoint;
    std::vector<std::string> paths;
    if (system->getDroppedFiles(drop, dropPoint, paths))
    {
        std::vector<::Orvalite::Basics::CString> fileNames;
        for (const std::string &path : paths)
        {
            fileNames.emplace_back(path.c_str());
        }
        const Events::CDropEvent event(dropPoint, std::move(fileNames));
        m_dropFileListener->handleFileDrop(event);
    }
    system->releaseDrop(drop);
    system->bringToFront(m_windowHandle);
    return 0;
}

intptr_t CWindow::handleMouseLeave(intptr_t lParam)
{
    if (m_mouseListener)
    {
        updateMousePosition(lParam);
        m_mouseListener->handleMouseLeavingArea(m_mouseEvent);
    }
    return 0;
}

void CWindow::endDrag(uint32_t upMessage)
{
    if (m_buttonsHeld & buttonOf(upMessage))
    {
        deliverButtonUp(upMessage);
    }
}

void CWindow::deliverButtonUp(uint32_t upMessage)
{
    // Cleared first: releasing the capture tells this window it lost the capture.
    m_buttonsHeld &= ~buttonOf(upMessage);
    // Only our own capture: the host's (or another window's) is not ours to end.
    if (m_mouse.isCapturedBy(*this))
    {
        m_mouse.releaseMouse();
    }
    if (upMessage == e_leftButtonUp)
    {
        m_mouseListener->handleLeftButtonUp(m_mouseEvent);
    }
    else
    {
        m_mouseListener->handleRightButtonUp(m_mouseEvent);
    }
}

void CWindow::updateMousePosition(intptr_t packedPosition)
{
    m_mouse.setPosition(packedPosition);
    updateModifiers();
}

void CWindow::updateModifiers()
{
    const SModifierState modifiers = modifiersHeld();
    m_mouseEvent.setModifiers(modifiers.ctrl, modifiers.shift, modifiers.alt);
}

intptr_t CWindow::handleNativeMessage(Basics::NativeWindowHandle handle, uint32_t message, uintptr_t wParam,
                                      intptr_t lParam)
{
    return handleWindowEvents(handle, message, wParam, lParam);
}

void CWindow::handleNativeTimer(long id)
{
    try
    {
        handleTimerEvent(id);
    }
    catch (...)
    {
        traceCaughtException("CWindow::handleNativeTimer");
    }
}
} // namespace Orvalite::GUI::Windowing
