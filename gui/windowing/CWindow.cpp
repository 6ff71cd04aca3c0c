#include "gui/windowing/CWindow.h"

#include "foundation/basics/CApplicationInformation.h"
#include "foundation/basics/CException.h"
#include "gui/controls/base/CControlRoot.h"
#include "gui/windowing/WindowMessage.h"

#include <algorithm>
#include <cmath>
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

bool s_quitRequested = false;

Graphics::SPixelBox boxOf(const CRect &area)
{
    return {area.getLeft(), area.getTop(), area.getRight(), area.getBottom()};
}
} // namespace

CWindow::CWindow(const CRect &area, bool isApplicationMainWindow)
    : m_size(area.getWidth(), area.getHeight()), m_position(area.getLeft(), area.getTop()), m_area(area),
      m_isApplicationMainWindow(isApplicationMainWindow)
{
    m_controlRoot = new Controls::CControlRoot(this);
    m_controlRoot->referenced();
    m_mouseListener = m_controlRoot;
    m_keyboardListener = m_controlRoot;
    m_dropFileListener = m_controlRoot;
}

void CWindow::replaceControlRoot(Controls::CControlRoot *root)
{
    root->referenced();
    m_controlRoot->dereference();
    m_controlRoot = root;
    m_mouseListener = root;
    m_keyboardListener = root;
    m_dropFileListener = root;
}

CWindow::~CWindow()
{
    uninitialiseWindow();
    // Objects still listed (their timers never reached a native window) forget it too.
    m_timedObjects.clear();
    m_controlRoot->dereference();
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
    // A drag cut short by the window's end still ends: the control under it hears the release.
    if (m_mouseListener)
    {
        endDrag(e_leftButtonUp);
        endDrag(e_rightButtonUp);
    }
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

void CWindow::drawWindow(Graphics::CGraphics &graphics)
{
    m_controlRoot->drawRootControl(graphics);
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

void CWindow::takeKeyboardFocus()
{
    INativeWindowSystem *system = nativeSystem();
    if (system && !m_holdsKeyboardFocus)
    {
        m_focusBefore = system->takeKeyboardFocus(m_windowHandle);
        m_holdsKeyboardFocus = true;
    }
}

void CWindow::giveBackKeyboardFocus()
{
    INativeWindowSystem *system = nativeSystem();
    if (system && m_holdsKeyboardFocus)
    {
        system->restoreKeyboardFocus(m_windowHandle, m_focusBefore);
    }
    m_holdsKeyboardFocus = false;
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
bool CWindow::windowClosed(IWindow *)
{
    if (m_isApplicationMainWindow)
    {
        s_quitRequested = true;
    }
    return true;
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
    m_holdsKeyboardFocus = false;
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
