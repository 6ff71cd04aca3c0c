// The port layout and the port-value conversions against the effect's tables.
#include "plugin/lv2/ZeloPorts.h"
#include "effect/VeltrixFactoryPresets.h"
#include "effect/VeltrixParameterTable.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
using namespace Zelo::Lv2;
using Orvalite::Veltrix::AB_SELECTOR_INDEX;
using Orvalite::Veltrix::NUMBER_OF_PROGRAMS;
using Orvalite::Veltrix::SParameterDefinition;

TEST(ZeloPorts, ParametersAndPortsMapBothWays)
{
    for (uint32_t port = 0; port < NUMBER_OF_PORTS + 2; ++port)
    {
        const long index = parameterOfPort(port);
        const bool carries = port >= FIRST_PARAMETER_PORT && port <= PORT_HALF;
        EXPECT_EQ(index >= 0, carries) << "port " << port;
        if (carries)
        {
            EXPECT_EQ(portOfParameter(index), port) << "port " << port;
        }
    }
    EXPECT_EQ(parameterOfPort(PORT_HALF), AB_SELECTOR_INDEX);
    for (long blank : {18L, 22L, -1L, 23L})
    {
        EXPECT_EQ(portOfParameter(blank), NO_PORT) << "parameter " << blank;
    }
}

// Every factory value of both halves comes back bit for bit after a trip through
// a float port; a selection keeps its entry (the port holds only the entry number).
TEST(ZeloPorts, FactoryValuesSurviveTheRoundTrip)
{
    for (int program = 0; program < NUMBER_OF_PROGRAMS; ++program)
    {
        for (bool isHalfB : {false, true})
        {
            for (long index = 0; index < static_cast<long>(NUMBER_OF_PARAMETER_PORTS); ++index)
            {
                const int entry = static_cast<int>(index);
                const float value = isHalfB ? Orvalite::Veltrix::getFactoryValueB(program, entry)
                                            : Orvalite::Veltrix::getFactoryValueA(program, entry);
                const volatile float port = toPortValue(index, value);
                const float back = toNormalised(index, port);
                const auto &definition = *Orvalite::Veltrix::findParameterDefinition(entry);
                if (definition.kind == SParameterDefinition::EKind::Select)
                {
                    EXPECT_EQ(std::trunc(2.0f * back) >= 1.0f, std::trunc(2.0f * value) >= 1.0f)
                        << definition.name << " of program " << program << (isHalfB ? " B" : " A");
                }
                else
                {
                    EXPECT_EQ(back, value) << definition.name << " of program " << program << (isHalfB ? " B" : " A");
                }
            }
        }
    }
}

struct SConversion
{
    long index;
    float normalised;
    float port;
};

// Port values in the parameters' own units, as the parameter table defines them.
const SConversion CONVERSIONS[] = {
    {0, 0.0f, -20.0f},
    {0, 1.0f, 20.0f},
    {0, 0.5f, 0.0f},
    {1, 0.25f, 0.25f},
    {2, 0.75f, 50.0f},
    {4, 0.5f, -20.0f},
    {7, 1.0f, 0.0f},
    {7, 0.0f, -40.0f},
    {8, 0.49f, 0.0f},
    {8, 0.5f, 1.0f},
    {9, 0.5f, 60.0f},
    {11, 0.2f, 20.0f},
    {13, 0.0f, 0.01f},
    {15, 0.0f, -100.0f},
    {17, 1.0f, 1.0f},
    {AB_SELECTOR_INDEX, 1.0f, 1.0f},
    {AB_SELECTOR_INDEX, 0.0f, 0.0f},
};

TEST(ZeloPorts, PortValuesAreInTheParametersUnitsAndHeldToTheirRange)
{
    for (const SConversion &conversion : CONVERSIONS)
    {
        EXPECT_FLOAT_EQ(toPortValue(conversion.index, conversion.normalised), conversion.port)
            << "parameter " << conversion.index << " at " << conversion.normalised;
    }
    EXPECT_EQ(toNormalised(0, 100.0f), 1.0f);
    EXPECT_EQ(toNormalised(9, 0.0f), 0.0f);
    EXPECT_EQ(toNormalised(8, 7.0f), 1.0f);
    EXPECT_EQ(toNormalised(AB_SELECTOR_INDEX, -1.0f), 0.0f);
}
} // namespace
