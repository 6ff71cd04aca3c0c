// The built module's samples, kept as checksums: every factory program and half
// at 44.1, 48 and 96 kHz, in blocks of 1, 64 and 4096 frames, with the x87 unit
// at the 64-bit precision Linux and mingw programs use and at the 53-bit one
// hosts built with Microsoft's compiler leave it at. The Windows DLLs run the
// same test against the same file, so they must give Linux's samples exactly.
// Regenerate after an intended change of the sound (on Linux) with
//   ZELO_UPDATE_GOLDEN=1 build/release/tests/plugin/plugin_tests --gtest_filter='NullTest.*'
#include "tests/plugin/ZeloPlugin.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <string>

using namespace Zelo::Testing;

namespace
{
const VstInt32 AB_SELECTOR = 26;
const int FRAMES = 8192;

// Sets the x87 precision control of this thread (the one the plug-in runs on).
void setX87Precision(bool extended)
{
#if defined(__i386__) || defined(__x86_64__)
    unsigned short word = 0;
    __asm__ volatile("fnstcw %0" : "=m"(word));
    word = static_cast<unsigned short>((word & ~0x0300) | (extended ? 0x0300 : 0x0200));
    __asm__ volatile("fldcw %0" : : "m"(word));
#else
    (void)extended;
#endif
}

// A sine by rotation of a unit vector: plain products and sums, so every C
// runtime makes the same signal.
struct SOscillator
{
    double cosine;
    double sine;
    double real = 1.0;
    double imaginary = 0.0;

    float next()
    {
        const double rotated = real * cosine - imaginary * sine;
        imaginary = real * sine + imaginary * cosine;
        real = rotated;
        return static_cast<float>(imaginary);
    }
};

// 64-bit FNV-1a over the output's bytes, left then right, of a two-tone signal
// with noise rendered in `block`-frame calls.
uint64_t renderChecksum(VstInt32 program, float half, double rate, VstInt32 block)
{
    auto zelo = openZelo(rate, block);
    zelo->setParameter(AB_SELECTOR, half);
    zelo->setProgram(program);
    std::vector<float> input[2] = {std::vector<float>(FRAMES), std::vector<float>(FRAMES)};
    // 0.0627 and 0.0471 radians a sample.
    SOscillator tones[2] = {{0.9980349988756638, 0.06265892609400314}, {0.9988910000407927, 0.04708258741302508}};
    uint32_t noise = 12345;
    for (int n = 0; n < FRAMES; ++n)
    {
        noise = noise * 1664525u + 1013904223u;
        const float hiss = static_cast<float>(noise >> 8) / 16777216.0f - 0.5f;
        input[0][n] = 0.5f * tones[0].next() + 0.05f * hiss;
        input[1][n] = 0.4f * tones[1].next() - 0.05f * hiss;
    }
    std::vector<float> output[2] = {std::vector<float>(FRAMES), std::vector<float>(FRAMES)};
    for (int start = 0; start < FRAMES; start += block)
    {
        float *inputs[2] = {input[0].data() + start, input[1].data() + start};
        float *outputs[2] = {output[0].data() + start, output[1].data() + start};
        zelo->processReplacing(inputs, outputs, std::min(block, FRAMES - start));
    }
    uint64_t hash = 14695981039346656037ull;
    for (const std::vector<float> &channel : output)
        for (size_t index = 0; index < channel.size() * sizeof(float); ++index)
            hash = (hash ^ reinterpret_cast<const unsigned char *>(channel.data())[index]) * 1099511628211ull;
    return hash;
}
} // namespace

TEST(NullTest, EveryProgramRendersTheKeptSamplesAtEveryRateBlockAndX87Precision)
{
    const std::string path = std::string(ZELO_GOLDEN_DIR) + "/module_checksums.txt";
    std::ostringstream actual;
    for (const double rate : {44100.0, 48000.0, 96000.0})
        for (const float half : {0.0f, 1.0f})
            for (VstInt32 program = 0; program < 13; ++program)
            {
                // The sound must not depend on the block size or the host's x87 precision.
                uint64_t first = 0;
                for (const bool extended : {true, false})
                    for (const VstInt32 block : {4096, 64, 1})
                    {
                        setX87Precision(extended);
                        const uint64_t hash = renderChecksum(program, half, rate, block);
                        setX87Precision(true);
                        if (first == 0)
                            first = hash;
                        EXPECT_EQ(first, hash)
                            << "program " << program << (half != 0.0f ? " B" : " A") << " at " << rate
                            << " Hz in blocks of " << block << (extended ? ", 64-bit" : ", 53-bit") << " x87 precision";
                    }
                actual << rate << " " << program << (half != 0.0f ? " B " : " A ") << std::hex << std::setw(16)
                       << std::setfill('0') << first << std::dec << "\n";
            }
    if (std::getenv("ZELO_UPDATE_GOLDEN"))
        std::ofstream(path) << actual.str();
    std::ostringstream expected;
    expected << std::ifstream(path).rdbuf();
    EXPECT_EQ(expected.str(), actual.str()) << "kept in " << path;
}
