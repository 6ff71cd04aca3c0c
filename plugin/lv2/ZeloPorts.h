// The LV2 plug-in's ports: their numbers, which effect parameter each carries,
// and the conversion between a port's value in the parameter's own units and the
// effect's normalised value. The DSP module, the UI module and the Turtle
// generator all take the port layout from here.
#pragma once

#include <cstdint>

namespace Zelo::Lv2
{
constexpr uint32_t PORT_IN_LEFT = 0;
constexpr uint32_t PORT_IN_RIGHT = 1;
constexpr uint32_t PORT_OUT_LEFT = 2;
constexpr uint32_t PORT_OUT_RIGHT = 3;
// Ports 4 … 21 carry parameters 0 … 17 in index order.
constexpr uint32_t FIRST_PARAMETER_PORT = 4;
constexpr uint32_t NUMBER_OF_PARAMETER_PORTS = 18;
// The A/B selector: 0 is the A half, 1 the B half.
constexpr uint32_t PORT_HALF = FIRST_PARAMETER_PORT + NUMBER_OF_PARAMETER_PORTS;
// Control output: the effect's latency in frames.
constexpr uint32_t PORT_LATENCY = PORT_HALF + 1;
// Atom sequence of MIDI events; hosts may leave it unconnected.
constexpr uint32_t PORT_MIDI_IN = PORT_LATENCY + 1;
constexpr uint32_t NUMBER_OF_PORTS = PORT_MIDI_IN + 1;
// What portOfParameter answers for a parameter no port carries.
constexpr uint32_t NO_PORT = UINT32_MAX;

// The effect parameter a control input port carries (the A/B selector index for
// PORT_HALF), or -1 for any other port.
long parameterOfPort(uint32_t port);
// The control input port that carries parameter `index`, or NO_PORT.
uint32_t portOfParameter(long index);

// A normalised value in the parameter's own units: linear over the parameter's
// range for the continuous ones, the entry number (0 or 1) for selections, 0 or 1
// for the A/B selector. Indices no port carries give the value unchanged.
float toPortValue(long index, float normalised);
// The inverse, held to 0 … 1. A port value that a factory program's value gives
// maps back to exactly that value, so the presets reach the effect bit for bit.
float toNormalised(long index, float portValue);
} // namespace Zelo::Lv2
