// The effect's 23 parameters as data: name, kind, range, unit and the value
// each object starts with, and the factory that builds them in index order.
// The effect and the editor's mirror set are both built from this table.
#pragma once

#include "effect/VeltrixProgram.h"

class CVstParam;

namespace Orvalite::Veltrix
{
// VST parameter indices, which are also the entries of a program half.
enum EParameterIndex : int
{
    PARAMETER_MASTER = 0,
    PARAMETER_PAN_TWO,
    PARAMETER_PITCH_ONE,
    PARAMETER_PITCH_TWO,
    PARAMETER_GAIN_ONE,
    PARAMETER_RIGHT_GAIN,
    PARAMETER_PAN_ONE,
    PARAMETER_DRY_GAIN,
    PARAMETER_GRAIN_SIZE,
    PARAMETER_DELAY_ONE,
    PARAMETER_DELAY_TWO,
    PARAMETER_FEEDBACK_ONE,
    PARAMETER_FEEDBACK_TWO,
    PARAMETER_LFO_RATE_ONE,
    PARAMETER_LFO_RATE_TWO,
    PARAMETER_LFO_DEPTH_ONE,
    PARAMETER_LFO_DEPTH_TWO,
    PARAMETER_SYNC_AUDIO,
    // Five placeholders, 18 … 22, that drive nothing.
    PARAMETER_FIRST_BLANK,
};

// Not a parameter object: a value sent to this index switches the live half of the programs.
constexpr int AB_SELECTOR_INDEX = 26;

struct SParameterDefinition
{
    enum class EKind
    {
        Float,
        Select,
    };

    const char *name;
    EKind kind;
    // Float: the real range and the real value at construction. Select: unused.
    float minimum;
    float maximum;
    float initialReal;
    // Select objects always carry the label " ".
    const char *label;
    // Select only: the two entry names.
    const char *entries[2];
};

// The definition of parameter `index`, or null outside 0 … NUMBER_OF_PARAMETERS - 1.
const SParameterDefinition *findParameterDefinition(int index);

// Where `real` lies within minimum … maximum, as 0 … 1 (clamped), in double arithmetic.
double normalisedWithin(double minimum, double maximum, double real);

// A new, unreferenced parameter object for `index` (the caller takes the
// reference that keeps it), or null outside 0 … NUMBER_OF_PARAMETERS - 1.
CVstParam *createParameter(int index);
} // namespace Orvalite::Veltrix
