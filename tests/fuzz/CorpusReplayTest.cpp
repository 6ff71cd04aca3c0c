// Every checked-in fuzz corpus file, run through its fuzz target's entry in the
// normal builds (and under the sanitizers in the asan preset): inputs that once
// found a fault or new code must keep passing. A target reports a fault by
// aborting or through a sanitizer, so the file being replayed is named when the
// process dies.
#include "fuzz/FuzzedPlugin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#define ZELO_FUZZ_TARGETS(X)                                                                                           \
    X(text_stream) X(xml) X(chunk) X(events) X(dispatcher) X(tga) X(png) X(skin) X(controls) X(preset)
#define ZELO_DECLARE_ENTRY(name) int zeloFuzz_##name(const uint8_t *data, size_t size);
extern "C"
{
    ZELO_FUZZ_TARGETS(ZELO_DECLARE_ENTRY)
    // Present in sanitizer builds only.
    void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));
}

namespace
{
struct STarget
{
    const char *corpus;
    int (*entry)(const uint8_t *data, size_t size);
};
#define ZELO_TARGET_ROW(name) STarget{#name, zeloFuzz_##name},
const STarget TARGETS[] = {ZELO_FUZZ_TARGETS(ZELO_TARGET_ROW)};

std::string s_replaying;

void nameReplayedFile()
{
    const std::string line = "fault while replaying " + s_replaying + "\n";
    static_cast<void>(write(STDERR_FILENO, line.data(), line.size()));
}

class CorpusReplay : public testing::TestWithParam<STarget>
{
protected:
    static void SetUpTestSuite()
    {
        // Sanitizers report their own faults (and segmentation faults) and then call
        // back; aborts and traps, the targets' own checks, need a handler.
        if (__sanitizer_set_death_callback)
        {
            __sanitizer_set_death_callback(nameReplayedFile);
        }
        for (int signal : {SIGABRT, SIGILL, SIGSEGV, SIGFPE})
        {
            if (signal == SIGABRT || signal == SIGILL || !__sanitizer_set_death_callback)
            {
                std::signal(signal, [](int caught) {
                    nameReplayedFile();
                    std::signal(caught, SIG_DFL);
                    std::raise(caught);
                });
            }
        }
    }
    // The plug-in targets share one effect; the leak check must not find it.
    void TearDown() override { Zelo::Fuzz::CFuzzedPlugin::release(); }
};

TEST_P(CorpusReplay, EveryFilePasses)
{
    namespace fs = std::filesystem;
    std::vector<fs::path> files(fs::directory_iterator(fs::path(ZELO_FUZZ_CORPUS_DIR) / GetParam().corpus), {});
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());
    for (const fs::path &file : files)
    {
        s_replaying = file.string();
        std::ifstream stream(file, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(stream), {}};
        EXPECT_EQ(0, GetParam().entry(bytes.data(), bytes.size())) << file;
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusReplay, testing::ValuesIn(TARGETS),
                         [](const testing::TestParamInfo<STarget> &info) { return std::string(info.param.corpus); });
} // namespace
