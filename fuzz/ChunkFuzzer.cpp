// Arbitrary bytes handed to the effect as a bank chunk and as a program chunk,
// as a host restoring a damaged song would; then a block must still come out finite.
// Input: one mode byte, then the chunk's bytes. On half the inputs (mode bit 0)
// the chunk starts with the opening bytes of a real chunk of the same kind, so
// the fuzzer spends its time past the header check; mode bits 1 to 7 choose
// how many opening bytes are kept.
// The seed corpus is written from a real instance by
//   ZELO_FUZZ_WRITE_SEEDS=fuzz/corpus/chunk build/fuzz/fuzz/chunk_fuzzer -runs=0
#include "fuzz/FuzzedPlugin.h"

#include <fstream>
#include <string>

using Zelo::Fuzz::CFuzzedPlugin;

namespace
{
// Frames of each block: one slice of the effect's signal path, every stage run once.
constexpr VstInt32 BLOCK_FRAMES = 256;

// The real chunks of a fresh instance, bank and program, copied out of the plug-in.
struct SRealChunks
{
    std::vector<uint8_t> bank, program;
};

const SRealChunks &realChunks()
{
    static const SRealChunks chunks = [] {
        CFuzzedPlugin plugin;
        return SRealChunks{plugin.chunk(false), plugin.chunk(true)};
    }();
    return chunks;
}

// How many opening bytes of the real chunk a mode with bit 0 set keeps.
size_t keptBytes(uint8_t mode, size_t realSize)
{
    return std::min(realSize, static_cast<size_t>(mode >> 1) * 4 + 8);
}

// A seed restoring `chunk` whole: as it is, or as the kept header and the bytes after it.
void writeSeed(const std::string &path, uint8_t mode, const std::vector<uint8_t> &chunk)
{
    const size_t skipped = (mode & 1) ? keptBytes(mode, chunk.size()) : 0;
    std::ofstream file(path, std::ios::binary);
    file.put(static_cast<char>(mode));
    file.write(reinterpret_cast<const char *>(chunk.data() + skipped),
               static_cast<std::streamsize>(chunk.size() - skipped));
}

// Restores `bytes` as one kind of chunk, reads the chunk back, restores that too
// (a host's save and reload) and processes a block after each. A refused chunk
// changes nothing, so there is nothing new to process.
void restore(CFuzzedPlugin &plugin, const uint8_t *bytes, size_t size, bool isProgram, uint8_t mode)
{
    const std::vector<uint8_t> &real = isProgram ? realChunks().program : realChunks().bank;
    const size_t kept = (mode & 1) ? keptBytes(mode, real.size()) : 0;
    // The host owns the buffer and keeps nothing past its end, so overreads are seen.
    std::vector<uint8_t> exact(kept + size);
    std::copy_n(real.begin(), kept, exact.begin());
    std::copy_n(bytes, size, exact.begin() + static_cast<std::ptrdiff_t>(kept));
    if (plugin.dispatch(effSetChunk, isProgram ? 1 : 0, static_cast<VstIntPtr>(exact.size()),
                        exact.empty() ? nullptr : exact.data()) == 0)
        return;
    plugin.processAndCheck(BLOCK_FRAMES);
    std::vector<uint8_t> saved = plugin.chunk(isProgram);
    if (!saved.empty())
    {
        plugin.dispatch(effSetChunk, isProgram ? 1 : 0, static_cast<VstIntPtr>(saved.size()), saved.data());
        plugin.processAndCheck(BLOCK_FRAMES);
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    if (const char *folder = std::getenv("ZELO_FUZZ_WRITE_SEEDS"))
    {
        const SRealChunks &chunks = realChunks();
        writeSeed(std::string(folder) + "/bank", 0, chunks.bank);
        writeSeed(std::string(folder) + "/bank-header-kept", 1 | (2 << 1), chunks.bank);
        writeSeed(std::string(folder) + "/program", 0, chunks.program);
        writeSeed(std::string(folder) + "/program-header-kept", 1 | (2 << 1), chunks.program);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const uint8_t mode = size > 0 ? data[0] : 0;
    const uint8_t *bytes = size > 0 ? data + 1 : data;
    const size_t count = size > 0 ? size - 1 : 0;
    CFuzzedPlugin &plugin = CFuzzedPlugin::forInput();
    restore(plugin, bytes, count, false, mode);
    restore(plugin, bytes, count, true, mode);
    return 0;
}
