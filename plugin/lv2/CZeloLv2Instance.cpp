#include "plugin/lv2/CZeloLv2Instance.h"

#include "effect/CVeltrix.h"
#include "effect/VeltrixParameterTable.h"
#include "effect/VeltrixProgram.h"
#include "plugin/lv2/ZeloLv2Uris.h"

#include <lv2/core/lv2_util.h>
#include <lv2/midi/midi.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace Zelo::Lv2
{
namespace
{
const LV2_State_Flags PORTABLE_VALUE = static_cast<LV2_State_Flags>(LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);

// A stored 32-bit integer property, or false when it is missing or of another type.
bool retrieveInt(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle, LV2_URID key, LV2_URID intType,
                 int32_t &value)
{
    size_t size = 0;
    uint32_t type = 0;
    uint32_t flags = 0;
    const void *data = retrieve(handle, key, &size, &type, &flags);
    if (!data || type != intType || size != sizeof(int32_t))
    {
        return false;
    }
    std::memcpy(&value, data, sizeof(value));
    return true;
}
} // namespace

CZeloLv2Instance *CZeloLv2Instance::create(double sampleRate, const LV2_Feature *const *features)
{
    auto *map = static_cast<LV2_URID_Map *>(lv2_features_data(features, LV2_URID__map));
    if (!map)
    {
        std::fprintf(stderr, "Zelo: the host offers no urid:map feature: MIDI input and state saving are off\n");
    }
    try
    {
        auto *effect = new Orvalite::Veltrix::CVeltrix(&hostCallback);
        auto *instance = new CZeloLv2Instance(effect->getAeffect(), map);
        instance->dispatch(effOpen);
        instance->dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
        instance->dispatch(effSetBlockSize, 0, CHUNK_FRAMES);
        instance->rememberPortValues();
        return instance;
    }
    catch (...)
    {
        std::fprintf(stderr, "Zelo: the effect could not be made; not instantiated\n");
        return nullptr;
    }
}

CZeloLv2Instance::CZeloLv2Instance(AEffect *effect, LV2_URID_Map *map) : m_effect(effect), m_hasUrids(map != nullptr)
{
    if (map)
    {
        m_urids = {map->map(map->handle, LV2_MIDI__MidiEvent), map->map(map->handle, LV2_ATOM__Chunk),
                   map->map(map->handle, LV2_ATOM__Int),       map->map(map->handle, Uris::STATE_BANK),
                   map->map(map->handle, Uris::STATE_HALF),    map->map(map->handle, Uris::STATE_PROGRAM)};
    }
    // Through the decayed pointer, as the effect reads them: the list runs on into `more`.
    VstEvent **pointers = m_eventList.events.events;
    for (int index = 0; index < MAXIMUM_EVENTS; ++index)
    {
        m_midiEvents[index] = VstMidiEvent{};
        m_midiEvents[index].type = kVstMidiType;
        m_midiEvents[index].byteSize = sizeof(VstMidiEvent);
        pointers[index] = reinterpret_cast<VstEvent *>(&m_midiEvents[index]);
    }
}

CZeloLv2Instance::~CZeloLv2Instance()
{
    // Closing deletes the effect.
    dispatch(effClose);
}

// Answers as a VST 2.4 host that can do nothing optional: the effect then never
// calls back from the audio thread.
VstIntPtr CZeloLv2Instance::hostCallback(AEffect *, VstInt32 opcode, VstInt32, VstIntPtr, void *, float)
{
    return opcode == audioMasterVersion ? kVstVersion : 0;
}

VstIntPtr CZeloLv2Instance::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr, float opt)
{
    return m_effect->dispatcher(m_effect, opcode, index, value, ptr, opt);
}

void CZeloLv2Instance::connectPort(uint32_t port, void *data)
{
    if (port == PORT_IN_LEFT || port == PORT_IN_RIGHT)
    {
        m_inputs[port - PORT_IN_LEFT] = static_cast<const float *>(data);
    }
    else if (port == PORT_OUT_LEFT || port == PORT_OUT_RIGHT)
    {
        m_outputs[port - PORT_OUT_LEFT] = static_cast<float *>(data);
    }
    else if (parameterOfPort(port) >= 0)
    {
        m_controls[port - FIRST_PARAMETER_PORT] = static_cast<const float *>(data);
    }
    else if (port == PORT_LATENCY)
    {
        m_latency = static_cast<float *>(data);
    }
    else if (port == PORT_MIDI_IN)
    {
        m_midiIn = static_cast<const LV2_Atom_Sequence *>(data);
    }
}

void CZeloLv2Instance::activate()
{
    dispatch(effMainsChanged, 0, 1);
}

void CZeloLv2Instance::deactivate()
{
    dispatch(effMainsChanged, 0, 0);
}

LV2_State_Status CZeloLv2Instance::save(LV2_State_Store_Function store, LV2_State_Handle handle)
{
    if (!m_hasUrids)
    {
        return LV2_STATE_ERR_NO_FEATURE;
    }
    void *bank = nullptr;
    const auto size = static_cast<size_t>(dispatch(effGetChunk, 0, 0, &bank));
    if (!bank || size == 0)
    {
        return LV2_STATE_ERR_UNKNOWN;
    }
    const int32_t half = static_cast<const Orvalite::Veltrix::VeltrixProgram *>(bank)->getSelector() != 0 ? 1 : 0;
    const auto program = static_cast<int32_t>(dispatch(effGetProgram));
    const LV2_State_Status statuses[] = {
        store(handle, m_urids.bank, bank, size, m_urids.atomChunk, PORTABLE_VALUE),
        store(handle, m_urids.half, &half, sizeof(half), m_urids.atomInt, PORTABLE_VALUE),
        store(handle, m_urids.program, &program, sizeof(program), m_urids.atomInt, PORTABLE_VALUE)};
    for (LV2_State_Status status : statuses)
    {
        if (status != LV2_STATE_SUCCESS)
        {
            return status;
        }
    }
    return LV2_STATE_SUCCESS;
}

// The bank first (it brings its own A/B selector), then the program, then the half.
LV2_State_Status CZeloLv2Instance::restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle)
{
    if (!m_hasUrids)
    {
        return LV2_STATE_ERR_NO_FEATURE;
    }
    size_t size = 0;
    uint32_t type = 0;
    uint32_t flags = 0;
    const void *bank = retrieve(handle, m_urids.bank, &size, &type, &flags);
    if (!bank)
    {
        return LV2_STATE_ERR_NO_PROPERTY;
    }
    if (type != m_urids.atomChunk)
    {
        return LV2_STATE_ERR_BAD_TYPE;
    }
    // The effect takes a writable pointer: it gets a copy of the host's bytes.
    std::vector<uint8_t> chunk(static_cast<const uint8_t *>(bank), static_cast<const uint8_t *>(bank) + size);
    if (dispatch(effSetChunk, 0, static_cast<VstIntPtr>(chunk.size()), chunk.data()) == 0)
    {
        return LV2_STATE_ERR_UNKNOWN;
    }
    int32_t program = 0;
    if (retrieveInt(retrieve, handle, m_urids.program, m_urids.atomInt, program))
    {
        dispatch(effSetProgram, 0, program);
    }
    int32_t half = 0;
    if (retrieveInt(retrieve, handle, m_urids.half, m_urids.atomInt, half))
    {
        m_effect->setParameter(m_effect, Orvalite::Veltrix::AB_SELECTOR_INDEX, half != 0 ? 1.0f : 0.0f);
    }
    rememberPortValues();
    return LV2_STATE_SUCCESS;
}
} // namespace Zelo::Lv2
