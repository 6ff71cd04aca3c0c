#include "tests/support/CAllocationCounter.h"
#include "tests/tools/fixtures/FixtureProtocol.h"
#include "tools/host/CPluginInstance.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <thread>

using Zelo::Testing::CAllocationCounter;

namespace
{
// Allocations escape through here, so the optimiser cannot drop an allocate/free pair.
void *volatile g_escaped = nullptr;

template <typename T> T *escape(T *memory)
{
    g_escaped = memory;
    return memory;
}

struct alignas(64) CacheLine
{
    char bytes[64];
};

class AllocationCounter : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!CAllocationCounter::isAvailable())
        {
            GTEST_SKIP() << "the allocation counter cannot run beside a sanitizer";
        }
    }
    CAllocationCounter counter;
};
} // namespace

TEST_F(AllocationCounter, CountsEachAllocationOnce)
{
    const std::pair<const char *, void (*)()> cases[] = {
        {"malloc", [] { std::free(escape(std::malloc(24))); }},
        {"calloc", [] { std::free(escape(std::calloc(3, 8))); }},
        {"realloc", [] { std::free(escape(std::realloc(nullptr, 24))); }},
        {"aligned_alloc", [] { std::free(escape(std::aligned_alloc(64, 128))); }},
        {"posix_memalign",
         [] {
             void *memory = nullptr;
             std::free(posix_memalign(&memory, 64, 128) == 0 ? escape(memory) : nullptr);
         }},
        {"new", [] { delete escape(new int(1)); }},
        {"new[]", [] { delete[] escape(new int[4]); }},
        {"aligned new", [] { delete escape(new CacheLine); }},
        {"aligned new[]", [] { delete[] escape(new CacheLine[2]); }},
    };
    for (const auto &[name, allocate] : cases)
    {
        counter.start();
        allocate();
        EXPECT_EQ(1, counter.stop()) << name;
    }
}

TEST_F(AllocationCounter, IgnoresOtherThreads)
{
    std::atomic<bool> go{false};
    std::thread other([&go] {
        while (!go)
        {
        }
        for (int i = 0; i < 100; ++i)
        {
            delete escape(new int(i));
        }
    });
    counter.start();
    go = true;
    other.join();
    EXPECT_EQ(0, counter.stop());
}

TEST_F(AllocationCounter, CountsAllocationsInsideALoadedModule)
{
    Zelo::Tools::CPluginInstance instance(std::make_shared<const Zelo::Tools::CPluginModule>(ZELO_FIXTURE_PLUGIN));
    counter.start();
    instance.dispatch(effVendorSpecific, Zelo::Tools::Fixture::ALLOCATE);
    // The module's malloc and its operator new.
    EXPECT_EQ(2, counter.stop());
}
