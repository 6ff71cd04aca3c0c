// Hears everything a window reports and writes one line per call, with the
// position, wheel, key and modifier details a test compares.
#pragma once

#include "gui/events/CDropEvent.h"
#include "gui/events/CKeyboardEvent.h"
#include "gui/events/CMouseEvent.h"
#include "gui/listeners/IDropFileListener.h"
#include "gui/listeners/IKeyboardListener.h"
#include "gui/listeners/IMouseListener.h"
#include "gui/windowing/IFocusListener.h"
#include "gui/windowing/IWindow.h"
#include "gui/windowing/IWindowChangeListener.h"

#include <sstream>
#include <string>
#include <vector>

namespace Orvalite::Testing
{
class CRecordingListener : public GUI::Listeners::IMouseListener,
                           public GUI::Listeners::IKeyboardListener,
                           public GUI::Listeners::IDropFileListener,
                           public GUI::Windowing::IWindowChangeListener,
                           public GUI::Windowing::IFocusListener
{
public:
    using CMouseEvent = GUI::Events::CMouseEvent;
    using IWindow = GUI::Windowing::IWindow;

    // Every listener of the window becomes this one.
    void listenTo(IWindow &window)
    {
        window.registerMouseListener(this);
        window.registerKeyboardListener(this);
        window.registerDropFileListener(this);
        window.registerWindowChangeListener(this);
        window.registerFocusListener(this);
    }

    void referenced() override {}
    void dereference() override {}
    long getReferenceCount() const override { return 0; }
    void getObjectDescription(char *, long) const override {}
    Basics::CClass &getClass() const override { return Basics::CCountedObject::getClassRecord(); }

    void handleLeftButtonDown(const CMouseEvent &event) override { mouse("leftDown", event); }
    void handleLeftButtonUp(const CMouseEvent &event) override { mouse("leftUp", event); }
    void handleRightButtonDown(const CMouseEvent &event) override { mouse("rightDown", event); }
    void handleRightButtonUp(const CMouseEvent &event) override { mouse("rightUp", event); }
    void handleDoubleClick(const CMouseEvent &event) override { mouse("doubleClick", event); }
    void handleMouseScroll(const CMouseEvent &event) override
    {
        mouse("scroll", event);
        m_calls.back() += " wheel " + std::to_string(event.getWheelValue());
    }
    void handleMouseMovement(const CMouseEvent &event) override { mouse("move", event); }
    void handleMouseLeavingArea(const CMouseEvent &event) override { mouse("leave", event); }

    bool handleKeyDown(const GUI::Events::CKeyboardEvent &event) override { return key("keyDown", event); }
    bool handleKeyUp(const GUI::Events::CKeyboardEvent &event) override { return key("keyUp", event); }

    void handleFileDrop(const GUI::Events::CDropEvent &event) override
    {
        std::ostringstream line;
        line << "drop " << event.getDropPoint().getXPosition() << "," << event.getDropPoint().getYPosition();
        for (const Basics::CString &name : event.getFileNames())
            line << " " << name.getString();
        m_calls.push_back(line.str());
    }

    void windowResized(IWindow *, const MathTools::CDimension &size) override
    {
        m_calls.push_back("resized " + std::to_string(size.getWidth()) + "," + std::to_string(size.getHeight()));
    }
    void windowMoved(IWindow *, const MathTools::CPoint &position) override
    {
        m_calls.push_back("moved " + pointText(position));
    }
    bool windowClosed(IWindow *) override
    {
        m_calls.push_back("closed");
        return m_allowClose;
    }
    void gainedFocus(IWindow *) override { m_calls.push_back("gainedFocus"); }
    void lostFocus(IWindow *) override { m_calls.push_back("lostFocus"); }

    std::vector<std::string> m_calls;
    bool m_allowClose = true;
    bool m_useKeys = true;

private:
    static std::string pointText(const MathTools::CPoint &point)
    {
        return std::to_string(point.getXPosition()) + "," + std::to_string(point.getYPosition());
    }

    void mouse(const char *what, const CMouseEvent &event)
    {
        m_calls.push_back(std::string(what) + " " + pointText(event.getMousePosition()) +
                          (event.isControlDown() ? " ctrl" : "") + (event.isShiftDown() ? " shift" : "") +
                          (event.isAltDown() ? " alt" : ""));
    }

    bool key(const char *what, const GUI::Events::CKeyboardEvent &event)
    {
        m_calls.push_back(std::string(what) + " " + std::to_string(event.getKeyCode()) + " '" + event.getCharacter() +
                          "'" + (event.isVirtualKey() ? " virtual" : "") + (event.isShiftDown() ? " shift" : ""));
        return m_useKeys;
    }
};
} // namespace Orvalite::Testing
