#include "foundation/threading/CCriticalSection.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

using Orvalite::Threading::CCriticalSection;

namespace
{
// Holds a section on another thread until released.
class CHolder
{
public:
    explicit CHolder(CCriticalSection &section)
    {
        std::future<void> entered = m_entered.get_future();
        std::future<void> release = m_release.get_future();
        m_thread = std::thread([this, &section, release = std::move(release)]() mutable {
            section.enter();
            m_entered.set_value();
            release.wait();
            section.leave();
        });
        entered.wait();
    }
    ~CHolder() { release(); }

    void release()
    {
        if (m_thread.joinable())
        {
            m_release.set_value();
            m_thread.join();
        }
    }

private:
    std::promise<void> m_entered;
    std::promise<void> m_release;
    std::thread m_thread;
};
} // namespace

TEST(CriticalSection, TryEnterOnAHeldSectionGivesUpAfterItsAttempts)
{
    CCriticalSection section;
    CHolder holder(section);
    const struct
    {
        long timeoutMs;
        long attempts;
    } cases[] = {{12, 3}, {1, 1}, {5, 1}, {6, 2}, {15, 3}, {16, 4}};
    for (const auto &testCase : cases)
    {
        long attempts = -1;
        EXPECT_FALSE(section.tryEnter(testCase.timeoutMs, attempts)) << testCase.timeoutMs;
        EXPECT_EQ(attempts, testCase.attempts) << "remaining time " << testCase.timeoutMs;
    }
    EXPECT_FALSE(section.tryEnter(12));
}

TEST(CriticalSection, TryEnterSucceedsOnceReleased)
{
    CCriticalSection section;
    {
        CHolder holder(section);
        holder.release();
    }
    long attempts = 0;
    EXPECT_TRUE(section.tryEnter(12, attempts));
    EXPECT_EQ(attempts, 1);
    section.leave();
    EXPECT_TRUE(section.tryEnter(0, attempts)) << "no time means a blocking enter";
    EXPECT_EQ(attempts, 0);
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
        {
            section.leave();
        }
    }).join();
    EXPECT_TRUE(enteredElsewhere);
}
