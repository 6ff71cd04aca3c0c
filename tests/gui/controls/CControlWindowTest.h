// A fixture for the control tests: a shown 200 × 150 window on the headless
// window system with the default font, messages injected by position, the
// screen read back, and controls added to the root reporting to a recorder.
#pragma once

#include "foundation/basics/CApplicationInformation.h"
#include "gui/controls/base/CControlRoot.h"
#include "gui/fonts/CFont.h"
#include "gui/windowing/CWindow.h"
#include "gui/windowing/WindowMessage.h"
#include "gui/windowing/headless/CHeadlessWindowSystem.h"
#include "tests/gui/controls/CActionRecorder.h"
#include "tests/gui/windowing/MessageParameters.h"

#include <gtest/gtest.h>

namespace Orvalite::Testing
{
class CControlWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        GUI::Windowing::INativeWindowSystem::install(&m_system);
        GUI::Fonts::CFont::createDefaultFont();
        m_window.intialiseWindow(m_window.getWindowAttributes(), true);
        m_handle = m_window.getWindowHandle();
    }
    void TearDown() override
    {
        root().clearControls();
        m_window.uninitialiseWindow();
        GUI::Fonts::CFont::releaseDefaultFont();
        GUI::Windowing::INativeWindowSystem::install(nullptr);
        Basics::CApplicationInformation::releaseApplicationInformation();
    }

    GUI::Controls::CControlRoot &root() { return m_window.getControlRoot(); }
    template <class T> T *add(const MathTools::CRect &area)
    {
        auto *control = new T(&root(), 1, area, &m_listener);
        root().addControl(control);
        return control;
    }
    size_t events() const { return m_listener.m_actions.size(); }
    intptr_t send(uint32_t message, int16_t x, int16_t y, uintptr_t wParam = 0)
    {
        return m_system.send(m_handle, message, wParam, pointParameter(x, y));
    }
    void click(int16_t x, int16_t y)
    {
        send(GUI::Windowing::e_leftButtonDown, x, y);
        send(GUI::Windowing::e_leftButtonUp, x, y);
    }
    // A move with the left button held, and a whole drag from one point to another.
    void drag(int16_t x, int16_t y) { send(GUI::Windowing::e_mouseMove, x, y, GUI::Windowing::e_leftButtonHeld); }
    void dragFrom(int16_t fromX, int16_t fromY, int16_t toX, int16_t toY)
    {
        send(GUI::Windowing::e_leftButtonDown, fromX, fromY);
        drag(toX, toY);
        send(GUI::Windowing::e_leftButtonUp, toX, toY);
    }
    // A wheel turn of `delta` (120 a notch) with the pointer at a point of the window.
    void wheel(int16_t delta, long x, long y)
    {
        m_system.setCursorPosition(MathTools::CPoint(x, y));
        m_system.send(m_handle, GUI::Windowing::e_mouseWheel, wheelParameter(delta), 0);
    }
    void key(uintptr_t virtualKey) { m_system.send(m_handle, GUI::Windowing::e_keyDown, virtualKey, 0); }
    void repaint()
    {
        m_window.redrawWindow();
        m_system.pump();
    }
    static uint32_t argb(long red, long green, long blue)
    {
        return GUI::Basics::CAlphaColour(red, green, blue).toARGB();
    }
    uint32_t pixel(long x, long y) const { return m_system.findWindow(m_handle)->screen.getPixel(x, y); }

    GUI::Windowing::CHeadlessWindowSystem m_system;
    GUI::Windowing::CWindow m_window{MathTools::CRect(0, 0, 200, 150)};
    GUI::Basics::NativeWindowHandle m_handle = 0;
    CActionRecorder m_listener;
};
} // namespace Orvalite::Testing
