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
// The current program's name, right-aligned in the header between the title
// and the about button; its id follows the controls'.
constexpr long PROGRAM_NAME_ID = LAST_CONTROL_ID + 1;
constexpr long PROGRAM_NAME_LEFT = 250;
constexpr long PROGRAM_NAME_TOP = 8;
constexpr long PROGRAM_NAME_WIDTH = 110;
constexpr long PROGRAM_NAME_HEIGHT = 22;

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
// Whether the host records automation of parameter `id` (0 … 17; the A/B switch is none).
bool isRecordedParameter(long id);
Orvalite::GUI::Basics::CAlphaColour readoutColour(SEditorControl::EGroup group);
// The read-out of parameter `id` (0 … 17) from its mirror parameter, cut to
// `size` bytes; an empty text for any other id.
void formatReadout(long id, const CVstParam &parameter, char *text, size_t size);

// The real range the read-out of parameter `id` (0 … 17) shows: the
// parameter's own, except the pans, which read -1 … 1 (left to right) where
// the host sees 0 … 1. Meaningful for the parameters with a real range only.
struct SReadoutRange
{
    float minimum;
    float maximum;
};
SReadoutRange readoutRange(long id);
// The unit after the read-out's number ("dB", "ms", "Cents", "%", "Hz"): empty
// for none, for the read-outs that show an entry's name and for any other id.
const char *readoutUnit(long id);
} // namespace Orvalite::Veltrix
