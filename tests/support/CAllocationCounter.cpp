#include "tests/support/CAllocationCounter.h"

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <new>

// AddressSanitizer, ThreadSanitizer and MemorySanitizer bring their own malloc;
// replacing it as well would break them.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define ZELO_SANITIZED_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define ZELO_SANITIZED_HEAP 1
#endif
#endif

namespace
{
// Plain constant-initialised thread-locals: malloc can be called before any
// constructor has run, and reading these never allocates.
__attribute__((tls_model("initial-exec"))) thread_local bool t_isCounting = false;
__attribute__((tls_model("initial-exec"))) thread_local long t_allocations = 0;
} // namespace

namespace Zelo::Testing
{
bool CAllocationCounter::isAvailable()
{
#ifdef ZELO_SANITIZED_HEAP
    return false;
#else
    return true;
#endif
}

void CAllocationCounter::start()
{
    t_allocations = 0;
    t_isCounting = true;
}

long CAllocationCounter::stop()
{
    t_isCounting = false;
    return t_allocations;
}
} // namespace Zelo::Testing

#ifndef ZELO_SANITIZED_HEAP

// glibc's allocator under its internal names: calling these instead of malloc
// keeps the replacements from recursing into themselves.
extern "C"
{
    void *__libc_malloc(size_t size) noexcept;
    void *__libc_calloc(size_t count, size_t size) noexcept;
    void *__libc_realloc(void *pointer, size_t size) noexcept;
    void *__libc_memalign(size_t alignment, size_t size) noexcept;
    void __libc_free(void *pointer) noexcept;
}

namespace
{
void noteAllocation()
{
    if (t_isCounting)
    {
        ++t_allocations;
    }
}

bool isPowerOfTwo(size_t value)
{
    return value != 0 && (value & (value - 1)) == 0;
}

// operator new's contract: retry through the new-handler, throw when there is none.
void *allocateOrThrow(size_t size, size_t alignment)
{
    noteAllocation();
    if (size == 0)
    {
        size = 1;
    }
    for (;;)
    {
        void *memory =
            alignment <= __STDCPP_DEFAULT_NEW_ALIGNMENT__ ? __libc_malloc(size) : __libc_memalign(alignment, size);
        if (memory != nullptr)
        {
            return memory;
        }
        const std::new_handler handler = std::get_new_handler();
        if (handler == nullptr)
        {
            throw std::bad_alloc();
        }
        handler();
    }
}

void *allocateOrNull(size_t size, size_t alignment) noexcept
{
    try
    {
        return allocateOrThrow(size, alignment);
    }
    catch (...)
    {
        return nullptr;
    }
}

constexpr size_t DEFAULT_ALIGNMENT = __STDCPP_DEFAULT_NEW_ALIGNMENT__;
} // namespace

extern "C"
{
    void *malloc(size_t size) noexcept
    {
        noteAllocation();
        return __libc_malloc(size);
    }

    void *calloc(size_t count, size_t size) noexcept
    {
        noteAllocation();
        return __libc_calloc(count, size);
    }

    void *realloc(void *pointer, size_t size) noexcept
    {
        // Growing or moving may allocate; shrinking to nothing only frees.
        if (size != 0)
        {
            noteAllocation();
        }
        return __libc_realloc(pointer, size);
    }

    void free(void *pointer) noexcept
    {
        __libc_free(pointer);
    }

    void *aligned_alloc(size_t alignment, size_t size) noexcept
    {
        noteAllocation();
        if (!isPowerOfTwo(alignment))
        {
            errno = EINVAL;
            return nullptr;
        }
        return __libc_memalign(alignment, size);
    }

    void *memalign(size_t alignment, size_t size) noexcept
    {
        noteAllocation();
        return __libc_memalign(alignment, size);
    }

    int posix_memalign(void **result, size_t alignment, size_t size) noexcept
    {
        noteAllocation();
        if (!isPowerOfTwo(alignment) || alignment % sizeof(void *) != 0)
        {
            return EINVAL;
        }
        void *memory = __libc_memalign(alignment, size);
        if (memory == nullptr)
        {
            return ENOMEM;
        }
        *result = memory;
        return 0;
    }
}

void *operator new(size_t size)
{
    return allocateOrThrow(size, DEFAULT_ALIGNMENT);
}

void *operator new[](size_t size)
{
    return allocateOrThrow(size, DEFAULT_ALIGNMENT);
}

void *operator new(size_t size, const std::nothrow_t &) noexcept
{
    return allocateOrNull(size, DEFAULT_ALIGNMENT);
}

void *operator new[](size_t size, const std::nothrow_t &) noexcept
{
    return allocateOrNull(size, DEFAULT_ALIGNMENT);
}

void *operator new(size_t size, std::align_val_t alignment)
{
    return allocateOrThrow(size, static_cast<size_t>(alignment));
}

void *operator new[](size_t size, std::align_val_t alignment)
{
    return allocateOrThrow(size, static_cast<size_t>(alignment));
}

void *operator new(size_t size, std::align_val_t alignment, const std::nothrow_t &) noexcept
{
    return allocateOrNull(size, static_cast<size_t>(alignment));
}

void *operator new[](size_t size, std::align_val_t alignment, const std::nothrow_t &) noexcept
{
    return allocateOrNull(size, static_cast<size_t>(alignment));
}

void operator delete(void *pointer) noexcept
{
    __libc_free(pointer);
}

void operator delete[](void *pointer) noexcept
{
    __libc_free(pointer);
}

void operator delete(void *pointer, size_t) noexcept
{
    __libc_free(pointer);
}

void operator delete[](void *pointer, size_t) noexcept
{
    __libc_free(pointer);
}

void operator delete(void *pointer, const std::nothrow_t &) noexcept
{
    __libc_free(pointer);
}

void operator delete[](void *pointer, const std::nothrow_t &) noexcept
{
    __libc_free(pointer);
}

void operator delete(void *pointer, std::align_val_t) noexcept
{
    __libc_free(pointer);
}

void operator delete[](void *pointer, std::align_val_t) noexcept
{
    __libc_free(pointer);
}

void operator delete(void *pointer, size_t, std::align_val_t) noexcept
{
    __libc_free(pointer);
}

void operator delete[](void *pointer, size_t, std::align_val_t) noexcept
{
    __libc_free(pointer);
}

void operator delete(void *pointer, std::align_val_t, const std::nothrow_t &) noexcept
{
    __libc_free(pointer);
}

void operator delete[](void *pointer, std::align_val_t, const std::nothrow_t &) noexcept
{
    __libc_free(pointer);
}

#endif
