#include "foundation/threading/CCriticalSection.h"

#include "tests/foundation/FoundationTestSupport.h"

#include <thread>

using Orvalite::Threading::CCriticalSection;

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
