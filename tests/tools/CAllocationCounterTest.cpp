#include "tests/support/CAllocationCounter.h"
#include "tests/tools/fixtures/FixtureProtocol.h"
#include "tools/host/CPluginInstance.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <thread>
#include <vector>

using Zelo::Testing::CAllocationCounter;

namespace
{
// Allocations escape through here, so the optimiser cannot drop an allocate/free pair.
void *volatile g_escaped = nullptr;

void escapeAndFree(void *memory)
{
    g_escaped = memory;
    std::free(memory);
}

void *alignedByPosix(size_t alignment, size_t size)
{
    void *memory = nullptr;
    return posix_memalign(&memory, alignment, size) == 0 ? memory : nullptr;
}

template <typename T> void escapeAndDelete(T *object)
{
    g_escaped = object;
    delete object;
}

template <typename T> void escapeAndDeleteArray(T *objects)
{
    g_escaped = objects;
    delete[] objects;
}

struct alignas(64) CacheLine
{
    char bytes[64];
};
} // namespace

TEST(AllocationCounter, CountsEveryAllocationFunctionOnce)
{
    if (!CAllocationCounter::isAvailable())
    {
        GTEST_SKIP() << "the allocation counter cannot run beside a sanitizer";
    }
    struct Case
    {
        const char *name;
        void (*allocate)();
    };
    const Case cases[] = {
        {"malloc", [] { escapeAndFree(std::malloc(24)); }},
        {"calloc", [] { escapeAndFree(std::calloc(3, 8)); }},
        {"realloc", [] { escapeAndFree(std::realloc(nullptr, 24)); }},
        {"aligned_alloc", [] { escapeAndFree(std::aligned_alloc(64, 128)); }},
        {"posix_memalign", [] { escapeAndFree(alignedByPosix(64, 128)); }},
        {"new", [] { escapeAndDelete(new int(1)); }},
        {"new[]", [] { escapeAndDeleteArray(new int[4]); }},
        {"nothrow new", [] { escapeAndDelete(new (std::nothrow) int(1)); }},
        {"nothrow new[]", [] { escapeAndDeleteArray(new (std::nothrow) int[4]); }},
        {"aligned new", [] { escapeAndDelete(new CacheLine); }},
        {"aligned new[]", [] { escapeAndDeleteArray(new CacheLine[2]); }},
        {"aligned nothrow new", [] { escapeAndDelete(new (std::nothrow) CacheLine); }},
        {"aligned nothrow new[]", [] { escapeAndDeleteArray(new (std::nothrow) CacheLine[2]); }},
        {"std::vector", [] { g_escaped = std::vector<int>(100).data(); }},
    };
    CAllocationCounter counter;
    for (const auto &example : cases)
    {
        counter.start();
        example.allocate();
        const long inside = counter.stop();
        // Before start() and after stop() nothing is counted.
        example.allocate();
        counter.start();
        const long outside = counter.stop();
        example.allocate();

        EXPECT_EQ(1, inside) << example.name;
        EXPECT_EQ(0, outside) << example.name;
    }
}

TEST(AllocationCounter, IgnoresOtherThreads)
{
    if (!CAllocationCounter::isAvailable())
    {
        GTEST_SKIP() << "the allocation counter cannot run beside a sanitizer";
    }
    std::atomic<bool> go{false};
    std::thread other([&go] {
        while (!go)
        {
        }
        for (int i = 0; i < 100; ++i)
        {
            escapeAndDelete(new int(i));
        }
    });
    CAllocationCounter counter;
    counter.start();
    go = true;
    other.join();
    EXPECT_EQ(0, counter.stop());
}

TEST(AllocationCounter, CountsAllocationsInsideALoadedModule)
{
    if (!CAllocationCounter::isAvailable())
    {
        GTEST_SKIP() << "the allocation counter cannot run beside a sanitizer";
    }
    Zelo::Tools::CPluginInstance instance(std::make_shared<const Zelo::Tools::CPluginModule>(ZELO_FIXTURE_PLUGIN));
    CAllocationCounter counter;
    counter.start();
    instance.dispatch(effVendorSpecific, Zelo::Tools::Fixture::ALLOCATE);
    // The module's malloc and its operator new.
    EXPECT_EQ(2, counter.stop());
}
