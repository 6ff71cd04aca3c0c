// A host gone wild within the rules: any sequence of dispatcher calls with
// opcodes 0 to 80 and any index, value and float, mixed with parameter reads
// and writes and processing, on one effect. What a host must keep it keeps:
// every pointer leads to a buffer large enough for what the opcode may write,
// or to a valid record; editor opcodes get no window; effClose comes only at
// the end; no block is longer than the announced block size or arrives while
// the effect is suspended. Every block must come out finite.
// Input: records of [action byte, then that action's bytes], until the input ends.
#include "fuzz/FuzzedPlugin.h"

#include <array>
#include <cstring>

using Zelo::Fuzz::CByteReader;
using Zelo::Fuzz::CFuzzedPlugin;

namespace
{
constexpr VstInt32 LAST_OPCODE = 80;
// Larger than any record an opcode writes (a speaker arrangement of eight
// speakers is 904 bytes, pin properties 128, texts at most 256).
constexpr size_t SCRATCH_BYTES = 4096;

// The published layout of effProcessVarIo's record.
struct SVariableIo
{
    float **inputs;
    float **outputs;
    VstInt32 numSamplesInput;
    VstInt32 numSamplesOutput;
    VstInt32 *numSamplesInputProcessed;
    VstInt32 *numSamplesOutputProcessed;
};

bool isEditorOpcode(VstInt32 opcode)
{
    return (opcode >= effEditGetRect && opcode <= effEditSleep) ||
           (opcode >= effEditKeyDown && opcode <= effSetEditKnobMode);
}

// An index or value: inside the usual range (programs, parameters, pins) most
// of the time, any 32-bit number otherwise.
VstInt32 hostInteger(CByteReader &reader)
{
    const uint8_t choice = reader.byte();
    return choice < 192 ? static_cast<VstInt32>(choice % 40) - 2 : reader.value<VstInt32>();
}

// A text the host hands in: NUL-terminated, up to 40 characters.
std::vector<char> hostText(CByteReader &reader)
{
    static const char *const canDos[] = {"receiveVstEvents", "receiveVstMidiEvent", "plugAsChannelInsert",
                                         "bypass",           "sendVstEvents",       "midiProgramNames"};
    const uint8_t choice = reader.byte();
    std::vector<char> text;
    if (choice < 96)
    {
        const char *known = canDos[choice % (sizeof(canDos) / sizeof(canDos[0]))];
        text.assign(known, known + std::strlen(known));
    }
    else
    {
        const std::vector<uint8_t> bytes = reader.bytes(choice % 41);
        text.assign(bytes.begin(), bytes.end());
    }
    text.push_back('\0');
    return text;
}

void dispatchOne(CFuzzedPlugin &plugin, CByteReader &reader)
{
    VstInt32 opcode = reader.byte() % (LAST_OPCODE + 1);
    VstInt32 index = hostInteger(reader);
    VstIntPtr value = hostInteger(reader);
    float opt = reader.hostFloat();
    if (opcode == effClose)
    {
        return;
    }
    alignas(16) std::array<uint8_t, SCRATCH_BYTES> scratch{};
    void *ptr = scratch.data();
    std::vector<char> text;
    std::vector<uint8_t> chunk;
    switch (opcode)
    {
    case effSetBlockSize:
    case effSetBlockSizeAndSampleRate:
        // Hosts announce real block sizes; the buffers hold up to MAX_BLOCK frames.
        value = 1 + static_cast<VstInt32>(static_cast<uint32_t>(value) % Zelo::Fuzz::MAX_BLOCK);
        break;
    case effSetProgramName:
    case effString2Parameter:
    case effCanDo:
        text = hostText(reader);
        ptr = text.data();
        break;
    case effSetChunk:
        chunk = reader.bytes(reader.byte());
        value = static_cast<VstIntPtr>(chunk.size());
        ptr = chunk.empty() ? nullptr : chunk.data();
        break;
    case effProcessEvents:
        // A valid list of one MIDI message; the events target covers the rest.
        {
            static VstMidiEvent midi{};
            static VstEvents events{};
            midi = VstMidiEvent{};
            midi.type = kVstMidiType;
            midi.byteSize = sizeof(VstMidiEvent);
            midi.deltaFrames = static_cast<VstInt32>(static_cast<uint32_t>(index) % 512);
            midi.midiData[0] = static_cast<char>(reader.byte());
            midi.midiData[1] = static_cast<char>(reader.byte() & 0x7f);
            midi.midiData[2] = static_cast<char>(reader.byte() & 0x7f);
            events.numEvents = 1;
            events.events[0] = reinterpret_cast<VstEvent *>(&midi);
            ptr = &events;
        }
        break;
    case effSetSpeakerArrangement:
    case effGetSpeakerArrangement:
        // Both arguments are arrangement records (or pointers to one): two channels each.
        {
            VstInt32 stereo[2] = {1, 2};
            std::memcpy(scratch.data(), stereo, sizeof(stereo));
            std::memcpy(scratch.data() + SCRATCH_BYTES / 2, stereo, sizeof(stereo));
            value = reinterpret_cast<VstIntPtr>(scratch.data() + SCRATCH_BYTES / 2);
        }
        break;
    default:
        break;
    }
    if (isEditorOpcode(opcode))
    {
        ptr = nullptr;
    }
    if (opcode == effProcessVarIo)
    {
        // Its own path for varying block lengths: real buffers behind every pointer.
        static float buffers[4][512];
        static float *inputs[2] = {buffers[0], buffers[1]};
        static float *outputs[2] = {buffers[2], buffers[3]};
        VstInt32 processed[2] = {0, 0};
        SVariableIo io{inputs, outputs, 512, 512, &processed[0], &processed[1]};
        plugin.dispatch(opcode, index, value, &io, opt);
        return;
    }
    const VstIntPtr answer = plugin.dispatch(opcode, index, value, ptr, opt);
    if (opcode == effGetChunk && answer > 0)
    {
        // The effect hands out its chunk through the pointer; all of it must be readable.
        const uint8_t *bytes = nullptr;
        std::memcpy(&bytes, scratch.data(), sizeof(bytes));
        volatile uint8_t sum = 0;
        for (VstIntPtr i = 0; bytes && i < answer; ++i)
        {
            sum = static_cast<uint8_t>(sum + bytes[i]);
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CByteReader reader(data, size);
    CFuzzedPlugin &plugin = CFuzzedPlugin::forInput();
    AEffect *effect = plugin.effect();
    // Bounded, so that one input never runs for long.
    for (int step = 0; step < 256 && !reader.empty(); ++step)
    {
        switch (reader.byte() % 4)
        {
        case 0:
            dispatchOne(plugin, reader);
            break;
        case 1:
            effect->setParameter(effect, hostInteger(reader), reader.unitFloat());
            break;
        case 2:
            static_cast<void>(effect->getParameter(effect, hostInteger(reader)));
            break;
        default: {
            const VstInt32 frames = reader.value<uint16_t>() % (Zelo::Fuzz::MAX_BLOCK + 1);
            plugin.processAndCheck(frames, reader.byte());
        }
        break;
        }
    }
    return 0;
}
