#include "foundation/threading/CCriticalSection.h"

#include "tests/foundation/FoundationTestSupport.h"

#include <chrono>
#include <future>
#include <thread>

using Orvalite::Threading::CCriticalSection;

namespace
{
// A thread that holds `section` from its return until `release` is set.
std::thread holdElsewhere(CCriticalSection &section, std::shared_future<void> release)
{
    std::promise<void> entered;
    std::future<void> hasEntered = entered.get_future();
    std::thread holder([&section, release, entered = std::move(entered)]() mutable {
        section.enter();
        entered.set_value();
        release.wait();
        section.leave();
    });
    hasEntered.wait();
    return holder;
}
} // namespace

// With time, attempts end when it runs out; without, the enter blocks until the holder leaves.
TEST(CriticalSection, TryEnterWaitsOnlyAsLongAsAsked)
{
    CCriticalSection section;
    std::promise<void> release;
    std::thread holder = holdElsewhere(section, release.get_future().share());
    for (const long timeoutMs : {1L, 12L})
        EXPECT_FALSE(section.tryEnter(timeoutMs)) << timeoutMs << " ms";
    std::thread releaser([&release] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        release.set_value();
    });
    EXPECT_TRUE(section.tryEnter(0));
    section.leave();
    releaser.join();
    holder.join();
    EXPECT_TRUE(section.tryEnter(12)) << "a free section";
    section.leave();
}

TEST(CriticalSection, TheHoldingThreadMayEnterAgain)
{
    CCriticalSection section;
    section.enter();
    section.enter();
    EXPECT_TRUE(section.tryEnter(5));
    section.leave();
    section.leave();
    bool enteredElsewhere = true;
    std::thread([&] { enteredElsewhere = section.tryEnter(5); }).join();
    EXPECT_FALSE(enteredElsewhere) << "still held once";
    section.leave();
    std::thread([&] {
        enteredElsewhere = section.tryEnter(5);
        if (enteredElsewhere)
            section.leave();
    }).join();
    EXPECT_TRUE(enteredElsewhere);
}
