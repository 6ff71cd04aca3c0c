#include "gui/windowing/CMouse.h"

#include "gui/windowing/CCursor.h"
#include "gui/windowing/INativeWindowSystem.h"
#include "gui/windowing/IWindow.h"

namespace Orvalite::GUI::Windowing
{
CMouse::CMouse() : m_cursor(&CCursor::getSharedCursor(CCursor::e_arrow)) {}

void CMouse::setCursor(CCursor *cursor)
{
    if (cursor)
    {
        m_cursor = cursor;
        m_cursor->show(m_windowHandle);
    }
}

void CMouse::captureMouse(const IWindow &window)
{
    if (INativeWindowSystem *system = INativeWindowSystem::current(); system && window.getWindowHandle())
    {
        system->captureMouse(window.getWindowHandle());
    }
}

void CMouse::releaseMouse()
{
    if (INativeWindowSystem *system = INativeWindowSystem::current())
    {
        system->releaseMouse();
    }
}

bool CMouse::isMouseCaptured() const
{
    INativeWindowSystem *system = INativeWindowSystem::current();
    return system && system->getCapture() != 0;
}

bool CMouse::isCapturedBy(const IWindow &window) const
{
    INativeWindowSystem *system = INativeWindowSystem::current();
    return system && window.getWindowHandle() && system->getCapture() == window.getWindowHandle();
}

MathTools::CPoint CMouse::unpackPosition(intptr_t packedPosition)
{
    const auto word = static_cast<uintptr_t>(packedPosition);
    return MathTools::CPoint(static_cast<int16_t>(word & 0xFFFF), static_cast<int16_t>((word >> 16) & 0xFFFF));
}
} // namespace Orvalite::GUI::Windowing
