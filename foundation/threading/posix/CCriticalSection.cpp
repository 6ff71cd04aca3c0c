#include "foundation/threading/CCriticalSection.h"

#include <cerrno>
#include <ctime>
#include <pthread.h>

namespace Orvalite::Threading
{
struct CCriticalSection::SPlatformSection
{
    pthread_mutex_t mutex;
};

void CCriticalSection::SPlatformSectionDeleter::operator()(SPlatformSection *section) const
{
    pthread_mutex_destroy(&section->mutex);
    delete section;
}

CCriticalSection::CCriticalSection()
{
    pthread_mutexattr_t attributes;
    if (pthread_mutexattr_init(&attributes) != 0)
    {
        return;
    }
    auto *section = new SPlatformSection;
    if (pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE) == 0 &&
        pthread_mutex_init(&section->mutex, &attributes) == 0)
    {
        m_section.reset(section);
    }
    else
    {
        delete section;
    }
    pthread_mutexattr_destroy(&attributes);
}

CCriticalSection::~CCriticalSection() = default;

void CCriticalSection::enter()
{
    if (m_section)
    {
        pthread_mutex_lock(&m_section->mutex);
    }
}

void CCriticalSection::leave()
{
    if (m_section)
    {
        pthread_mutex_unlock(&m_section->mutex);
    }
}

bool CCriticalSection::tryEnterOnce()
{
    return pthread_mutex_trylock(&m_section->mutex) == 0;
}

void CCriticalSection::sleepMilliseconds(long milliseconds)
{
    timespec duration{};
    duration.tv_sec = milliseconds / 1000;
    duration.tv_nsec = milliseconds % 1000 * 1000000L;
    // A signal cuts the sleep short; sleep what is left of it.
    while (nanosleep(&duration, &duration) != 0 && errno == EINTR)
    {
    }
}
} // namespace Orvalite::Threading
