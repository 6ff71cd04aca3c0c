// One LV2 instance of Zelo: the effect driven through its VST record as a VST host
// drives it (open, rate, block size, switch on, processReplacing, MIDI events,
// chunks), so its output is the VST module's, sample for sample. Made by
// instantiate, deleted by cleanup; ZeloLv2Entry.cpp forwards the C callbacks here.
#pragma once

#include "plugin/lv2/ZeloPorts.h"
#include "vst/VstAbi.h"

#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

namespace Zelo::Lv2
{
class CZeloLv2Instance
{
public:
    // The effect's MIDI list keeps this many events of a block; later ones are dropped.
    static constexpr int MAXIMUM_EVENTS = 128;

    // Null (with a line on stderr) when the effect cannot be made. Without the host's
    // urid:map feature (lv2apply has none) the instance processes audio but
    // ignores MIDI and saves no state.
    static CZeloLv2Instance *create(double sampleRate, const LV2_Feature *const *features);
    ~CZeloLv2Instance();
    CZeloLv2Instance(const CZeloLv2Instance &) = delete;
    CZeloLv2Instance &operator=(const CZeloLv2Instance &) = delete;

    void connectPort(uint32_t port, void *data);
    void activate();
    void deactivate();
    // Audio thread (CZeloLv2InstanceRun.cpp): no allocation, lock or I/O.
    void run(uint32_t frames);

    // The bank chunk, the A/B half and the current program as three properties.
    LV2_State_Status save(LV2_State_Store_Function store, LV2_State_Handle handle);
    // A chunk the effect refuses changes nothing. Afterwards the ports take over
    // again only where the host changes them.
    LV2_State_Status restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle);

private:
    struct SUrids
    {
        LV2_URID midiEvent;
        LV2_URID atomChunk;
        LV2_URID atomInt;
        LV2_URID bank;
        LV2_URID half;
        LV2_URID program;
    };

    // VstEvents declares two event pointers; this holds room for the rest behind them.
    struct SEventList
    {
        VstEvents events;
        VstEvent *more[MAXIMUM_EVENTS - 2];
    };

    // Frames processed at a time: whole slices of the effect's signal path, so
    // splitting a block changes no sample.
    static constexpr uint32_t CHUNK_FRAMES = 1024;
    static constexpr uint32_t NUMBER_OF_CONTROLS = NUMBER_OF_PARAMETER_PORTS + 1;

    CZeloLv2Instance(AEffect *effect, LV2_URID_Map *map);
    static VstIntPtr hostCallback(AEffect *effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr,
                                  float opt);
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void *ptr = nullptr, float opt = 0.0f);
    // Control `control` (port FIRST_PARAMETER_PORT + control): the value the effect
    // holds, in port units, and the port's value (the effect's when unconnected).
    float effectPortValue(uint32_t control);
    float currentPortValue(uint32_t control);
    // Takes the control ports' present values as seen, so only later changes apply.
    void rememberPortValues();
    void applyChangedPorts();
    void sendMidiEvents();
    void processChunk(uint32_t offset, uint32_t frames);

    AEffect *m_effect;
    bool m_hasUrids;
    SUrids m_urids{};
    const float *m_inputs[2] = {};
    float *m_outputs[2] = {};
    const float *m_controls[NUMBER_OF_CONTROLS] = {};
    float *m_latency = nullptr;
    const LV2_Atom_Sequence *m_midiIn = nullptr;
    // Each control port's value at the previous run (or restore).
    float m_seenPortValues[NUMBER_OF_CONTROLS];
    // The effect may write delayed samples back into its inputs: a host's input
    // buffers are read-only, so the effect reads copies.
    float m_inputCopies[2][CHUNK_FRAMES];
    VstMidiEvent m_midiEvents[MAXIMUM_EVENTS];
    SEventList m_eventList{};
};
} // namespace Zelo::Lv2
