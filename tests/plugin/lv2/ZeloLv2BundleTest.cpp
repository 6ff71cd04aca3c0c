// The built bundle's description as a host reads it through lilv: ports, ranges,
// defaults, units and presets against the effect's tables.
#include "effect/VeltrixFactoryPresets.h"
#include "effect/VeltrixParameterTable.h"
#include "tests/plugin/lv2/CLv2TestHost.h"

#include <gtest/gtest.h>

#include <lv2/presets/presets.h>
#include <lv2/units/units.h>

#include <map>
#include <set>

namespace
{
using namespace Zelo::Lv2;
using Zelo::Testing::CLv2World;
using Zelo::Testing::CUridMap;

const std::string LV2 = "http://lv2plug.in/ns/lv2core#";
const std::string UNITS = LV2_UNITS_PREFIX;

struct SUnit
{
    int index;
    const char *unit;
};
// The unit of each parameter, as the effect documents them; the pans and selections have none.
const SUnit PARAMETER_UNITS[] = {{0, "db"},  {2, "cent"}, {3, "cent"}, {4, "db"},  {5, "db"},  {7, "db"},
                                 {9, "ms"},  {10, "ms"},  {11, "pc"},  {12, "pc"}, {13, "hz"}, {14, "hz"},
                                 {15, "pc"}, {16, "pc"},  {1, ""},     {6, ""},    {8, ""},    {17, ""}};

std::string symbolOf(const char *name)
{
    std::string symbol;
    for (const char *character = name; *character; ++character)
        symbol += *character == ' ' ? '_' : static_cast<char>(std::tolower(*character));
    return symbol;
}

class ZeloLv2Bundle : public ::testing::Test
{
protected:
    bool hasProperty(const LilvPort *port, const std::string &property) const
    {
        LilvNode *node = m_world.uri(property.c_str());
        const bool has = lilv_port_has_property(m_world.plugin(), port, node);
        lilv_node_free(node);
        return has;
    }
    std::string unitOf(const LilvPort *port) const
    {
        LilvNode *predicate = m_world.uri(LV2_UNITS__unit);
        LilvNodes *units = lilv_port_get_value(m_world.plugin(), port, predicate);
        lilv_node_free(predicate);
        std::string unit = units ? lilv_node_as_uri(lilv_nodes_get_first(units)) : "";
        lilv_nodes_free(units);
        return unit.empty() ? unit : unit.substr(UNITS.size());
    }

    CLv2World m_world;
};

TEST_F(ZeloLv2Bundle, DescribesTheParametersAsControlPorts)
{
    const LilvPlugin *plugin = m_world.plugin();
    ASSERT_NE(plugin, nullptr);
    ASSERT_EQ(lilv_plugin_get_num_ports(plugin), NUMBER_OF_PORTS);
    std::vector<float> minimum(NUMBER_OF_PORTS), maximum(NUMBER_OF_PORTS), defaults(NUMBER_OF_PORTS);
    lilv_plugin_get_port_ranges_float(plugin, minimum.data(), maximum.data(), defaults.data());
    for (const SUnit &expected : PARAMETER_UNITS)
    {
        const auto &definition = *Orvalite::Veltrix::findParameterDefinition(expected.index);
        const uint32_t index = portOfParameter(expected.index);
        const LilvPort *port = lilv_plugin_get_port_by_index(plugin, index);
        LilvNode *name = lilv_port_get_name(plugin, port);
        EXPECT_STREQ(lilv_node_as_string(name), definition.name);
        lilv_node_free(name);
        EXPECT_EQ(lilv_node_as_string(lilv_port_get_symbol(plugin, port)), symbolOf(definition.name));
        EXPECT_EQ(unitOf(port), expected.unit) << definition.name;
        const bool isSelect = definition.kind == Orvalite::Veltrix::SParameterDefinition::EKind::Select;
        EXPECT_EQ(minimum[index], isSelect ? 0.0f : definition.minimum) << definition.name;
        EXPECT_EQ(maximum[index], isSelect ? 1.0f : definition.maximum) << definition.name;
        EXPECT_EQ(defaults[index], toPortValue(expected.index, Orvalite::Veltrix::getFactoryValueA(0, expected.index)))
            << definition.name;
        EXPECT_EQ(hasProperty(port, LV2 + "enumeration") || hasProperty(port, LV2 + "toggled"), isSelect)
            << definition.name;
    }
}

TEST_F(ZeloLv2Bundle, DescribesTheHalfLatencyAndMidiPorts)
{
    const LilvPlugin *plugin = m_world.plugin();
    ASSERT_NE(plugin, nullptr);
    const LilvPort *half = lilv_plugin_get_port_by_index(plugin, PORT_HALF);
    EXPECT_TRUE(hasProperty(half, LV2 + "toggled"));
    const LilvPort *latency = lilv_plugin_get_port_by_index(plugin, PORT_LATENCY);
    EXPECT_TRUE(hasProperty(latency, LV2 + "reportsLatency"));
    EXPECT_TRUE(hasProperty(latency, LV2 + "integer"));
    EXPECT_EQ(lilv_plugin_get_latency_port_index(plugin), PORT_LATENCY);
    const LilvPort *midi = lilv_plugin_get_port_by_index(plugin, PORT_MIDI_IN);
    EXPECT_TRUE(hasProperty(midi, LV2 + "connectionOptional"));
    LilvNode *midiEvent = m_world.uri(LV2_MIDI__MidiEvent);
    EXPECT_TRUE(lilv_port_supports_event(plugin, midi, midiEvent));
    lilv_node_free(midiEvent);
    LilvNode *author = lilv_plugin_get_author_name(plugin);
    EXPECT_STREQ(lilv_node_as_string(author), "Orlen Vantrell Audio");
    lilv_node_free(author);
}

void collectPortValue(const char *symbol, void *values, const void *value, uint32_t, uint32_t)
{
    (*static_cast<std::map<std::string, float> *>(values))[symbol] = *static_cast<const float *>(value);
}

// Each program's halves are presets whose port values are the program's values.
TEST_F(ZeloLv2Bundle, OffersEveryFactoryProgramHalfAsAPreset)
{
    CUridMap map;
    LilvNode *presetClass = m_world.uri(LV2_PRESETS__Preset);
    LilvNodes *presets = lilv_plugin_get_related(m_world.plugin(), presetClass);
    lilv_node_free(presetClass);
    std::map<std::string, std::map<std::string, float>> valuesByLabel;
    LILV_FOREACH(nodes, iterator, presets)
    {
        const LilvNode *preset = lilv_nodes_get(presets, iterator);
        lilv_world_load_resource(m_world.world(), preset);
        LilvState *state = lilv_state_new_from_world(m_world.world(), map.feature(), preset);
        ASSERT_NE(state, nullptr);
        lilv_state_emit_port_values(state, &collectPortValue, &valuesByLabel[lilv_state_get_label(state)]);
        lilv_state_free(state);
    }
    lilv_nodes_free(presets);
    ASSERT_EQ(valuesByLabel.size(), 2u * Orvalite::Veltrix::NUMBER_OF_PROGRAMS);
    for (int program = 0; program < Orvalite::Veltrix::NUMBER_OF_PROGRAMS; ++program)
    {
        for (bool isHalfB : {false, true})
        {
            const std::string label =
                std::string(Orvalite::Veltrix::getFactoryProgramName(program)) + (isHalfB ? " (B)" : "");
            auto &values = valuesByLabel[label];
            ASSERT_EQ(values.size(), NUMBER_OF_PARAMETER_PORTS + 1) << label;
            EXPECT_EQ(values["half"], isHalfB ? 1.0f : 0.0f) << label;
            for (int index = 0; index < static_cast<int>(NUMBER_OF_PARAMETER_PORTS); ++index)
            {
                const float value = isHalfB ? Orvalite::Veltrix::getFactoryValueB(program, index)
                                            : Orvalite::Veltrix::getFactoryValueA(program, index);
                const char *name = Orvalite::Veltrix::findParameterDefinition(index)->name;
                EXPECT_EQ(values[symbolOf(name)], toPortValue(index, value)) << label << ": " << name;
            }
        }
    }
}
} // namespace
