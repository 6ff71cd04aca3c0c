// Counts the heap allocations the current thread makes between start() and stop(),
// including those of plug-in modules it calls into. Works by replacing malloc and
// the other C allocation functions (where every operator new ends) in the test
// executable, which a sanitizer's own allocator forbids.
#pragma once

namespace Zelo::Testing
{
class CAllocationCounter
{
public:
    // False in sanitized builds, where nothing is counted; tests skip then.
    static bool isAvailable();

    // Counting starts from zero; other threads are never counted.
    void start();
    // The number of allocations since start().
    long stop();
};
} // namespace Zelo::Testing
