// A control for the control tests: it records what reaches it, in its own
// coordinates, and paints itself in one colour. Owned by the root it joins.
#pragma once

#include "gui/controls/base/CControl.h"
#include "gui/events/CDropEvent.h"
#include "gui/events/CKeyboardEvent.h"
#include "gui/events/CMouseEvent.h"
#include "gui/graphics/CGraphics.h"

#include <functional>
#include <string>
#include <vector>

namespace Orvalite::Testing
{
class CRecordingControl : public GUI::Controls::CControl
{
public:
    CRecordingControl(GUI::Controls::IControlRoot *root, const MathTools::CRect &area,
                      const GUI::Basics::CAlphaColour &colour, std::vector<std::string> *log)
        : CControl(root, 0, area), m_colour(colour), m_log(log)
    {
    }

    // A press holds the pointer until its release, as a drag does.
    void handleLeftButtonDown(const GUI::Events::CMouseEvent &event) override
    {
        record("down", event);
        getControlRoot()->lockControl(this);
    }
    void handleLeftButtonUp(const GUI::Events::CMouseEvent &event) override
    {
        record("up", event);
        getControlRoot()->unlockControl();
    }
    void handleMouseMovement(const GUI::Events::CMouseEvent &event) override { record("move", event); }
    bool handleKeyDown(const GUI::Events::CKeyboardEvent &event) override
    {
        m_log->push_back(std::string(getName().getString()) + " key " + std::to_string(event.getKeyCode()));
        return true;
    }
    void handleFileDrop(const GUI::Events::CDropEvent &event) override
    {
        const MathTools::CPoint &point = event.getDropPoint();
        m_log->push_back(std::string(getName().getString()) + " drop " + std::to_string(point.getXPosition()) + "," +
                         std::to_string(point.getYPosition()) + " " + event.getFileNames().at(0).getString());
    }
    void drawControl(GUI::Graphics::CGraphics &graphics) override
    {
        graphics.getBrush()->setColour(m_colour);
        graphics.fillRectangle(getNormalisedArea());
    }

    // Runs once, inside the next handler, after the event was recorded.
    std::function<void()> m_duringHandler;

private:
    void record(const char *what, const GUI::Events::CMouseEvent &event)
    {
        const MathTools::CPoint before = event.getMousePosition();
        if (std::function<void()> nested = std::move(m_duringHandler))
        {
            m_duringHandler = nullptr;
            nested();
        }
        const MathTools::CPoint point = event.getMousePosition();
        m_log->push_back(std::string(getName().getString()) + " " + what + " " + std::to_string(point.getXPosition()) +
                         "," + std::to_string(point.getYPosition()) + (point == before ? "" : " (rewritten)"));
    }

    GUI::Basics::CAlphaColour m_colour;
    std::vector<std::string> *m_log;
};
} // namespace Orvalite::Testing
