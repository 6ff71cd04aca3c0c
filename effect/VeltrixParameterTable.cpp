#include "effect/VeltrixParameterTable.h"

#include "effect/CVstParamFloat.h"
#include "effect/CVstParamSelect.h"

#include <algorithm>

namespace Orvalite::Veltrix
{
namespace
{
using EKind = SParameterDefinition::EKind;

// Units as hosts show them; parameters without a unit show one blank.
const char *const NO_UNIT = " ";
const char *const DECIBELS = "dB";
const char *const CENTS = "Cents";
const char *const MILLISECONDS = "ms";
const char *const PERCENT = "%";
const char *const HERTZ = "Hz";

const SParameterDefinition DEFINITIONS[NUMBER_OF_PARAMETERS] = {
    {"Master", EKind::Float, -20.0f, 20.0f, 0.0f, DECIBELS, {}},
    {"Pan Two", EKind::Float, 0.0f, 1.0f, 0.0f, NO_UNIT, {}},
    {"Pitch One", EKind::Float, -100.0f, 100.0f, 1.0f, CENTS, {}},
    {"Pitch Two", EKind::Float, -100.0f, 100.0f, 1.0f, CENTS, {}},
    {"Gain One", EKind::Float, -40.0f, 0.0f, 0.0f, DECIBELS, {}},
    {"Right Gain", EKind::Float, -40.0f, 0.0f, 0.0f, DECIBELS, {}},
    {"Pan One", EKind::Float, 0.0f, 1.0f, 1.0f, NO_UNIT, {}},
    // In decibels like the other gains, but its label has always been a blank: keep it so.
    {"Dry Gain", EKind::Float, -40.0f, 0.0f, 0.5f, NO_UNIT, {}},
    {"Grain Size", EKind::Select, 0.0f, 1.0f, 0.0f, NO_UNIT, {"Small", "Large"}},
    // Real values start below the range (normalised -0.25) until a program is loaded.
    {"Delay One", EKind::Float, 20.0f, 100.0f, 0.0f, MILLISECONDS, {}},
    {"Delay Two", EKind::Float, 20.0f, 100.0f, 0.0f, MILLISECONDS, {}},
    {"FeedBack One", EKind::Float, 0.0f, 100.0f, 0.0f, PERCENT, {}},
    {"FeedBack Two", EKind::Float, 0.0f, 100.0f, 0.0f, PERCENT, {}},
    {"Lfo Rate One", EKind::Float, 0.01f, 5.0f, 0.5f, HERTZ, {}},
    {"Lfo Rate Two", EKind::Float, 0.01f, 5.0f, 0.5f, HERTZ, {}},
    {"Lfo Depth One", EKind::Float, -100.0f, 100.0f, 0.5f, PERCENT, {}},
    {"Lfo Depth Two", EKind::Float, -100.0f, 100.0f, 0.5f, PERCENT, {}},
    {"Sync Audio", EKind::Select, 0.0f, 1.0f, 0.0f, NO_UNIT, {"Off", "On"}},
    {"Blank", EKind::Float, 0.0f, 1.0f, 0.5f, NO_UNIT, {}},
    {"Blank", EKind::Float, 0.0f, 1.0f, 0.5f, NO_UNIT, {}},
    {"Blank", EKind::Float, 0.0f, 1.0f, 0.5f, NO_UNIT, {}},
    {"Blank", EKind::Float, 0.0f, 1.0f, 0.5f, NO_UNIT, {}},
    {"Blank", EKind::Float, 0.0f, 1.0f, 0.5f, NO_UNIT, {}},
};
} // namespace

const SParameterDefinition *findParameterDefinition(int index)
{
    return index >= 0 && index < NUMBER_OF_PARAMETERS ? &DEFINITIONS[index] : nullptr;
}

double normalisedWithin(double minimum, double maximum, double real)
{
    return std::clamp((real - minimum) / (maximum - minimum), 0.0, 1.0);
}

CVstParam *createParameter(int index)
{
    const SParameterDefinition *definition = findParameterDefinition(index);
    if (!definition)
    {
        return nullptr;
    }
    if (definition->kind == EKind::Select)
    {
        return new CVstParamSelect(definition->name, definition->entries[0], definition->entries[1]);
    }
    return new CVstParamFloat(definition->name, definition->label, definition->minimum, definition->maximum,
                              definition->initialReal);
}
} // namespace Orvalite::Veltrix
