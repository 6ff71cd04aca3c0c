// The LV2 instance against the VST module: the same samples for every factory
// program half, the same latency, MIDI controllers and a saved session that comes back.
#include "effect/VeltrixParameterTable.h"
#include "tests/plugin/ZeloPlugin.h"
#include "tests/plugin/lv2/CLv2TestHost.h"
#include "tests/support/CAllocationCounter.h"

#include <gtest/gtest.h>

#include <lv2/state/state.h>

#include <cmath>
#include <map>

namespace
{
using namespace Zelo::Lv2;
using Orvalite::Veltrix::AB_SELECTOR_INDEX;
using Zelo::Testing::CLv2Instance;
using Zelo::Testing::CLv2World;
using Zelo::Testing::CUridMap;

constexpr int BLOCKS = 24;

// The plug-in's input: the two tones of the VST tests' stream.
struct SInput
{
    SInput()
    {
        for (size_t n = 0; n < left.size(); ++n)
        {
            left[n] = 0.5f * static_cast<float>(std::sin(0.031 * static_cast<double>(n)));
            right[n] = 0.5f * static_cast<float>(std::sin(0.047 * static_cast<double>(n) + 1.0));
        }
    }
    std::array<float, CLv2Instance::BLOCK * BLOCKS> left, right;
};
const SInput INPUT;

std::vector<float> renderLv2(CLv2Instance &plugin, int blocks = BLOCKS)
{
    std::vector<float> output;
    for (int block = 0; block < blocks; ++block)
    {
        plugin.run(INPUT.left.data() + block * CLv2Instance::BLOCK, INPUT.right.data() + block * CLv2Instance::BLOCK);
        output.insert(output.end(), plugin.out(0).begin(), plugin.out(0).end());
        output.insert(output.end(), plugin.out(1).begin(), plugin.out(1).end());
    }
    return output;
}

// The same input through the VST module: SStream makes the same two tones.
std::vector<float> renderVst(Zelo::Tools::CPluginInstance &plugin)
{
    Zelo::Testing::SStream stream;
    std::vector<float> output;
    for (int block = 0; block < BLOCKS; ++block)
    {
        stream.process(plugin, CLv2Instance::BLOCK);
        output.insert(output.end(), stream.outLeft.begin(), stream.outLeft.end());
        output.insert(output.end(), stream.outRight.begin(), stream.outRight.end());
    }
    return output;
}

bool sameBits(const std::vector<float> &a, const std::vector<float> &b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

class ZeloLv2Instance : public ::testing::Test
{
protected:
    // Sets the preset's port values on `plugin`, as a host applies a preset.
    void applyPreset(CLv2Instance &plugin, int program, bool isHalfB)
    {
        const std::string uri = "urn:orlen-vantrell:zelo#preset-" + std::to_string(program) + (isHalfB ? "-b" : "-a");
        LilvNode *preset = m_world.uri(uri.c_str());
        lilv_world_load_resource(m_world.world(), preset);
        LilvState *state = lilv_state_new_from_world(m_world.world(), m_map.feature(), preset);
        lilv_node_free(preset);
        ASSERT_NE(state, nullptr) << uri;
        m_target = &plugin;
        lilv_state_emit_port_values(state, &ZeloLv2Instance::setPortValue, this);
        lilv_state_free(state);
    }

    static void setPortValue(const char *symbol, void *self, const void *value, uint32_t, uint32_t)
    {
        auto *test = static_cast<ZeloLv2Instance *>(self);
        LilvNode *node = lilv_new_string(test->m_world.world(), symbol);
        const LilvPort *port = lilv_plugin_get_port_by_symbol(test->m_world.plugin(), node);
        lilv_node_free(node);
        test->m_target->control(lilv_port_get_index(test->m_world.plugin(), port)) = *static_cast<const float *>(value);
    }

    CLv2World m_world;
    CUridMap m_map;
    CLv2Instance *m_target = nullptr;
};

TEST_F(ZeloLv2Instance, RendersEveryProgramHalfAsTheVstModuleDoes)
{
    for (double rate : {44100.0, 48000.0})
    {
        for (int program = 0; program < Orvalite::Veltrix::NUMBER_OF_PROGRAMS; ++program)
        {
            for (bool isHalfB : {false, true})
            {
                CLv2Instance lv2(m_world, m_map, rate);
                ASSERT_NE(lv2.instance(), nullptr);
                applyPreset(lv2, program, isHalfB);
                auto vst = Zelo::Testing::openZelo(rate, CLv2Instance::BLOCK);
                vst->setProgram(program);
                vst->setParameter(AB_SELECTOR_INDEX, isHalfB ? 1.0f : 0.0f);
                EXPECT_TRUE(sameBits(renderLv2(lv2), renderVst(*vst)))
                    << "program " << program << (isHalfB ? " B" : " A") << " at " << rate << " Hz";
            }
        }
    }
}

// The latency port follows Sync Audio, Grain Size and the rate as the VST module's initial delay does.
TEST_F(ZeloLv2Instance, ReportsTheVstModulesLatency)
{
    const uint32_t grainPort = portOfParameter(Orvalite::Veltrix::PARAMETER_GRAIN_SIZE);
    const uint32_t syncPort = portOfParameter(Orvalite::Veltrix::PARAMETER_SYNC_AUDIO);
    for (double rate : {44100.0, 48000.0, 96000.0})
    {
        for (float grain : {0.0f, 1.0f})
        {
            for (float sync : {0.0f, 1.0f})
            {
                CLv2Instance lv2(m_world, m_map, rate);
                lv2.control(grainPort) = grain;
                lv2.control(syncPort) = sync;
                renderLv2(lv2, 1);
                auto vst = Zelo::Testing::openZelo(rate, CLv2Instance::BLOCK);
                vst->setParameter(Orvalite::Veltrix::PARAMETER_GRAIN_SIZE, grain);
                vst->setParameter(Orvalite::Veltrix::PARAMETER_SYNC_AUDIO, sync);
                const float latency = lv2.control(PORT_LATENCY);
                EXPECT_EQ(latency, static_cast<float>(vst->effect()->initialDelay))
                    << "grain " << grain << ", sync " << sync << " at " << rate << " Hz";
                EXPECT_EQ(latency > 0.0f, sync == 1.0f);
            }
        }
    }
}

struct SMidiCase
{
    bool isConnected;
    bool sendsController;
};

// Controller 13 moves Master; without the MIDI port the plug-in plays on unchanged.
TEST_F(ZeloLv2Instance, FollowsMidiControllersWhenTheMidiPortIsConnected)
{
    const std::vector<Zelo::Tools::CPluginInstance::MidiMessage> masterDown = {{0, 0xB0, 13, 10}};
    std::vector<std::vector<float>> outputs;
    for (const SMidiCase &midi : {SMidiCase{true, true}, SMidiCase{true, false}, SMidiCase{false, false}})
    {
        CLv2Instance lv2(m_world, m_map, 44100.0);
        lv2.connectMidi(midi.isConnected);
        if (midi.sendsController)
            lv2.addMidi(0xB0, 13, 10);
        auto vst = Zelo::Testing::openZelo(44100.0, CLv2Instance::BLOCK);
        if (midi.sendsController)
            vst->sendMidi(masterDown);
        outputs.push_back(renderLv2(lv2));
        EXPECT_TRUE(sameBits(outputs.back(), renderVst(*vst)))
            << "connected " << midi.isConnected << ", controller " << midi.sendsController;
    }
    EXPECT_FALSE(sameBits(outputs[0], outputs[1]));
}

using SStore = std::map<LV2_URID, std::pair<uint32_t, std::vector<uint8_t>>>;

LV2_State_Status storeProperty(LV2_State_Handle handle, uint32_t key, const void *value, size_t size, uint32_t type,
                               uint32_t)
{
    const auto *bytes = static_cast<const uint8_t *>(value);
    (*static_cast<SStore *>(handle))[key] = {type, std::vector<uint8_t>(bytes, bytes + size)};
    return LV2_STATE_SUCCESS;
}

const void *retrieveProperty(LV2_State_Handle handle, uint32_t key, size_t *size, uint32_t *type, uint32_t *flags)
{
    auto &store = *static_cast<SStore *>(handle);
    const auto found = store.find(key);
    if (found == store.end())
        return nullptr;
    *size = found->second.second.size();
    *type = found->second.first;
    *flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
    return found->second.second.data();
}

const LV2_State_Interface &stateOf(const CLv2Instance &plugin)
{
    return *static_cast<const LV2_State_Interface *>(
        lilv_instance_get_extension_data(plugin.instance(), LV2_STATE__interface));
}

SStore save(const CLv2Instance &plugin)
{
    SStore store;
    EXPECT_EQ(stateOf(plugin).save(lilv_instance_get_handle(plugin.instance()), &storeProperty, &store, 0, nullptr),
              LV2_STATE_SUCCESS);
    return store;
}

LV2_State_Status restore(const CLv2Instance &plugin, SStore &store)
{
    return stateOf(plugin).restore(lilv_instance_get_handle(plugin.instance()), &retrieveProperty, &store, 0, nullptr);
}

// A session saved with the B half and an edited delay comes back in a new instance
// whose ports still sit at their defaults: the same state, and the samples of a
// fresh instance set up as the saved one was. A damaged bank changes nothing.
TEST_F(ZeloLv2Instance, RestoresTheBankAndTheHalfOfASavedSessionAndRefusesADamagedOne)
{
    const auto edit = [](CLv2Instance &plugin) {
        plugin.control(PORT_HALF) = 1.0f;
        plugin.control(portOfParameter(Orvalite::Veltrix::PARAMETER_DELAY_ONE)) = 55.0f;
    };
    CLv2Instance original(m_world, m_map, 44100.0);
    edit(original);
    renderLv2(original, 1);
    SStore session = save(original);
    auto &bank = session[m_map.map("urn:orlen-vantrell:zelo#bank")];
    EXPECT_EQ(bank.first, m_map.map(LV2_ATOM__Chunk));
    EXPECT_EQ(bank.second.size(), Zelo::Testing::openZelo()->getChunk(false).size());

    CLv2Instance restored(m_world, m_map, 44100.0);
    ASSERT_EQ(restore(restored, session), LV2_STATE_SUCCESS);
    EXPECT_EQ(save(restored), session);
    CLv2Instance edited(m_world, m_map, 44100.0);
    edit(edited);
    EXPECT_TRUE(sameBits(renderLv2(restored), renderLv2(edited)));

    bank.second[0] ^= 0xFF;
    CLv2Instance target(m_world, m_map, 44100.0);
    const SStore before = save(target);
    EXPECT_NE(restore(target, session), LV2_STATE_SUCCESS);
    EXPECT_EQ(save(target), before);
}

// run() with changed ports and MIDI allocates nothing (not counted under sanitizers).
TEST_F(ZeloLv2Instance, RunsWithoutAllocating)
{
    if (!Zelo::Testing::CAllocationCounter::isAvailable())
        GTEST_SKIP() << "allocations are not counted in this build";
    CLv2Instance lv2(m_world, m_map, 44100.0);
    renderLv2(lv2, 1);
    lv2.control(PORT_HALF) = 1.0f;
    lv2.control(portOfParameter(Orvalite::Veltrix::PARAMETER_SYNC_AUDIO)) = 1.0f;
    lv2.addMidi(0xB0, 3, 0);
    Zelo::Testing::CAllocationCounter counter;
    counter.start();
    lv2.run(INPUT.left.data(), INPUT.right.data());
    EXPECT_EQ(counter.stop(), 0);
}
} // namespace
