// Arbitrary event lists delivered through effProcessEvents, each followed by a
// block that must come out finite: MIDI events with any bytes, deltas, sizes
// and flags, system-exclusive events with real dumps, and events of other types
// with any payload. Every list and event is its own allocation of exactly its
// size, so a read past one is seen.
// Input: a program byte, then lists of [count byte, count events, block-length
// byte]; an event is [kind byte, byteSize, deltaFrames, flags, 16 payload bytes].
#include "fuzz/FuzzedPlugin.h"

#include <memory>

using Zelo::Fuzz::CByteReader;
using Zelo::Fuzz::CFuzzedPlugin;

namespace
{
constexpr VstInt32 SYSEX_TYPE = 6;

// The published layout of a system-exclusive event (32 bytes on x86_64 too:
// the pointer sits where a MIDI event keeps its message bytes).
struct SSysexEvent
{
    VstInt32 type;
    VstInt32 byteSize;
    VstInt32 deltaFrames;
    VstInt32 flags;
    VstInt32 dumpBytes;
    VstIntPtr reserved1;
    char *sysexDump;
    VstIntPtr reserved2;
};

// One list as a host builds it, owning its events and dumps.
class CEventList
{
public:
    explicit CEventList(CByteReader &reader)
    {
        const size_t count = reader.byte();
        // Declared with two entries; a host allocates at least as many as it delivers.
        const size_t entries = count < 2 ? 2 : count;
        m_list.reset(
            static_cast<VstEvents *>(std::calloc(1, offsetof(VstEvents, events) + entries * sizeof(VstEvent *))));
        m_list->numEvents = static_cast<VstInt32>(count);
        for (size_t i = 0; i < count; ++i)
        {
            slots()[i] = makeEvent(reader);
        }
    }
    ~CEventList()
    {
        for (VstInt32 i = 0; i < m_list->numEvents; ++i)
        {
            std::free(slots()[i]);
        }
    }
    CEventList(const CEventList &) = delete;
    CEventList &operator=(const CEventList &) = delete;

    VstEvents *list() const { return m_list.get(); }

private:
    struct SFree
    {
        void operator()(void *memory) const { std::free(memory); }
    };

    // The entries past the declared two, reached through a pointer as plug-ins reach them.
    VstEvent **slots() const { return m_list->events; }

    VstEvent *makeEvent(CByteReader &reader)
    {
        const uint8_t kind = reader.byte();
        const VstInt32 byteSize = reader.value<VstInt32>();
        const VstInt32 deltaFrames = reader.value<VstInt32>();
        const VstInt32 flags = reader.value<VstInt32>();
        // Zero-padded to 16 bytes, so that copying it never needs a length check.
        std::vector<uint8_t> payload = reader.bytes(16);
        payload.resize(16);
        if (kind % 4 == 3)
        {
            auto *event = static_cast<SSysexEvent *>(std::calloc(1, sizeof(SSysexEvent)));
            event->type = SYSEX_TYPE;
            event->byteSize = (kind & 4) ? byteSize : static_cast<VstInt32>(sizeof(SSysexEvent) - 8);
            event->deltaFrames = deltaFrames;
            event->flags = flags;
            event->dumpBytes = static_cast<VstInt32>(payload.size());
            m_dumps.emplace_back(static_cast<char *>(std::malloc(payload.size() + 1)));
            std::memcpy(m_dumps.back().get(), payload.data(), payload.size());
            event->sysexDump = m_dumps.back().get();
            return reinterpret_cast<VstEvent *>(event);
        }
        auto *event = static_cast<VstEvent *>(std::calloc(1, sizeof(VstEvent)));
        std::memcpy(event->data, payload.data(), payload.size());
        // Mostly MIDI, the type a doubler listens to; otherwise any type but a system-exclusive one.
        event->type = kind % 4 != 2 ? kVstMidiType : (byteSize == SYSEX_TYPE ? 0 : byteSize);
        event->byteSize = (kind & 4) ? byteSize : static_cast<VstInt32>(sizeof(VstMidiEvent) - 8);
        // Deltas inside the block most of the time, any value otherwise.
        event->deltaFrames = (kind & 8) ? deltaFrames : static_cast<VstInt32>(static_cast<uint32_t>(deltaFrames) % 512);
        event->flags = flags;
        return event;
    }

    std::unique_ptr<VstEvents, SFree> m_list;
    std::vector<std::unique_ptr<char, SFree>> m_dumps;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CByteReader reader(data, size);
    CFuzzedPlugin &plugin = CFuzzedPlugin::forInput();
    plugin.dispatch(effSetProgram, 0, reader.byte() % 13);
    do
    {
        CEventList events(reader);
        plugin.dispatch(effProcessEvents, 0, 0, events.list());
        plugin.processAndCheck(reader.byte() * 2 + 1);
    } while (!reader.empty());
    return 0;
}
