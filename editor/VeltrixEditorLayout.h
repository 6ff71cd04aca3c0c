// The editor's panel as data: one row per control with the parameter it shows,
// its place, its read-out's place and colour, and how its read-out is written.
#pragma once

#include "gui/basics/CAlphaColour.h"

#include <cstddef>

class CVstParam;

namespace Orvalite::Veltrix
{
constexpr long PANEL_WIDTH = 400;
constexpr long PANEL_HEIGHT = 466;
constexpr long READOUT_WIDTH = 96;
constexpr long READOUT_HEIGHT = 20;
// Frames of the knob's film strip, stacked vertically from value 0 to value 1.
constexpr long KNOB_FRAMES = 129;
// Control ids beyond the parameters: the about button and the A/B switch
// (which the effect takes as parameter 26).
constexpr long ABOUT_BUTTON_ID = 25;
constexpr long AB_SWITCH_ID = 26;
constexpr long ABOUT_BUTTON_LEFT = 367;
// Ids 0 … LAST_CONTROL_ID, of which 18 … 25 show nothing.
constexpr long LAST_CONTROL_ID = AB_SWITCH_ID;

struct SEditorControl
{
    enum class EKind
    {
        Knob,
        LatchingButton,
    };
    enum class EGroup
    {
        Master,
        VoiceOne,
        VoiceTwo,
    };

    long id;
    EKind kind;
    long left;
    long top;
    long readoutLeft;
    long readoutTop;
    EGroup group;
};

// Every knob, then every latching button, in the order they are created.
constexpr size_t NUMBER_OF_EDITOR_CONTROLS = 19;
extern const SEditorControl EDITOR_CONTROLS[NUMBER_OF_EDITOR_CONTROLS];

// Whether the editor shows parameter or control `id` (0 … 17 and the A/B switch).
bool isShownId(long id);
Orvalite::GUI::Basics::CAlphaColour readoutColour(SEditorControl::EGroup group);
// The read-out of parameter `id` (0 … 17) from its mirror parameter, cut to
// `size` bytes; an empty text for any other id.
void formatReadout(long id, const CVstParam &parameter, char *text, size_t size);
} // namespace Orvalite::Veltrix
