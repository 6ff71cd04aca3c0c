// Where the editor puts its controls and read-outs on the 400 x 466 panel, and
// the read-out colours it draws with: the skin's pictures are drawn to fit them.
#pragma once

#include "tools/skin/CSkinCanvas.h"

#include <string>
#include <vector>

namespace Zelo::Tools
{
class CSkinLayout
{
public:
    enum class Kind
    {
        knob,
        button
    };

    enum class Group
    {
        voiceOne,
        master,
        voiceTwo
    };

    struct Control
    {
        Kind kind;
        Group group;
        // The control's top-left corner.
        int left;
        int top;
        // The read-out field's top-left corner; the field is READOUT_WIDTH x READOUT_HEIGHT.
        int readoutLeft;
        int readoutTop;
        std::string caption;
    };

    static constexpr int PANEL_WIDTH = 400;
    static constexpr int PANEL_HEIGHT = 466;
    static constexpr int KNOB_SIZE = 40;
    // Frames of the knob's film strip, value 0 at the top, value 1 at the bottom.
    static constexpr int KNOB_FRAMES = 129;
    // The pointer's angle clockwise from straight up at values 0 and 1, in degrees.
    static constexpr double KNOB_SWEEP = 135.0;
    static constexpr int BUTTON_WIDTH = 40;
    static constexpr int BUTTON_HEIGHT = 20;
    static constexpr int READOUT_WIDTH = 96;
    static constexpr int READOUT_HEIGHT = 20;
    // The about button's square in the top-right corner.
    static constexpr int ABOUT_LEFT = 367;
    static constexpr int ABOUT_SIZE = 33;

    static const std::vector<Control> &controls();
    static CSkinCanvas::Colour readoutColour(Group group);
    static std::string title(Group group);
    // The horizontal middle of a group's column of controls and read-outs.
    static double columnCentre(Group group);
};
} // namespace Zelo::Tools
