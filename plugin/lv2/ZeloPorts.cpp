#include "plugin/lv2/ZeloPorts.h"

#include "effect/VeltrixFactoryPresets.h"
#include "effect/VeltrixParameterTable.h"

#include <algorithm>
#include <cmath>

namespace Zelo::Lv2
{
namespace
{
using Orvalite::Veltrix::AB_SELECTOR_INDEX;
using Orvalite::Veltrix::PARAMETER_GRAIN_SIZE;
using Orvalite::Veltrix::SParameterDefinition;

const SParameterDefinition *carriedDefinition(long index)
{
    return index >= 0 && index < static_cast<long>(NUMBER_OF_PARAMETER_PORTS)
               ? Orvalite::Veltrix::findParameterDefinition(static_cast<int>(index))
               : nullptr;
}

// The range in double arithmetic, rounded once: neighbouring normalised values
// stay apart wherever the port's float can tell them apart.
float linearPortValue(const SParameterDefinition &definition, float normalised)
{
    const double span = static_cast<double>(definition.maximum) - definition.minimum;
    return static_cast<float>(definition.minimum + span * normalised);
}

// Several normalised floats can give one port value; the one a factory program
// holds wins, so every preset reaches the effect exactly as the program has it.
bool findFactoryValue(long index, float portValue, float &normalised)
{
    for (int program = 0; program < Orvalite::Veltrix::NUMBER_OF_PROGRAMS; ++program)
    {
        for (float value : {Orvalite::Veltrix::getFactoryValueA(program, static_cast<int>(index)),
                            Orvalite::Veltrix::getFactoryValueB(program, static_cast<int>(index))})
        {
            if (toPortValue(index, value) == portValue)
            {
                normalised = value;
                return true;
            }
        }
    }
    return false;
}
} // namespace

long parameterOfPort(uint32_t port)
{
    if (port == PORT_HALF)
    {
        return AB_SELECTOR_INDEX;
    }
    return port >= FIRST_PARAMETER_PORT && port < PORT_HALF ? static_cast<long>(port - FIRST_PARAMETER_PORT) : -1;
}

uint32_t portOfParameter(long index)
{
    if (index == AB_SELECTOR_INDEX)
    {
        return PORT_HALF;
    }
    return carriedDefinition(index) ? FIRST_PARAMETER_PORT + static_cast<uint32_t>(index) : NO_PORT;
}

// Selections pick their entry as the effect's select parameter does: the integer
// part of twice the value; the A/B selector is B for any non-zero integer part.
float toPortValue(long index, float normalised)
{
    if (index == AB_SELECTOR_INDEX)
    {
        return std::trunc(normalised) != 0.0f ? 1.0f : 0.0f;
    }
    const SParameterDefinition *definition = carriedDefinition(index);
    if (!definition)
    {
        return normalised;
    }
    if (definition->kind == SParameterDefinition::EKind::Select)
    {
        return std::clamp(std::trunc(2.0f * normalised), 0.0f, 1.0f);
    }
    return linearPortValue(*definition, normalised);
}

// Toggles (the A/B selector, Sync Audio) are on above 0 as LV2 hosts treat them;
// Grain Size, an enumeration, takes the nearer entry.
float toNormalised(long index, float portValue)
{
    if (index == AB_SELECTOR_INDEX)
    {
        return portValue > 0.0f ? 1.0f : 0.0f;
    }
    const SParameterDefinition *definition = carriedDefinition(index);
    if (!definition || !std::isfinite(portValue))
    {
        return portValue;
    }
    if (definition->kind == SParameterDefinition::EKind::Select)
    {
        const bool second = index == PARAMETER_GRAIN_SIZE ? portValue >= 0.5f : portValue > 0.0f;
        return second ? 1.0f : 0.0f;
    }
    float normalised = 0.0f;
    if (findFactoryValue(index, portValue, normalised))
    {
        return normalised;
    }
    return static_cast<float>(Orvalite::Veltrix::normalisedWithin(definition->minimum, definition->maximum, portValue));
}
} // namespace Zelo::Lv2
