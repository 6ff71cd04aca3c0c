#include "tests/support/CAllocationCounter.h"

#include <cerrno>
#include <cstddef>

// AddressSanitizer, ThreadSanitizer and MemorySanitizer bring their own malloc;
// replacing it as well would break them. On Windows a DLL calls the C runtime's
// allocator directly, so nothing here could count its allocations.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || defined(_WIN32)
#define ZELO_UNCOUNTED_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define ZELO_UNCOUNTED_HEAP 1
#endif
#endif

namespace
{
// A plain constant-initialised thread-local: malloc can be called before any
// constructor has run, and reading it never allocates. Negative while not counting.
#ifdef _WIN32
thread_local long t_allocations = -1;
#else
__attribute__((tls_model("initial-exec"))) thread_local long t_allocations = -1;
#endif
} // namespace

namespace Zelo::Testing
{
bool CAllocationCounter::isAvailable()
{
#ifdef ZELO_UNCOUNTED_HEAP
    return false;
#else
    return true;
#endif
}

void CAllocationCounter::start()
{
    t_allocations = 0;
}

long CAllocationCounter::stop()
{
    const long allocations = t_allocations < 0 ? 0 : t_allocations;
    t_allocations = -1;
    return allocations;
}
} // namespace Zelo::Testing

#ifndef ZELO_UNCOUNTED_HEAP

// Only the C allocation functions are replaced: the C++ runtime's operator new
// (every form of it) ends in one of them, so each allocation counts exactly once,
// whether made here or in a loaded module. glibc's allocator under its internal
// names does the work, so the replacements never recurse and its free() still fits.
extern "C"
{
    void *__libc_malloc(size_t size) noexcept;
    void *__libc_calloc(size_t count, size_t size) noexcept;
    void *__libc_realloc(void *pointer, size_t size) noexcept;
    void *__libc_memalign(size_t alignment, size_t size) noexcept;
}

namespace
{
// Counts one allocation if counting is on, and hands `memory` through.
void *counted(void *memory)
{
    if (t_allocations >= 0)
    {
        ++t_allocations;
    }
    return memory;
}

// __libc_memalign rounds a bad alignment up; the standard functions must refuse it.
bool isPowerOfTwo(size_t value)
{
    return value != 0 && (value & (value - 1)) == 0;
}
} // namespace

extern "C"
{
    void *malloc(size_t size) noexcept
    {
        return counted(__libc_malloc(size));
    }
    void *calloc(size_t count, size_t size) noexcept
    {
        return counted(__libc_calloc(count, size));
    }
    void *memalign(size_t alignment, size_t size) noexcept
    {
        return counted(__libc_memalign(alignment, size));
    }

    void *realloc(void *pointer, size_t size) noexcept
    {
        // Growing or moving may allocate; shrinking to nothing only frees.
        void *memory = __libc_realloc(pointer, size);
        return size != 0 ? counted(memory) : memory;
    }

    void *aligned_alloc(size_t alignment, size_t size) noexcept
    {
        if (!isPowerOfTwo(alignment))
        {
            errno = EINVAL;
            return counted(nullptr);
        }
        return counted(__libc_memalign(alignment, size));
    }

    int posix_memalign(void **result, size_t alignment, size_t size) noexcept
    {
        if (!isPowerOfTwo(alignment) || alignment % sizeof(void *) != 0)
        {
            counted(nullptr);
            return EINVAL;
        }
        void *memory = counted(__libc_memalign(alignment, size));
        if (memory == nullptr)
        {
            return ENOMEM;
        }
        *result = memory;
        return 0;
    }
}

#endif
