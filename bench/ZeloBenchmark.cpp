// Throughput and cost of the built plug-in, measured through its binary
// interface as a host runs it: per factory program, for a decaying silent
// tail against normal signal, and for creating and closing an instance.
#include "tools/host/CPluginInstance.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <malloc.h>
#include <memory>
#include <vector>

using Zelo::Tools::CHostSettings;
using Zelo::Tools::CPluginInstance;
using Zelo::Tools::CPluginModule;

namespace
{
const int BLOCK = 512;
const double RATE = 44100.0;

std::shared_ptr<const CPluginModule> zeloModule()
{
    static const auto module = std::make_shared<const CPluginModule>(ZELO_PLUGIN_PATH);
    return module;
}

std::unique_ptr<CPluginInstance> openZelo()
{
    auto instance = std::make_unique<CPluginInstance>(zeloModule());
    instance->open();
    instance->setSampleRate(static_cast<float>(RATE));
    instance->setBlockSize(BLOCK);
    instance->resume();
    return instance;
}

// A stereo block of program material (two detuned tones with some noise), or silence.
struct SBuffers
{
    explicit SBuffers(bool silent) : in(2, std::vector<float>(BLOCK)), out(2, std::vector<float>(BLOCK))
    {
        uint32_t noise = 1;
        for (int n = 0; !silent && n < BLOCK; ++n)
        {
            noise = noise * 1664525u + 1013904223u;
            const float hiss = static_cast<float>(noise >> 8) / 16777216.0f - 0.5f;
            in[0][n] = 0.5f * std::sin(0.0627f * n) + 0.05f * hiss;
            in[1][n] = 0.5f * std::sin(0.0471f * n) - 0.05f * hiss;
        }
    }
    void process(CPluginInstance &plugin)
    {
        float *inputs[2] = {in[0].data(), in[1].data()};
        float *outputs[2] = {out[0].data(), out[1].data()};
        plugin.processReplacing(inputs, outputs, BLOCK);
    }
    std::vector<std::vector<float>> in, out;
};

void reportThroughput(benchmark::State &state, double frames)
{
    state.SetItemsProcessed(static_cast<int64_t>(frames));
    state.counters["frames_per_second"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["realtime_factor"] = benchmark::Counter(frames / RATE, benchmark::Counter::kIsRate);
}

// Stereo frames per second for one factory program at 44.1 kHz.
void processProgram(benchmark::State &state)
{
    auto zelo = openZelo();
    zelo->setProgram(static_cast<VstInt32>(state.range(0)));
    SBuffers buffers(false);
    for (auto _ : state)
    {
        buffers.process(*zelo);
        benchmark::DoNotOptimize(buffers.out[0].data());
    }
    reportThroughput(state, static_cast<double>(state.iterations()) * BLOCK);
}
BENCHMARK(processProgram)->DenseRange(0, 12)->ArgName("program");

// The cost of a decaying feedback tail fed with silence, against normal signal
// in the same run. The tail starts at a level just inside the subnormal range
// and decays slowly (90 % feedback), so all the measured blocks (a fixed four
// and a half seconds of audio) work on subnormal numbers unless the plug-in
// flushes them.
void silentTailAgainstSignal(benchmark::State &state)
{
    // Two instances with the same settings, so both share the same costs apart
    // from what they are fed; they run in turns, so both see the same caches.
    auto configure = [](CPluginInstance &plugin) {
        plugin.setProgram(1);
        plugin.setParameter(11, 0.9f);
        plugin.setParameter(12, 0.9f);
    };
    auto decaying = openZelo();
    auto playing = openZelo();
    configure(*decaying);
    configure(*playing);
    SBuffers signal(false), silence(true), whisper(false);
    for (auto &channel : whisper.in)
    {
        for (float &sample : channel)
        {
            sample *= 1e-38f;
        }
    }
    for (int block = 0; block < 100; ++block)
    {
        whisper.process(*decaying);
        signal.process(*playing);
    }
    std::chrono::duration<double> signalTime{}, tailTime{};
    for (auto _ : state)
    {
        const auto start = std::chrono::steady_clock::now();
        silence.process(*decaying);
        const auto middle = std::chrono::steady_clock::now();
        signal.process(*playing);
        signalTime += std::chrono::steady_clock::now() - middle;
        tailTime += middle - start;
    }
    state.counters["tail_throughput_over_signal"] = signalTime.count() / tailTime.count();
}
BENCHMARK(silentTailAgainstSignal)->Iterations(400);

// Creating an effect and closing it again, as a host's scanner does.
void instantiateAndClose(benchmark::State &state)
{
    size_t bytes = 0;
    for (auto _ : state)
    {
        const size_t before = mallinfo2().uordblks;
        auto zelo = std::make_unique<CPluginInstance>(zeloModule());
        bytes = mallinfo2().uordblks - before;
        zelo.reset();
    }
    state.counters["heap_bytes_per_instance"] = static_cast<double>(bytes);
}
BENCHMARK(instantiateAndClose)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();
