#include "editor/VeltrixEditorLayout.h"

#include "effect/CVstParam.h"
#include "effect/VeltrixParameterTable.h"

#include <cstdio>

namespace Orvalite::Veltrix
{
namespace
{
using EKind = SEditorControl::EKind;
using EGroup = SEditorControl::EGroup;

// printf format of the real value and the unit after it; a null format shows
// the parameter's own display (the selected entry's name) instead.
struct SReadoutFormat
{
    const char *format;
    const char *unit;
};

const SReadoutFormat READOUT_FORMATS[PARAMETER_SYNC_AUDIO + 1] = {
    {"%.3f", " dB"},    // Master
    {"%.3f", ""},       // Pan Two
    {" %.f", " Cents"}, // Pitch One
    {" %.f", " Cents"}, // Pitch Two
    {"%.3f", " dB"},    // Gain One
    {"%.3f", " dB"},    // Right Gain
    {"%.3f", ""},       // Pan One
    {"%.3f", " dB"},    // Dry Gain
    {nullptr, " "},     // Grain Size
    {" %.1f", " ms"},   // Delay One
    {" %.1f", " ms"},   // Delay Two
    {" %.1f", " %"},    // FeedBack One
    {" %.1f", " %"},    // FeedBack Two
    {" %.2f", " Hz"},   // Lfo Rate One
    {" %.2f", " Hz"},   // Lfo Rate Two
    {" %.f", " %"},     // Lfo Depth One
    {" %.f", " %"},     // Lfo Depth Two
    {nullptr, " "},     // Sync Audio
};
} // namespace

const SEditorControl EDITOR_CONTROLS[NUMBER_OF_EDITOR_CONTROLS] = {
    {PARAMETER_MASTER, EKind::Knob, 143, 416, 191, 428, EGroup::Master},
    {PARAMETER_PITCH_ONE, EKind::Knob, 2, 83, 46, 93, EGroup::VoiceOne},
    {PARAMETER_PAN_ONE, EKind::Knob, 2, 141, 47, 151, EGroup::VoiceOne},
    {PARAMETER_DELAY_ONE, EKind::Knob, 2, 197, 46, 205, EGroup::VoiceOne},
    {PARAMETER_FEEDBACK_ONE, EKind::Knob, 2, 253, 46, 263, EGroup::VoiceOne},
    {PARAMETER_LFO_RATE_ONE, EKind::Knob, 2, 307, 46, 316, EGroup::VoiceOne},
    {PARAMETER_LFO_DEPTH_ONE, EKind::Knob, 2, 363, 46, 373, EGroup::VoiceOne},
    {PARAMETER_GAIN_ONE, EKind::Knob, 2, 419, 48, 429, EGroup::VoiceOne},
    {PARAMETER_PAN_TWO, EKind::Knob, 358, 141, 289, 151, EGroup::VoiceTwo},
    {PARAMETER_PITCH_TWO, EKind::Knob, 358, 83, 286, 93, EGroup::VoiceTwo},
    {PARAMETER_DELAY_TWO, EKind::Knob, 358, 197, 286, 205, EGroup::VoiceTwo},
    {PARAMETER_FEEDBACK_TWO, EKind::Knob, 358, 253, 286, 263, EGroup::VoiceTwo},
    {PARAMETER_LFO_RATE_TWO, EKind::Knob, 358, 307, 286, 316, EGroup::VoiceTwo},
    {PARAMETER_LFO_DEPTH_TWO, EKind::Knob, 358, 363, 286, 373, EGroup::VoiceTwo},
    {PARAMETER_RIGHT_GAIN, EKind::Knob, 358, 419, 289, 429, EGroup::VoiceTwo},
    {PARAMETER_DRY_GAIN, EKind::Knob, 143, 250, 191, 262, EGroup::Master},
    {PARAMETER_GRAIN_SIZE, EKind::LatchingButton, 143, 372, 191, 372, EGroup::Master},
    {AB_SWITCH_ID, EKind::LatchingButton, 143, 151, 191, 151, EGroup::Master},
    {PARAMETER_SYNC_AUDIO, EKind::LatchingButton, 143, 316, 191, 316, EGroup::Master},
};

bool isRecordedParameter(long id)
{
    return id >= 0 && id <= PARAMETER_SYNC_AUDIO;
}

bool isShownId(long id)
{
    return isRecordedParameter(id) || id == AB_SWITCH_ID;
}

GUI::Basics::CAlphaColour readoutColour(EGroup group)
{
    switch (group)
    {
    case EGroup::VoiceOne:
        return GUI::Basics::CAlphaColour(186, 224, 154, 255);
    case EGroup::VoiceTwo:
        return GUI::Basics::CAlphaColour(138, 211, 238, 255);
    default:
        return GUI::Basics::CAlphaColour(255, 120, 120, 255);
    }
}

void formatReadout(long id, const CVstParam &parameter, char *text, size_t size)
{
    if (size == 0)
    {
        return;
    }
    text[0] = '\0';
    if (id < 0 || id > PARAMETER_SYNC_AUDIO)
    {
        return;
    }
    const SReadoutFormat &format = READOUT_FORMATS[id];
    char number[CVstParam::TEXT_SIZE] = {};
    if (format.format)
    {
        // The mirror holds values within 0 … 1, so the real value is bounded by its range.
        std::snprintf(number, sizeof(number), format.format, parameter.getRealValue());
    }
    else
    {
        parameter.getDisplay(number);
    }
    std::snprintf(text, size, "%s%s", number, format.unit);
}

SReadoutRange readoutRange(long id)
{
    if (id == PARAMETER_PAN_ONE || id == PARAMETER_PAN_TWO)
    {
        return {-1.0f, 1.0f};
    }
    const SParameterDefinition *definition = findParameterDefinition(static_cast<int>(id));
    return definition ? SReadoutRange{definition->minimum, definition->maximum} : SReadoutRange{0.0f, 1.0f};
}

const char *readoutUnit(long id)
{
    if (id < 0 || id > PARAMETER_SYNC_AUDIO || !READOUT_FORMATS[id].format)
    {
        return "";
    }
    const char *unit = READOUT_FORMATS[id].unit;
    return *unit == ' ' ? unit + 1 : unit;
}
} // namespace Orvalite::Veltrix
