// The built Zelo.lv2 bundle as the LV2 tests load it through lilv: a world that
// knows only the bundle, a URID map, and instances with every port connected to
// buffers of their own.
#pragma once

#include "plugin/lv2/ZeloPorts.h"

#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/atom/util.h>
#include <lv2/midi/midi.h>
#include <lv2/urid/urid.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace Zelo::Testing
{
class CUridMap
{
public:
    CUridMap() : m_map{this, &CUridMap::mapUri}, m_feature{LV2_URID__map, &m_map} {}
    CUridMap(const CUridMap &) = delete;
    CUridMap &operator=(const CUridMap &) = delete;

    LV2_URID map(const char *uri) { return mapUri(this, uri); }
    LV2_URID_Map *feature() { return &m_map; }
    // A null-terminated feature list holding the map.
    const LV2_Feature *const *features() { return m_features.data(); }

private:
    static LV2_URID mapUri(LV2_URID_Map_Handle handle, const char *uri)
    {
        auto &uris = static_cast<CUridMap *>(handle)->m_uris;
        for (size_t index = 0; index < uris.size(); ++index)
        {
            if (uris[index] == uri)
                return static_cast<LV2_URID>(index + 1);
        }
        uris.emplace_back(uri);
        return static_cast<LV2_URID>(uris.size());
    }

    std::vector<std::string> m_uris;
    LV2_URID_Map m_map;
    LV2_Feature m_feature;
    std::array<const LV2_Feature *, 2> m_features{&m_feature, nullptr};
};

// The lilv world with the bundle ZELO_LV2_BUNDLE loaded, and Zelo in it.
class CLv2World
{
public:
    CLv2World() : m_world(lilv_world_new())
    {
        LilvNode *bundle = lilv_new_file_uri(m_world, nullptr, ZELO_LV2_BUNDLE "/");
        lilv_world_load_bundle(m_world, bundle);
        lilv_node_free(bundle);
        LilvNode *uri = lilv_new_uri(m_world, "urn:orlen-vantrell:zelo");
        m_plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(m_world), uri);
        lilv_node_free(uri);
    }
    ~CLv2World() { lilv_world_free(m_world); }
    CLv2World(const CLv2World &) = delete;
    CLv2World &operator=(const CLv2World &) = delete;

    LilvWorld *world() const { return m_world; }
    const LilvPlugin *plugin() const { return m_plugin; }
    LilvNode *uri(const char *text) const { return lilv_new_uri(m_world, text); }

private:
    LilvWorld *m_world;
    const LilvPlugin *m_plugin = nullptr;
};

// One instance with its control ports at their defaults and an audio block of BLOCK frames.
class CLv2Instance
{
public:
    static constexpr uint32_t BLOCK = 512;

    CLv2Instance(const CLv2World &world, CUridMap &map, double sampleRate, bool withMap = true)
        : m_map(map),
          m_instance(lilv_plugin_instantiate(world.plugin(), sampleRate, withMap ? map.features() : nullptr))
    {
        if (!m_instance)
            return;
        std::vector<float> defaults(Lv2::NUMBER_OF_PORTS);
        lilv_plugin_get_port_ranges_float(world.plugin(), nullptr, nullptr, defaults.data());
        for (uint32_t port = Lv2::FIRST_PARAMETER_PORT; port <= Lv2::PORT_LATENCY; ++port)
        {
            m_controls[port] = defaults[port];
            lilv_instance_connect_port(m_instance, port, &m_controls[port]);
        }
        const uint32_t audioPorts[4] = {Lv2::PORT_IN_LEFT, Lv2::PORT_IN_RIGHT, Lv2::PORT_OUT_LEFT, Lv2::PORT_OUT_RIGHT};
        for (int channel = 0; channel < 4; ++channel)
            lilv_instance_connect_port(m_instance, audioPorts[channel], m_audio[channel].data());
        connectMidi(true);
        lilv_instance_activate(m_instance);
    }
    ~CLv2Instance()
    {
        if (m_instance)
        {
            lilv_instance_deactivate(m_instance);
            lilv_instance_free(m_instance);
        }
    }
    CLv2Instance(const CLv2Instance &) = delete;
    CLv2Instance &operator=(const CLv2Instance &) = delete;

    LilvInstance *instance() const { return m_instance; }
    float &control(uint32_t port) { return m_controls[port]; }
    void connectMidi(bool connected)
    {
        clearMidi();
        lilv_instance_connect_port(m_instance, Lv2::PORT_MIDI_IN, connected ? m_midi.data() : nullptr);
    }
    // Adds a three-byte MIDI message to the next block's sequence.
    void addMidi(uint8_t status, uint8_t data1, uint8_t data2)
    {
        auto *sequence = reinterpret_cast<LV2_Atom_Sequence *>(m_midi.data());
        auto *event = reinterpret_cast<LV2_Atom_Event *>(
            reinterpret_cast<uint8_t *>(LV2_ATOM_CONTENTS(LV2_Atom_Sequence, sequence)) + sequence->atom.size -
            sizeof(LV2_Atom_Sequence_Body));
        event->time.frames = 0;
        event->body.type = m_map.map(LV2_MIDI__MidiEvent);
        event->body.size = 3;
        const uint8_t message[3] = {status, data1, data2};
        std::memcpy(LV2_ATOM_BODY(&event->body), message, sizeof(message));
        sequence->atom.size += static_cast<uint32_t>(lv2_atom_pad_size(sizeof(LV2_Atom_Event) + 3));
    }
    // Runs one block of `left`/`right` (BLOCK frames each); the outputs land in out(0), out(1).
    void run(const float *left, const float *right)
    {
        std::copy_n(left, BLOCK, m_audio[0].data());
        std::copy_n(right, BLOCK, m_audio[1].data());
        lilv_instance_run(m_instance, BLOCK);
        clearMidi();
    }
    const std::array<float, BLOCK> &out(int channel) const { return m_audio[2 + channel]; }

private:
    void clearMidi()
    {
        auto *sequence = reinterpret_cast<LV2_Atom_Sequence *>(m_midi.data());
        sequence->atom.type = m_map.map(LV2_ATOM__Sequence);
        sequence->atom.size = sizeof(LV2_Atom_Sequence_Body);
        sequence->body.unit = 0;
        sequence->body.pad = 0;
    }

    CUridMap &m_map;
    LilvInstance *m_instance;
    std::array<float, Lv2::NUMBER_OF_PORTS> m_controls{};
    std::array<std::array<float, BLOCK>, 4> m_audio{};
    alignas(8) std::array<uint8_t, 4096> m_midi{};
};
} // namespace Zelo::Testing
