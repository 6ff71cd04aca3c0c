// The pointer as one window sees it: its position in the window, the cursor
// shown over the window, and the capture helpers. Each window owns one.
#pragma once

#include "foundation/mathtools/CPoint.h"
#include "gui/basics/NativeWindowHandle.h"

#include <cstdint>

namespace Orvalite::GUI::Windowing
{
class CCursor;
class IWindow;

class CMouse
{
public:
    CMouse();
    virtual ~CMouse() = default;

    void setPosition(const MathTools::CPoint &position) { m_position = position; }
    // A position packed as in mouse messages: signed 16-bit x in the low word, y in the high word.
    void setPosition(intptr_t packedPosition) { m_position = unpackPosition(packedPosition); }
    const MathTools::CPoint &getPosition() const { return m_position; }

    // Stores the cursor and shows it over the window at once; null is ignored.
    void setCursor(CCursor *cursor);
    CCursor *getCursor() const { return m_cursor; }
    // The window the cursor is shown over; 0 while it has no native window.
    void setWindowHandle(Basics::NativeWindowHandle handle) { m_windowHandle = handle; }

    void captureMouse(const IWindow &window);
    void releaseMouse();
    // Whether any window, ours or not, holds the capture.
    bool isMouseCaptured() const;
    bool isCapturedBy(const IWindow &window) const;

    // Both words read as signed, so a point left of or above the window is negative.
    static MathTools::CPoint unpackPosition(intptr_t packedPosition);

private:
    MathTools::CPoint m_position;
    CCursor *m_cursor;
    Basics::NativeWindowHandle m_windowHandle = 0;
};
} // namespace Orvalite::GUI::Windowing
