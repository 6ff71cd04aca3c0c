#include "gui/windowing/CWindow.h"

#include "foundation/basics/CApplicationInformation.h"
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
ORVALITE_DEFINE_CLASS_RECORD(CWindow, "CWindow", "CCountedObject")

using Exceptions::CException;
using MathTools::CDimension;
using MathTools::CPoint;
using MathTools::CRect;

namespace
{
// Chosen once; the application name and the window title follow it.
constexpr const char *CLASS_NAME_PREFIX = "net.orvalite.";
// One wheel notch, in the units of the wheel message.
constexpr double WHEEL_DELTA = 120.0;

bool s_quitRequested = false;

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

Graphics::SPixelBox boxOf(const CRect &area)
{
    return {area.getLeft(), area.getTop(), area.getRight(), area.getBottom()};
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

CWindow::CWindow(const CRect &area, bool isApplicationMainWindow)
    : m_size(area.getWidth(), area.getHeight()), m_position(area.getLeft(), area.getTop()), m_area(area),
      m_isApplicationMainWindow(isApplicationMainWindow)
{
}

CWindow::~CWindow()
{
    uninitialiseWindow();
}

void CWindow::intialiseWindow(const CWindowAttributes &attributes, bool showWindow)
{
    if (m_windowExists)
    {
        return;
    }
    try
    {
        m_attributes = attributes;
        if (createWindow() && showWindow)
        {
            this->showWindow();
            updateWindow();
        }
    }
    catch (const CException &caught)
    {
        ::Orvalite::Basics::CString reason(
            "Caught an exception whilst initialising window. Further details below:\n\n");
        reason += caught.getErrorReason();
        ::Orvalite::Basics::CString function("void CWindow::intialiseWindow(CWindowAttributes *, const bool) ->\n");
        function += caught.getFunctionName();
        throw CException(reason, function, true);
    }
}

void CWindow::uninitialiseWindow()
{
    if (m_windowExists)
    {
        stopAllTimers();
        destroyWindow();
        m_windowExists = false;
    }
}

void CWindow::showWindow()
{
    if (INativeWindowSystem *system = nativeSystem())
    {
        system->showWindow(m_windowHandle, true);
    }
}

void CWindow::hideWindow()
{
    if (INativeWindowSystem *system = nativeSystem())
    {
        system->showWindow(m_windowHandle, false);
    }
    if (m_windowChangeListener)
    {
        m_windowChangeListener->windowClosed(this);
    }
}

void CWindow::destroyWindow()
{
    // The destroy message clears the handle; clearing here too covers a system that sends none.
    if (INativeWindowSystem *system = nativeSystem())
    {
        system->destroyWindow(m_windowHandle);
    }
    forgetNativeWindow();
}

void CWindow::updateWindow()
{
    if (INativeWindowSystem *system = nativeSystem())
    {
        system->updateWindow(m_windowHandle);
    }
}

void CWindow::disableWindow()
{
    if (INativeWindowSystem *system = nativeSystem())
    {
        system->enableWindow(m_windowHandle, false);
    }
}

void CWindow::enableWindow()
{
    if (INativeWindowSystem *system = nativeSystem())
    {
        system->enableWindow(m_windowHandle, true);
    }
}

void CWindow::drawWindow(Graphics::CGraphics &)
{
    // The control root draws the control tree here once windows carry one;
    // until then the back buffer keeps the background it was cleared to.
}

void CWindow::redrawWindow()
{
    if (INativeWindowSystem *system = nativeSystem())
    {
        system->invalidate(m_windowHandle, nullptr);
    }
}

void CWindow::redrawWindow(const CRect &area)
{
    if (INativeWindowSystem *system = nativeSystem())
    {
        const Graphics::SPixelBox box = boxOf(area);
        system->invalidate(m_windowHandle, &box);
    }
}

void CWindow::setWindowPosition(const CPoint &position)
{
    m_position = position;
    m_area.setOrigin(position);
    applyArea();
    if (m_windowChangeListener)
    {
        m_windowChangeListener->windowMoved(this, m_position);
    }
}

void CWindow::setWindowSize(const CDimension &size)
{
    m_size = size;
    m_area.setDimension(size);
    applyArea();
    redrawWindow();
    if (m_windowChangeListener)
    {
        m_windowChangeListener->windowResized(this, m_size);
    }
}

void CWindow::setWindowArea(const CRect &area)
{
    m_area = area;
    m_position.setPoint(area.getLeft(), area.getTop());
    m_size.setDimension(area.getWidth(), area.getHeight());
    applyArea();
    if (m_windowChangeListener)
    {
        m_windowChangeListener->windowMoved(this, m_position);
        m_windowChangeListener->windowResized(this, m_size);
    }
}

void CWindow::setAlphaValue(double alpha)
{
    m_attributes.setAlpha(alpha);
    if (INativeWindowSystem *system = nativeSystem())
    {
        // Clamped first: 1.004 must stay opaque, not wrap round to transparent.
        const double opacity = std::isnan(alpha) ? 0.0 : std::clamp(alpha, 0.0, 1.0);
        system->setOpacity(m_windowHandle, static_cast<uint8_t>(opacity * 255.0));
    }
}

void CWindow::startTimer(long id, long milliseconds)
{
    if (id == 0)
    {
        throw CException("Timer id's cannot be zero on Windows platforms",
                         "CWindow::startTimer(const long, const long)", true);
    }
    if (INativeWindowSystem *system = nativeSystem())
    {
        system->startTimer(m_windowHandle, id, milliseconds);
    }
}

void CWindow::stopTimer(long id)
{
    INativeWindowSystem *system = nativeSystem();
    if (system && m_timedObjects.containsTimer(id))
    {
        system->stopTimer(m_windowHandle, id);
    }
}

void CWindow::stopAllTimers()
{
    for (long id : m_timedObjects.getTimerIds())
    {
        stopTimer(id);
    }
    m_timedObjects.clear();
}

bool CWindow::createWindow()
{
    INativeWindowSystem *system = INativeWindowSystem::current();
    if (!system)
    {
        throw CException("No native window system is installed", "CWindow::createWindow()", true);
    }
    const std::string className = makeClassName();
    if (!system->registerClass(className, m_attributes.hasDropShadow(), m_attributes.getIcon()))
    {
        return false;
    }
    SNativeWindowSpec spec;
    spec.className = className;
    spec.title = m_attributes.getTitle().getString();
    spec.style = m_attributes.getWindowStyle();
    spec.extendedStyle = m_attributes.getExtendedWindowStyle();
    spec.area = m_area;
    spec.parent = m_parentWindow ? m_parentWindow->getWindowHandle() : 0;
    spec.backgroundColour = m_attributes.getBackgroundColour().toColorRef();
    std::string error;
    const Basics::NativeWindowHandle handle = system->createWindow(spec, this, error);
    if (!handle)
    {
        throw CException(error.c_str(), "CWindow::createWindow()", true);
    }
    m_windowHandle = handle;
    m_mouse.setWindowHandle(handle);
    m_windowExists = true;
    setAlphaValue(m_attributes.getAlpha());
    if (!m_attributes.isEnabled())
    {
        disableWindow();
    }
    m_graphics.getNativeImage()->setBackgroundColour(m_attributes.getBackgroundColour());
    return true;
}

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
    const SModifierState modifiers = modifiersHeld();
    m_keyboardEvent.setModifiers(modifiers.shift, modifiers.alt, modifiers.ctrl);
    const bool used = message == e_keyDown ? m_keyboardListener->handleKeyDown(m_keyboardEvent)
                                           : m_keyboardListener->handleKeyUp(m_keyboardEvent);
    return used ? 0 : 1;
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

bool CWindow::windowClosed(IWindow *)
{
    if (m_isApplicationMainWindow)
    {
        s_quitRequested = true;
    }
    return true;
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

bool CWindow::takeQuitRequest()
{
    return std::exchange(s_quitRequested, false);
}

void CWindow::applyArea()
{
    if (INativeWindowSystem *system = nativeSystem())
    {
        system->setWindowArea(m_windowHandle, m_area);
    }
}

void CWindow::forgetNativeWindow()
{
    m_windowHandle = 0;
    m_mouse.setWindowHandle(0);
    m_windowExists = false;
    m_buttonsHeld = 0;
}

std::string CWindow::makeClassName() const
{
    return std::string(CLASS_NAME_PREFIX) + ::Orvalite::Basics::CApplicationInformation::getProductName().getString() +
           "." + m_attributes.getTitle().getString();
}

INativeWindowSystem *CWindow::nativeSystem() const
{
    return m_windowHandle ? INativeWindowSystem::current() : nullptr;
}
} // namespace Orvalite::GUI::Windowing
