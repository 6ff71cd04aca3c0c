#include "plugin/lv2/CZeloTurtle.h"

#include "effect/VeltrixDelayLine.h"
#include "effect/VeltrixFactoryPresets.h"
#include "effect/VeltrixParameterTable.h"
#include "plugin/ZeloIdentity.h"
#include "plugin/lv2/ZeloLv2Uris.h"
#include "plugin/lv2/ZeloPorts.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Zelo::Lv2
{
namespace
{
using Orvalite::Veltrix::AB_SELECTOR_INDEX;
using Orvalite::Veltrix::SParameterDefinition;

const char *const PREFIXES = "@prefix atom: <http://lv2plug.in/ns/ext/atom#> .\n"
                             "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
                             "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
                             "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                             "@prefix midi: <http://lv2plug.in/ns/ext/midi#> .\n"
                             "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
                             "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
                             "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                             "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
                             "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
                             "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
                             "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n\n";
// The two states of the selections and of the A/B half, as their scale points name them.
const char *const HALF_NAMES[2] = {"A", "B"};
// Magnitudes written as plain decimals; the digits that always suffice for a float.
const float PLAIN_FROM = 1e-4f;
const float PLAIN_BELOW = 1e7f;
const int MAXIMUM_DIGITS = 20;

struct SUnit
{
    const char *label;
    const char *unit;
};
// The parameter table's labels as LV2 units.
const SUnit UNITS[] = {
    {"dB", "units:db"}, {"Cents", "units:cent"}, {"ms", "units:ms"}, {"%", "units:pc"}, {"Hz", "units:hz"}};

// "Dry Gain" shows a blank label but is in decibels like the other gains.
const char *unitOf(int index, const SParameterDefinition &definition)
{
    if (index == Orvalite::Veltrix::PARAMETER_DRY_GAIN)
    {
        return "units:db";
    }
    for (const SUnit &unit : UNITS)
    {
        if (std::strcmp(unit.label, definition.label) == 0)
        {
            return unit.unit;
        }
    }
    return nullptr;
}

void writeScalePoints(std::ostream &out, const char *const (&names)[2])
{
    out << "\t\tlv2:scalePoint [ rdfs:label \"" << names[0] << "\" ; rdf:value 0.0 ] , [ rdfs:label \"" << names[1]
        << "\" ; rdf:value 1.0 ] ;\n";
}

void writeRange(std::ostream &out, float defaultValue, float minimum, float maximum)
{
    out << "\t\tlv2:default " << CZeloTurtle::formatNumber(defaultValue) << " ;\n\t\tlv2:minimum "
        << CZeloTurtle::formatNumber(minimum) << " ;\n\t\tlv2:maximum " << CZeloTurtle::formatNumber(maximum) << " ;\n";
}

void writePortHead(std::ostream &out, const char *types, uint32_t port, const std::string &symbol, const char *name)
{
    out << "[\n\t\ta " << types << " ;\n\t\tlv2:index " << port << " ;\n\t\tlv2:symbol \"" << symbol
        << "\" ;\n\t\tlv2:name \"" << name << "\" ;\n";
}

void writeAudioPorts(std::ostream &out)
{
    writePortHead(out, "lv2:AudioPort , lv2:InputPort", PORT_IN_LEFT, "in_l", "Left input");
    out << "\t] , ";
    writePortHead(out, "lv2:AudioPort , lv2:InputPort", PORT_IN_RIGHT, "in_r", "Right input");
    out << "\t] , ";
    writePortHead(out, "lv2:AudioPort , lv2:OutputPort", PORT_OUT_LEFT, "out_l", "Left output");
    out << "\t] , ";
    writePortHead(out, "lv2:AudioPort , lv2:OutputPort", PORT_OUT_RIGHT, "out_r", "Right output");
    out << "\t] , ";
}

// Defaults are program 0's A half, so the plug-in as it loads matches the ports.
void writeParameterPort(std::ostream &out, int index)
{
    const SParameterDefinition &definition = *Orvalite::Veltrix::findParameterDefinition(index);
    const float defaultValue = toPortValue(index, Orvalite::Veltrix::getFactoryValueA(0, index));
    writePortHead(out, "lv2:ControlPort , lv2:InputPort", portOfParameter(index),
                  CZeloTurtle::symbolOf(definition.name), definition.name);
    if (definition.kind == SParameterDefinition::EKind::Select)
    {
        writeRange(out, defaultValue, 0.0f, 1.0f);
        const bool isToggle = index == Orvalite::Veltrix::PARAMETER_SYNC_AUDIO;
        out << (isToggle ? "\t\tlv2:portProperty lv2:toggled ;\n"
                         : "\t\tlv2:portProperty lv2:integer , lv2:enumeration ;\n");
        writeScalePoints(out, definition.entries);
    }
    else
    {
        writeRange(out, defaultValue, definition.minimum, definition.maximum);
        if (const char *unit = unitOf(index, definition))
        {
            out << "\t\tunits:unit " << unit << " ;\n";
        }
    }
    out << "\t] , ";
}

void writeHalfPort(std::ostream &out)
{
    writePortHead(out, "lv2:ControlPort , lv2:InputPort", PORT_HALF, "half", "A/B");
    writeRange(out, 0.0f, 0.0f, 1.0f);
    out << "\t\tlv2:portProperty lv2:toggled ;\n";
    writeScalePoints(out, HALF_NAMES);
    out << "\t] , ";
}

// The latency is half the grain when Sync Audio is on: at most the dry line's capacity.
void writeLatencyPort(std::ostream &out)
{
    writePortHead(out, "lv2:ControlPort , lv2:OutputPort", PORT_LATENCY, "latency", "Latency");
    out << "\t\tlv2:designation lv2:latency ;\n\t\tlv2:portProperty lv2:reportsLatency , lv2:integer ;\n"
        << "\t\tlv2:minimum 0 ;\n\t\tlv2:maximum " << Orvalite::Veltrix::VeltrixDelayLine::CAPACITY
        << " ;\n\t\tunits:unit units:frame ;\n\t] , ";
}

void writeMidiPort(std::ostream &out)
{
    writePortHead(out, "atom:AtomPort , lv2:InputPort", PORT_MIDI_IN, "midi_in", "MIDI input");
    out << "\t\tatom:bufferType atom:Sequence ;\n\t\tatom:supports midi:MidiEvent ;\n"
        << "\t\tlv2:designation lv2:control ;\n\t\tlv2:portProperty lv2:connectionOptional ;\n\t] .\n";
}

void writePreset(std::ostream &out, int program, bool isHalfB)
{
    out << "<" << CZeloTurtle::presetUri(program, isHalfB) << ">\n\ta pset:Preset ;\n\tlv2:appliesTo <" << Uris::PLUGIN
        << "> ;\n\trdfs:label \"" << Orvalite::Veltrix::getFactoryProgramName(program) << (isHalfB ? " (B)" : "")
        << "\" ;\n\tlv2:port ";
    for (int index = 0; index < static_cast<int>(NUMBER_OF_PARAMETER_PORTS); ++index)
    {
        const float value = isHalfB ? Orvalite::Veltrix::getFactoryValueB(program, index)
                                    : Orvalite::Veltrix::getFactoryValueA(program, index);
        out << "[\n\t\tlv2:symbol \"" << CZeloTurtle::symbolOf(Orvalite::Veltrix::findParameterDefinition(index)->name)
            << "\" ;\n\t\tpset:value " << CZeloTurtle::formatNumber(toPortValue(index, value)) << "\n\t] , ";
    }
    out << "[\n\t\tlv2:symbol \"half\" ;\n\t\tpset:value " << (isHalfB ? "1.0" : "0.0") << "\n\t] .\n\n";
}
} // namespace

void CZeloTurtle::writeManifest(std::ostream &out)
{
    out << PREFIXES << "<" << Uris::PLUGIN
        << ">\n\ta lv2:Plugin ;\n\tlv2:binary <Zelo.so> ;\n\trdfs:seeAlso <Zelo.ttl> .\n\n"
        << "<" << Uris::UI << ">\n\ta ui:X11UI ;\n\tui:binary <ZeloUI.so> ;\n\trdfs:seeAlso <ZeloUI.ttl> .\n\n";
    for (int program = 0; program < Orvalite::Veltrix::NUMBER_OF_PROGRAMS; ++program)
    {
        for (bool isHalfB : {false, true})
        {
            out << "<" << presetUri(program, isHalfB) << ">\n\ta pset:Preset ;\n\tlv2:appliesTo <" << Uris::PLUGIN
                << "> ;\n\trdfs:seeAlso <presets.ttl> .\n\n";
        }
    }
}

void CZeloTurtle::writePlugin(std::ostream &out)
{
    out << PREFIXES << "<" << Uris::PLUGIN
        << ">\n\ta lv2:Plugin , lv2:ChorusPlugin , doap:Project ;\n\tdoap:name \"Zelo\" ;\n"
        << "\tdoap:maintainer [ foaf:name \"" << Module::VENDOR << "\" ] ;\n"
        << "\tlv2:minorVersion 0 ;\n\tlv2:microVersion 0 ;\n"
        << "\tlv2:optionalFeature urid:map , lv2:hardRTCapable ;\n"
        << "\tlv2:extensionData state:interface ;\n\tui:ui <" << Uris::UI << "> ;\n\tlv2:port ";
    writeAudioPorts(out);
    for (int index = 0; index < static_cast<int>(NUMBER_OF_PARAMETER_PORTS); ++index)
    {
        writeParameterPort(out, index);
    }
    writeHalfPort(out);
    writeLatencyPort(out);
    writeMidiPort(out);
}

void CZeloTurtle::writePresets(std::ostream &out)
{
    out << PREFIXES;
    for (int program = 0; program < Orvalite::Veltrix::NUMBER_OF_PROGRAMS; ++program)
    {
        writePreset(out, program, false);
        writePreset(out, program, true);
    }
}

std::string CZeloTurtle::symbolOf(const char *name)
{
    std::string symbol;
    for (const char *character = name; *character; ++character)
    {
        symbol += *character == ' ' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(*character)));
    }
    return symbol;
}

// Plain decimals where they are readable, exponent notation for the rest.
std::string CZeloTurtle::formatNumber(float value)
{
    const float magnitude = std::fabs(value);
    const bool isPlain = magnitude == 0.0f || (magnitude >= PLAIN_FROM && magnitude < PLAIN_BELOW);
    char text[64] = "";
    for (int digits = 1; digits <= MAXIMUM_DIGITS; ++digits)
    {
        std::snprintf(text, sizeof(text), isPlain ? "%.*f" : "%.*e", digits, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value && static_cast<float>(std::strtod(text, nullptr)) == value)
        {
            break;
        }
    }
    return text;
}

std::string CZeloTurtle::presetUri(int program, bool isHalfB)
{
    return std::string(Uris::PLUGIN) + "#preset-" + std::to_string(program) + (isHalfB ? "-b" : "-a");
}
} // namespace Zelo::Lv2
