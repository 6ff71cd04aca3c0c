// Zelo against a peer doubler, the TAP Fractal Doubler (Debian's tap-plugins):
// the same stereo signal at 44.1 kHz in 512-frame blocks through each, Zelo
// through its VST 2.4 interface as a host runs it and TAP through the public
// LADSPA interface, with TAP's controls at their declared defaults.
// Reports stereo frames per second of each and Zelo's throughput over TAP's.
#include "tools/host/CPluginInstance.h"

#include <benchmark/benchmark.h>
#include <ladspa.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <dlfcn.h>
#include <memory>
#include <string>
#include <vector>

using Zelo::Tools::CPluginInstance;
using Zelo::Tools::CPluginModule;

namespace
{
const int BLOCK = 512;
const double RATE = 44100.0;
const char *const TAP_PATH = "/usr/lib/ladspa/tap_doubler.so";
const char *const TAP_LABEL = "tap_doubler";

// The same program material as the plug-in benchmark: two tones and some noise.
struct SStereoBlock
{
    SStereoBlock() : in(2, std::vector<float>(BLOCK)), out(2, std::vector<float>(BLOCK))
    {
        uint32_t noise = 1;
        for (int n = 0; n < BLOCK; ++n)
        {
            noise = noise * 1664525u + 1013904223u;
            const float hiss = static_cast<float>(noise >> 8) / 16777216.0f - 0.5f;
            in[0][n] = 0.5f * std::sin(0.0627f * n) + 0.05f * hiss;
            in[1][n] = 0.5f * std::sin(0.0471f * n) - 0.05f * hiss;
        }
    }
    std::vector<std::vector<float>> in, out;
};

// The default a LADSPA control port declares through its hints, as hosts compute it.
LADSPA_Data defaultValue(const LADSPA_PortRangeHint &hint)
{
    const LADSPA_PortRangeHintDescriptor h = hint.HintDescriptor;
    const float low = hint.LowerBound, high = hint.UpperBound;
    const bool logarithmic = LADSPA_IS_HINT_LOGARITHMIC(h) && low > 0.0f && high > 0.0f;
    auto between = [&](float share) {
        return logarithmic ? std::exp(std::log(low) * (1.0f - share) + std::log(high) * share)
                           : low * (1.0f - share) + high * share;
    };
    switch (h & LADSPA_HINT_DEFAULT_MASK)
    {
    case LADSPA_HINT_DEFAULT_MINIMUM:
        return low;
    case LADSPA_HINT_DEFAULT_LOW:
        return between(0.25f);
    case LADSPA_HINT_DEFAULT_MIDDLE:
        return between(0.5f);
    case LADSPA_HINT_DEFAULT_HIGH:
        return between(0.75f);
    case LADSPA_HINT_DEFAULT_MAXIMUM:
        return high;
    case LADSPA_HINT_DEFAULT_1:
        return 1.0f;
    case LADSPA_HINT_DEFAULT_100:
        return 100.0f;
    case LADSPA_HINT_DEFAULT_440:
        return 440.0f;
    default:
        return 0.0f;
    }
}

// One running instance of the TAP doubler, its ports connected to `block`.
class CTapDoubler
{
public:
    // Null when the module or its descriptor is missing; `why` then says which.
    static std::unique_ptr<CTapDoubler> open(SStereoBlock &block, std::string &why)
    {
        void *handle = dlopen(TAP_PATH, RTLD_NOW | RTLD_LOCAL);
        if (!handle)
        {
            why = std::string(TAP_PATH) + " not found (install Debian's tap-plugins): " + dlerror();
            return nullptr;
        }
        auto descriptorAt = reinterpret_cast<LADSPA_Descriptor_Function>(dlsym(handle, "ladspa_descriptor"));
        for (unsigned long i = 0; descriptorAt && descriptorAt(i); ++i)
        {
            if (std::strcmp(descriptorAt(i)->Label, TAP_LABEL) == 0)
            {
                return std::unique_ptr<CTapDoubler>(new CTapDoubler(handle, descriptorAt(i), block));
            }
        }
        dlclose(handle);
        why = std::string(TAP_PATH) + " has no plug-in labelled " + TAP_LABEL;
        return nullptr;
    }
    ~CTapDoubler()
    {
        if (m_descriptor->deactivate)
        {
            m_descriptor->deactivate(m_instance);
        }
        m_descriptor->cleanup(m_instance);
        dlclose(m_handle);
    }
    CTapDoubler(const CTapDoubler &) = delete;
    CTapDoubler &operator=(const CTapDoubler &) = delete;

    void run() { m_descriptor->run(m_instance, BLOCK); }

private:
    CTapDoubler(void *handle, const LADSPA_Descriptor *descriptor, SStereoBlock &block)
        : m_handle(handle), m_descriptor(descriptor), m_controls(descriptor->PortCount)
    {
        m_instance = descriptor->instantiate(descriptor, static_cast<unsigned long>(RATE));
        // Audio ports are connected in declaration order: left, then right.
        int inputs = 0, outputs = 0;
        for (unsigned long port = 0; port < descriptor->PortCount; ++port)
        {
            const LADSPA_PortDescriptor kind = descriptor->PortDescriptors[port];
            if (LADSPA_IS_PORT_CONTROL(kind))
            {
                m_controls[port] = defaultValue(descriptor->PortRangeHints[port]);
                descriptor->connect_port(m_instance, port, &m_controls[port]);
            }
            else if (LADSPA_IS_PORT_INPUT(kind))
            {
                descriptor->connect_port(m_instance, port, block.in[inputs++ % 2].data());
            }
            else
            {
                descriptor->connect_port(m_instance, port, block.out[outputs++ % 2].data());
            }
        }
        if (descriptor->activate)
        {
            descriptor->activate(m_instance);
        }
    }

    void *m_handle;
    const LADSPA_Descriptor *m_descriptor;
    LADSPA_Handle m_instance = nullptr;
    // Control ports read their values from here, so it never reallocates.
    std::vector<LADSPA_Data> m_controls;
};

std::unique_ptr<CPluginInstance> openZelo()
{
    static const auto module = std::make_shared<const CPluginModule>(ZELO_PLUGIN_PATH);
    auto instance = std::make_unique<CPluginInstance>(module);
    instance->open();
    instance->setSampleRate(static_cast<float>(RATE));
    instance->setBlockSize(BLOCK);
    instance->resume();
    return instance;
}

void processZelo(CPluginInstance &zelo, SStereoBlock &block)
{
    float *inputs[2] = {block.in[0].data(), block.in[1].data()};
    float *outputs[2] = {block.out[0].data(), block.out[1].data()};
    zelo.processReplacing(inputs, outputs, BLOCK);
}

void reportThroughput(benchmark::State &state, double frames)
{
    state.SetItemsProcessed(static_cast<int64_t>(frames));
    state.counters["frames_per_second"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
}

void tapDoubler(benchmark::State &state)
{
    SStereoBlock block;
    std::string why;
    auto tap = CTapDoubler::open(block, why);
    if (!tap)
    {
        state.SkipWithError(why.c_str());
        return;
    }
    for (auto _ : state)
    {
        tap->run();
        benchmark::DoNotOptimize(block.out[0].data());
    }
    reportThroughput(state, static_cast<double>(state.iterations()) * BLOCK);
}
BENCHMARK(tapDoubler);

// Zelo's first factory program, which the plug-in opens with.
void zeloDoubler(benchmark::State &state)
{
    SStereoBlock block;
    auto zelo = openZelo();
    for (auto _ : state)
    {
        processZelo(*zelo, block);
        benchmark::DoNotOptimize(block.out[0].data());
    }
    reportThroughput(state, static_cast<double>(state.iterations()) * BLOCK);
}
BENCHMARK(zeloDoubler);

// Both in turns within one run, so both see the same machine load and caches;
// zelo_over_tap above 1 means Zelo is the faster.
void zeloOverTap(benchmark::State &state)
{
    SStereoBlock block;
    std::string why;
    auto tap = CTapDoubler::open(block, why);
    if (!tap)
    {
        state.SkipWithError(why.c_str());
        return;
    }
    auto zelo = openZelo();
    std::chrono::duration<double> zeloTime{}, tapTime{};
    for (auto _ : state)
    {
        const auto start = std::chrono::steady_clock::now();
        processZelo(*zelo, block);
        const auto middle = std::chrono::steady_clock::now();
        tap->run();
        tapTime += std::chrono::steady_clock::now() - middle;
        zeloTime += middle - start;
        benchmark::DoNotOptimize(block.out[0].data());
    }
    const double frames = static_cast<double>(state.iterations()) * BLOCK;
    state.counters["zelo_frames_per_second"] = frames / zeloTime.count();
    state.counters["tap_frames_per_second"] = frames / tapTime.count();
    state.counters["zelo_over_tap"] = tapTime.count() / zeloTime.count();
}
BENCHMARK(zeloOverTap)->Iterations(20000);
} // namespace

BENCHMARK_MAIN();
